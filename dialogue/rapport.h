#ifndef DIALOGUE_RAPPORT_H
#define DIALOGUE_RAPPORT_H

#include <ostream>
#include <string>

#include "statistiques.h"

// Écrit les chiffres d'une série finie (au moins un nombre), en quatre
// groupes de lignes suivis chacun d'une ligne vide. eAigu donne les octets
// du « é » tels que la sortie les montre.
void afficherRapport(std::ostream& sortie, const Statistiques& statistiques,
                     const std::string& eAigu);

// Une somme en décimal, comme un entier : signe moins s'il le faut, ni blanc
// ni zéro devant, aussi longue qu'elle soit.
std::ostream& operator<<(std::ostream& sortie, const Somme& somme);

#endif
