// Le second calcul en ligne de commande : lit une entrée, écrit la sortie
// standard attendue, et la sortie d'erreur attendue sur la sienne.
#include <iostream>
#include <iterator>
#include <string>

#include "modele.h"

int main() {
    std::ios::sync_with_stdio(false);
    const std::string texte{std::istreambuf_iterator<char>(std::cin),
                            std::istreambuf_iterator<char>()};
    const DialogueAttendu attendu = dialogueAttendu(texte);
    std::cout << attendu.sortie;
    std::cerr << attendu.erreurs;
    return 0;
}
