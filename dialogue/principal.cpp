#include <iostream>

#include "console.h"
#include "dialogue.h"
#include "flux.h"

int main() {
    ConsoleSysteme console;
    TamponSortie tamponSortie;
    std::ostream sortie(&tamponSortie);
    TamponEntree tamponEntree(&sortie);
    std::istream entree(&tamponEntree);

    const int statut = dialoguer(entree, sortie, std::cerr, console);
    sortie.flush();
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
