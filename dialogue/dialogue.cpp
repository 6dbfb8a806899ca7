#include "dialogue.h"

#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

#include "console.h"
#include "lecteur.h"
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

class Dialogue {
  public:
    Dialogue(SourceOctets& entree, std::ostream& sortie, std::ostream& erreurs, Console& console)
        : lecteur_(entree, [this] { return avantLecture(); }),
          sortie_(sortie),
          erreurs_(erreurs),
          console_(console) {}
    // Le lecteur rappelle ce dialogue-ci : il ne se copie pas.
    Dialogue(const Dialogue&) = delete;
    Dialogue& operator=(const Dialogue&) = delete;
    ~Dialogue() = default;

    void saisirSerie();
    char demanderSuite();

  private:
    std::int32_t lireNombre();
    void ecrireInvites();
    bool avantLecture();

    Lecteur lecteur_;
    std::ostream& sortie_;
    std::ostream& erreurs_;
    Console& console_;
    // Les invites des nombres déjà arrivés ne s'écrivent pas une à une : on
    // les compte, et elles partent d'un bloc avant toute autre sortie et
    // avant d'attendre l'entrée. Le texte écrit est le même, dans le même ordre.
    std::uint64_t invitesEnAttente_ = 0;
};

void Dialogue::ecrireInvites() {
    // Par blocs de 104 Kio, que la sortie écrit sans les recopier : plus
    // grands que TamponSortie::morceauDirect.
    constexpr std::uint64_t invitesParBloc = 4096;
    static std::string bloc;
    while (bloc.size() < invitesParBloc * invite.size()) {
        bloc += invite;  // au premier appel
    }
    while (invitesEnAttente_ > 0) {
        const std::uint64_t combien =
            invitesEnAttente_ < invitesParBloc ? invitesEnAttente_ : invitesParBloc;
        const auto taille = static_cast<std::streamsize>(combien * invite.size());
        if (sortie_.rdbuf()->sputn(bloc.data(), taille) != taille) {
            sortie_.setstate(std::ios::badbit);
        }
        invitesEnAttente_ -= combien;
    }
}

// Le seul endroit où le programme peut attendre : tout ce qui est écrit,
// invites comprises, est à l'écran avant. Sortie perdue, on n'attend plus rien.
bool Dialogue::avantLecture() {
    ecrireInvites();
    return static_cast<bool>(sortie_.flush());
}

// Le nombre lu ; 0, qui termine la série, quand l'entrée est finie ou quand
// la sortie est perdue et qu'il n'y a plus personne à qui parler. Une sortie
// perdue au moment d'attendre a déjà fini l'entrée ; perdue en disant un
// rejet, elle arrête les rejets. Une saisie rejetée est jetée jusqu'au
// prochain blanc, quelle que soit sa longueur, et le rejet se dit après ce
// qui est déjà écrit ; les nombres qui la suivent sur la ligne restent à lire.
std::int32_t Dialogue::lireNombre() {
    for (;;) {
        ++invitesEnAttente_;
        const Saisie saisie = lecteur_.lireEntier();
        if (saisie.lecture == Lecture::nombre) {
            return saisie.nombre;
        }
        if (saisie.lecture == Lecture::fin || !sortie_) {
            return 0;
        }
        lecteur_.jeterSaisie();
        ecrireInvites();
        sortie_.flush();
        erreurs_ << (saisie.lecture == Lecture::horsLimites ? horsLimites : pasUnEntier)
                 << std::flush;
    }
}

void Dialogue::saisirSerie() {
    console_.effacer(sortie_);
    std::int32_t nombre = lireNombre();
    Statistiques statistiques;
    statistiques.commencer(nombre);
    while (nombre != 0) {
        statistiques.ajouter(nombre);
        // Les nombres simples déjà arrivés, pris d'un bloc, invites comprises.
        invitesEnAttente_ += lecteur_.prendreColonne(statistiques);
        nombre = lireNombre();
    }
    ecrireInvites();
    if (statistiques.nbNombres() >= 1) {
        afficherRapport(sortie_, statistiques, console_.eAigu());
    }
}

// 'O' ou 'N' ; la fin de l'entrée répond 'N', pour ne jamais tourner en rond.
char Dialogue::demanderSuite() {
    for (;;) {
        sortie_ << '\n' << question;
        char reponse = 0;
        if (!sortie_ || !lecteur_.prendreCaractere(reponse)) {
            return 'N';
        }
        reponse = static_cast<char>(std::toupper(static_cast<unsigned char>(reponse)));
        if (reponse == 'O' || reponse == 'N') {
            return reponse;
        }
    }
}

}  // namespace

int dialoguer(SourceOctets& entree, std::ostream& sortie, std::ostream& erreurs, Console& console) {
    Dialogue dialogue(entree, sortie, erreurs, console);
    char reponse = 'O';
    while (reponse == 'O') {
        dialogue.saisirSerie();
        reponse = dialogue.demanderSuite();
    }
    // Une sortie perdue a répondu non, et l'au revoir ne passe pas non plus.
    if (!(sortie << "\nAurevoir!!!" << std::endl)) {
        return 1;
    }
    console.attendreTouche(sortie);
    return 0;
}
