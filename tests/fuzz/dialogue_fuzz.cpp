// Le dialogue entier sur des octets quelconques : il doit finir, et écrire
// exactement ce que le second calcul attend, chiffres des rapports compris.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "console_factice.h"
#include "dialogue.h"
#include "modele.h"

namespace {

void verifier(bool condition, const char* quoi) {
    if (!condition) {
        std::fprintf(stderr, "désaccord : %s\n", quoi);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    std::istringstream entree(texte);
    std::ostringstream sortie;
    std::ostringstream erreurs;
    ConsoleFactice console(false);

    const int statut = dialoguer(entree, sortie, erreurs, console);

    const DialogueAttendu attendu = dialogueAttendu(texte);
    verifier(statut == 0, "statut");
    verifier(sortie.str() == attendu.sortie, "sortie standard");
    verifier(erreurs.str() == attendu.erreurs, "sortie d'erreur");
    verifier(console.effacements == attendu.series, "un effacement par série");
    verifier(console.pauses == 1, "une seule pause");
    return 0;
}
