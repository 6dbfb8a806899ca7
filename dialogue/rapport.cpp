#include "rapport.h"

#include <cstdint>

std::ostream& operator<<(std::ostream& sortie, const Somme& somme) {
    const std::int64_t trillions = somme.trillions();
    const std::int64_t reste = somme.reste();
    if (trillions == 0) {
        return sortie << reste;
    }
    // Les 18 derniers chiffres, zéros compris, sans toucher aux réglages du
    // flux ; le signe est déjà celui des trillions.
    const std::string chiffres = std::to_string(reste < 0 ? -reste : reste);
    return sortie << trillions << std::string(18 - chiffres.size(), '0') << chiffres;
}

void afficherRapport(std::ostream& sortie, const Statistiques& statistiques,
                     const std::string& eAigu) {
    // Des fins de ligne sans vidage : le rapport part d'un bloc, avec ce qui
    // le suit, au moment où le programme attend.
    sortie << "les " << statistiques.nbNombres() << " nombres entr" << eAigu
           << "s totalisent \t: " << statistiques.total() << '\n'
           << "la moyenne est " << statistiques.moyenne() << "\n\n"
           << "le nombre minimum \t : " << statistiques.minimum() << '\n'
           << "le nombre maximum \t : " << statistiques.maximum() << "\n\n"
           << "le nb de nombre pair \t : " << statistiques.nbPairs() << '\n'
           << "le nb de nombre impair \t : " << statistiques.nbImpairs() << "\n\n"
           << "la somme des nombres pairs \t : " << statistiques.sommePairs() << '\n'
           << "la somme des nombres impairs \t : " << statistiques.sommeImpairs() << "\n\n";
}
