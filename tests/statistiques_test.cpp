#include "statistiques.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr std::int32_t plusGrand = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t plusPetit = std::numeric_limits<std::int32_t>::min();

struct Serie {
    std::vector<std::int32_t> nombres;  // le premier sert aussi à commencer
    std::int32_t nbNombres, total, minimum, maximum, nbPairs, nbImpairs, sommePairs, sommeImpairs;
    float moyenne;
};

Statistiques remplir(const std::vector<std::int32_t>& nombres) {
    Statistiques statistiques;
    statistiques.commencer(nombres.front());
    for (std::int32_t nombre : nombres) {
        statistiques.ajouter(nombre);
    }
    return statistiques;
}

TEST(Statistiques, SuitChaqueNombreAjoute) {
    const Serie series[] = {
        {{5, -3, 8}, 3, 10, -3, 8, 1, 2, 8, 2, static_cast<float>(10.0 / 3.0)},
        {{7}, 1, 7, 7, 7, 0, 1, 0, 7, 7.0f},
        {{-1, -2}, 2, -3, -2, -1, 1, 1, -2, -1, -1.5f},
        {{4, 9, 1}, 3, 14, 1, 9, 1, 2, 4, 10, static_cast<float>(14.0 / 3.0)},
        {{5, -5}, 2, 0, -5, 5, 0, 2, 0, 0, 0.0f},
        {{-7, -4}, 2, -11, -7, -4, 1, 1, -4, -7, -5.5f},
        // Les sommes et le compte bouclent modulo 2^32 comme un registre.
        {{plusGrand, 1},
         2,
         plusPetit,
         1,
         plusGrand,
         0,
         2,
         0,
         plusPetit,
         static_cast<float>(plusPetit / 2.0)},
        {{plusPetit, -2},
         2,
         plusGrand - 1,
         plusPetit,
         -2,
         2,
         0,
         plusGrand - 1,
         0,
         static_cast<float>((plusGrand - 1) / 2.0)},
    };
    for (const Serie& serie : series) {
        SCOPED_TRACE(::testing::PrintToString(serie.nombres));
        const Statistiques s = remplir(serie.nombres);
        EXPECT_EQ(s.nbNombres(), serie.nbNombres);
        EXPECT_EQ(s.total(), serie.total);
        EXPECT_EQ(s.minimum(), serie.minimum);
        EXPECT_EQ(s.maximum(), serie.maximum);
        EXPECT_EQ(s.nbPairs(), serie.nbPairs);
        EXPECT_EQ(s.nbImpairs(), serie.nbImpairs);
        EXPECT_EQ(s.sommePairs(), serie.sommePairs);
        EXPECT_EQ(s.sommeImpairs(), serie.sommeImpairs);
        EXPECT_EQ(s.moyenne(), serie.moyenne);
    }
}

TEST(Statistiques, CommencerAvecZeroNeCompteRien) {
    Statistiques s = remplir({3, 8});
    s.commencer(0);
    EXPECT_EQ(s.nbNombres(), 0);
    EXPECT_EQ(s.total(), 0);
    EXPECT_EQ(s.minimum(), 0);
    EXPECT_EQ(s.maximum(), 0);
    EXPECT_EQ(s.nbPairs() + s.nbImpairs() + s.sommePairs() + s.sommeImpairs(), 0);
}

}  // namespace
