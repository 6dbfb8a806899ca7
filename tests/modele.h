#ifndef TESTS_MODELE_H
#define TESTS_MODELE_H

#include <string>
#include <string_view>
#include <vector>

// Un second calcul du dialogue entier, écrit à part du programme, octet par
// octet sur le texte tapé : ce que le programme doit écrire pour cette entrée.
struct DialogueAttendu {
    std::string sortie;
    std::string erreurs;
    // La longueur de la sortie quand part chaque avertissement.
    std::vector<std::size_t> avantAvertissements;
    int series = 0;
};

DialogueAttendu dialogueAttendu(std::string_view texte);

#endif
