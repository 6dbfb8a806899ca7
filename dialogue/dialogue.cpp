#include "dialogue.h"

#include <cctype>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "rapport.h"
#include "statistiques.h"

namespace {

// Des longueurs connues d'avance : l'invite s'écrit une fois par nombre.
constexpr std::string_view invite = "Entrer un nombre entier : ";
constexpr std::string_view question = "Voulez-vous continuer? (o/n) ";
constexpr std::string_view pasUnEntier =
    "statistiques : ce n'est pas un nombre entier, recommencez.\n";
constexpr std::string_view horsLimites =
    "statistiques : nombre hors limites, il faut un entier entre -2147483648 et 2147483647.\n";

// Les blancs de la locale classique, ceux que la lecture formatée saute.
bool estBlanc(int caractere) {
    return caractere == ' ' || (caractere >= '\t' && caractere <= '\r');
}

// Avance dans le tampon tant que les caractères sont des blancs (blancs vrai)
// ou n'en sont pas (blancs faux) ; rend celui qui arrête, ou la fin.
std::char_traits<char>::int_type avancerTantQue(std::streambuf& tampon, bool blancs) {
    auto caractere = tampon.sgetc();
    while (caractere != std::char_traits<char>::eof() && estBlanc(caractere) == blancs) {
        caractere = tampon.snextc();
    }
    return caractere;
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
    std::int32_t lireNombre();
    bool resteUneSaisie();
    void rejeter(std::int32_t lu);

    std::istream& entree_;
    std::ostream& sortie_;
    std::ostream& erreurs_;
    Console& console_;
    const std::string eAigu_;
};

// Le nombre lu ; 0, qui termine la série, quand l'entrée est finie ou quand
// la sortie est perdue et qu'il n'y a plus personne à qui parler.
std::int32_t Dialogue::lireNombre() {
    for (;;) {
        sortie_ << invite;
        if (!sortie_ || !resteUneSaisie()) {
            return 0;
        }
        std::int32_t lu = 0;
        if (entree_ >> lu) {
            return lu;
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
    if (avancerTantQue(*entree_.rdbuf(), true) == std::char_traits<char>::eof()) {
        entree_.setstate(std::ios::eofbit);
        return false;
    }
    return true;
}

// Jette la saisie jusqu'au prochain blanc, quelle que soit sa longueur, et le
// dit ; les nombres qui la suivent sur la ligne restent à lire.
void Dialogue::rejeter(std::int32_t lu) {
    entree_.clear();
    avancerTantQue(*entree_.rdbuf(), false);
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
    std::int32_t nombre = lireNombre();
    Statistiques statistiques;
    statistiques.commencer(nombre);
    // Le compte peut boucler après 2^32 nombres : c'est le premier nombre qui
    // dit si la série en a accepté un.
    const bool nonVide = nombre != 0;
    while (nombre != 0) {
        statistiques.ajouter(nombre);
        nombre = lireNombre();
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
