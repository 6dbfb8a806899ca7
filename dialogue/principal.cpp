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

    int statut = dialoguer(entree, sortie, std::cerr, console);
    sortie.flush();
    // Ce qui a été lu avant l'erreur est déjà dans le rapport ; l'échec se dit
    // quand même, et le statut le montre.
    if (!tamponEntree.erreur().empty()) {
        std::cerr << "statistiques : impossible de lire les saisies (" << tamponEntree.erreur()
                  << ").\n";
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
