// Le dialogue entier sur des octets quelconques : il doit finir, et écrire
// exactement ce que le second calcul attend, chiffres des rapports compris.
// Le premier octet choisit comment le texte qui suit arrive : par morceaux
// dont les tailles, tirées de lui, vont de 1 à cet octet plus un. Sans
// libFuzzer, un petit main rejoue les fichiers qu'on lui donne.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "console_factice.h"
#include "dialogue.h"
#include "modele.h"

namespace {

void verifier(bool condition, const char* quoi) {
    if (!condition) {
        (void)std::fprintf(stderr, "désaccord : %s\n", quoi);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    if (taille == 0) {
        return 0;
    }
    const unsigned plusGrand = donnees[0] + 1u;
    const std::string texte(reinterpret_cast<const char*>(donnees) + 1, taille - 1);
    std::vector<std::size_t> morceaux;
    std::uint32_t tirage = donnees[0] * 2654435761u + 1u;
    for (int i = 0; i < 61; ++i) {
        tirage = tirage * 1664525u + 1013904223u;
        morceaux.push_back(1 + (tirage >> 8) % plusGrand);
    }
    SourceTexte entree(texte, morceaux);
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

#ifdef STATISTIQUES_REJOUER
int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::ifstream fichier(argv[i], std::ios::binary);
        const std::string octets{std::istreambuf_iterator<char>(fichier),
                                 std::istreambuf_iterator<char>()};
        if (!fichier.good() && !fichier.eof()) {
            (void)std::fprintf(stderr, "illisible : %s\n", argv[i]);
            return 1;
        }
        // Le nom d'abord : si le second calcul n'est pas d'accord, on sait où.
        (void)std::fprintf(stderr, "%s\n", argv[i]);
        (void)LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(octets.data()),
                                     octets.size());
    }
    (void)std::printf("%d fichiers rejoués\n", argc - 1);
    return argc > 1 ? 0 : 1;
}
#endif
