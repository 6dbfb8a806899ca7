#include <iostream>
#include <string>

#include "console.h"
#include "dialogue.h"
#include "flux.h"
#include "lecteur.h"

namespace {

// L'entrée standard telle que la console la lit, qui retient pourquoi elle
// n'a pas pu être lue.
class EntreeStandard final : public SourceOctets {
  public:
    std::size_t lire(char* tampon, std::size_t taille) override {
        return lireEntreeStandard(tampon, taille, erreur_);
    }
    // Vide si l'entrée a été lue jusqu'au bout.
    const std::string& erreur() const { return erreur_; }

  private:
    std::string erreur_;
};

}  // namespace

int main() {
    ConsoleSysteme console;
    TamponSortie tamponSortie;
    std::ostream sortie(&tamponSortie);
    EntreeStandard entree;

    int statut = dialoguer(entree, sortie, std::cerr, console);
    sortie.flush();
    // Ce qui a été lu avant l'erreur est déjà dans le rapport ; l'échec se dit
    // quand même, et le statut le montre.
    if (!entree.erreur().empty()) {
        std::cerr << "statistiques : impossible de lire les saisies (" << entree.erreur() << ").\n";
        statut = 1;
    }
    switch (tamponSortie.etat()) {
        case EtatEcriture::reussie:
            return statut;
        case EtatEcriture::tuyauFerme:
            // Le lecteur s'en est allé : on se tait, comme tout outil du système.
            return 1;
        case EtatEcriture::echec:
            break;
    }
    std::cerr << "statistiques : sortie standard inutilisable, fin du programme.\n";
    return 1;
}
