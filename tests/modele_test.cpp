#include "modele.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string lire(const std::filesystem::path& chemin) {
    std::ifstream fichier(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(fichier), std::istreambuf_iterator<char>()};
}

// Le second calcul, qui juge le programme sous le fuzzer, doit lui-même
// s'accorder avec chaque cas de bout en bout écrit à la main.
TEST(Modele, SAccordeAvecLesCasDeBoutEnBout) {
    int cas = 0;
    for (const auto& entree : std::filesystem::directory_iterator(CAS_DOSSIER)) {
        if (entree.path().extension() != ".entree") {
            continue;
        }
        ++cas;
        SCOPED_TRACE(entree.path().filename().string());
        const DialogueAttendu attendu = dialogueAttendu(lire(entree.path()));
        auto chemin = entree.path();
        EXPECT_EQ(attendu.sortie, lire(chemin.replace_extension(".sortie")));
        EXPECT_EQ(attendu.erreurs, lire(chemin.replace_extension(".erreurs")));
    }
    EXPECT_GT(cas, 10);
}

}  // namespace
