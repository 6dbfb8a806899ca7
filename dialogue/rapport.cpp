#include "rapport.h"

void afficherRapport(std::ostream& sortie, const Statistiques& statistiques,
                     const std::string& eAigu) {
    using std::endl;
    sortie << "les " << statistiques.nbNombres() << " nombres entr" << eAigu
           << "s totalisent \t: " << statistiques.total() << endl
           << "la moyenne est " << statistiques.moyenne() << endl
           << endl
           << "le nombre minimum \t : " << statistiques.minimum() << endl
           << "le nombre maximum \t : " << statistiques.maximum() << endl
           << endl
           << "le nb de nombre pair \t : " << statistiques.nbPairs() << endl
           << "le nb de nombre impair \t : " << statistiques.nbImpairs() << endl
           << endl
           << "la somme des nombres pairs \t : " << statistiques.sommePairs() << endl
           << "la somme des nombres impairs \t : " << statistiques.sommeImpairs() << endl
           << endl;
}
