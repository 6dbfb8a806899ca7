#ifndef DIALOGUE_DIALOGUE_H
#define DIALOGUE_DIALOGUE_H

#include <ostream>

#include "source.h"

class Console;

// Toute la conversation, de la première série à la pause après l'au revoir.
// Les nombres et les réponses viennent d'entree, le texte va dans sortie,
// les avertissements sur les saisies rejetées dans erreurs.
// Rend 0, ou 1 si la sortie n'a pas pu être écrite.
int dialoguer(SourceOctets& entree, std::ostream& sortie, std::ostream& erreurs, Console& console);

#endif
