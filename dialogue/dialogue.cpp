#include "dialogue.h"

#include <cctype>
#include <cstdint>
#include <limits>
#include <string>

#include "rapport.h"
#include "statistiques.h"

namespace {

constexpr const char* invite = "Entrer un nombre entier : ";
constexpr const char* question = "Voulez-vous continuer? (o/n) ";
constexpr const char* pasUnEntier = "statistiques : ce n'est pas un nombre entier, recommencez.\n";
constexpr const char* horsLimites =
    "statistiques : nombre hors limites, il faut un entier entre -2147483648 et 2147483647.\n";

// Les blancs de la locale classique, ceux que la lecture formatée saute.
bool estBlanc(int caractere) {
    return caractere == ' ' || (caractere >= '\t' && caractere <= '\r');
}

class Dialogue {
  public:
    Dialogue(std::istream& entree, std::ostream& sortie, std::ostream& erreurs, Console& console)
        : entree_(entree),
          sortie_(sortie),
          erreurs_(erreurs),
          console_(console),
          eAigu_(console.eAigu()) {}

    void saisirSerie();
    char demanderSuite();

  private:
    bool lireNombre(std::int32_t& nombre);
    bool resteUneSaisie();
    void rejeter(std::int32_t lu);

    std::istream& entree_;
    std::ostream& sortie_;
    std::ostream& erreurs_;
    Console& console_;
    const std::string eAigu_;
};

// Vrai quand un nombre est lu ; faux quand l'entrée est finie, ou quand la
// sortie est perdue et qu'il n'y a plus personne à qui parler.
bool Dialogue::lireNombre(std::int32_t& nombre) {
    for (;;) {
        sortie_ << invite;
        if (!sortie_) {
            return false;
        }
        if (!resteUneSaisie()) {
            return false;
        }
        std::int32_t lu = 0;
        if (entree_ >> lu) {
            nombre = lu;
            return true;
        }
        rejeter(lu);
    }
}

// Saute les blancs jusqu'à la prochaine saisie ; faux si l'entrée est finie.
// Regarder d'abord distingue la fin de l'entrée d'un signe seul juste avant
// elle, qui est une saisie rejetée. Ce simple parcours du tampon coûte bien
// moins qu'une extraction de plus par nombre.
bool Dialogue::resteUneSaisie() {
    if (!entree_.good()) {
        return false;
    }
    std::streambuf* tampon = entree_.rdbuf();
    auto caractere = tampon->sgetc();
    while (caractere != std::char_traits<char>::eof() && estBlanc(caractere)) {
        caractere = tampon->snextc();
    }
    if (caractere == std::char_traits<char>::eof()) {
        entree_.setstate(std::ios::eofbit);
        return false;
    }
    return true;
}

// Jette la saisie jusqu'au prochain blanc, quelle que soit sa longueur, et le
// dit ; les nombres qui la suivent sur la ligne restent à lire.
void Dialogue::rejeter(std::int32_t lu) {
    entree_.clear();
    std::streambuf* tampon = entree_.rdbuf();
    const auto fin = std::char_traits<char>::eof();
    for (auto caractere = tampon->sgetc(); caractere != fin && !estBlanc(caractere);
         caractere = tampon->snextc()) {
    }
    // Une lecture hors limites rend la borne la plus proche ; une saisie qui
    // n'est pas un nombre rend 0.
    const bool depasse = lu == std::numeric_limits<std::int32_t>::max() ||
                         lu == std::numeric_limits<std::int32_t>::min();
    // L'avertissement suit ce qui est déjà écrit, dans l'ordre où on le lit.
    sortie_.flush();
    erreurs_ << (depasse ? horsLimites : pasUnEntier) << std::flush;
}

void Dialogue::saisirSerie() {
    console_.effacer(sortie_);
    std::int32_t nombre = 0;
    if (!lireNombre(nombre)) {
        nombre = 0;
    }
    Statistiques statistiques;
    statistiques.commencer(nombre);
    // Le compte peut boucler après 2^32 nombres : c'est le premier nombre qui
    // dit si la série en a accepté un.
    const bool nonVide = nombre != 0;
    while (nombre != 0) {
        statistiques.ajouter(nombre);
        if (!lireNombre(nombre)) {
            nombre = 0;
        }
    }
    if (nonVide) {
        afficherRapport(sortie_, statistiques, eAigu_);
    }
}

// 'O' ou 'N' ; la fin de l'entrée répond 'N', pour ne jamais tourner en rond.
char Dialogue::demanderSuite() {
    for (;;) {
        sortie_ << std::endl << question;
        char reponse = 0;
        if (!sortie_ || !(entree_ >> reponse)) {
            return 'N';
        }
        reponse = static_cast<char>(std::toupper(static_cast<unsigned char>(reponse)));
        if (reponse == 'O' || reponse == 'N') {
            return reponse;
        }
    }
}

}  // namespace

int dialoguer(std::istream& entree, std::ostream& sortie, std::ostream& erreurs, Console& console) {
    Dialogue dialogue(entree, sortie, erreurs, console);
    char reponse = 'O';
    while (reponse == 'O') {
        dialogue.saisirSerie();
        reponse = dialogue.demanderSuite();
        if (!sortie) {
            return 1;
        }
    }
    sortie << "\nAurevoir!!!" << std::endl;
    if (!sortie) {
        return 1;
    }
    console.attendreTouche(sortie);
    return 0;
}
