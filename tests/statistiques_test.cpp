#include "statistiques.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "rapport.h"  // pour lire une Somme dans les messages d'échec

// Deux sommes de même valeur, quelle que soit la façon dont elles sont repliées.
bool operator==(const Somme& une, const Somme& autre) {
    return une.trillions() == autre.trillions() && une.reste() == autre.reste();
}

namespace {

constexpr std::int32_t plusGrand = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t plusPetit = std::numeric_limits<std::int32_t>::min();

struct Serie {
    std::vector<std::int32_t> nombres;  // le premier sert aussi à commencer
    std::int64_t nbNombres, total;
    std::int32_t minimum, maximum;
    std::int64_t nbPairs, nbImpairs, sommePairs, sommeImpairs;
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
        // Les sommes sortent des 32 bits, dans les deux sens, et restent exactes.
        {{plusGrand, 1},
         2,
         2147483648,
         1,
         plusGrand,
         0,
         2,
         0,
         2147483648,
         static_cast<float>(2147483648 / 2.0)},
        {{plusPetit, -2, plusPetit + 1},
         3,
         -4294967297,
         plusPetit,
         -2,
         2,
         1,
         -2147483650,
         -2147483647,
         static_cast<float>(-4294967297 / 3.0)},
        // Divisée en double puis arrondie : en simple précision, le quotient
        // serait un float plus loin.
        {{plusGrand, 1073741953, 1},
         3,
         3221225601,
         1,
         plusGrand,
         0,
         3,
         0,
         3221225601,
         1073741824.0f},
    };
    for (const Serie& serie : series) {
        SCOPED_TRACE(::testing::PrintToString(serie.nombres));
        const Statistiques s = remplir(serie.nombres);
        EXPECT_EQ(s.nbNombres(), serie.nbNombres);
        EXPECT_EQ(s.total(), Somme::depuisParties(0, serie.total));
        EXPECT_EQ(s.minimum(), serie.minimum);
        EXPECT_EQ(s.maximum(), serie.maximum);
        EXPECT_EQ(s.nbPairs(), serie.nbPairs);
        EXPECT_EQ(s.nbImpairs(), serie.nbImpairs);
        EXPECT_EQ(s.sommePairs(), Somme::depuisParties(0, serie.sommePairs));
        EXPECT_EQ(s.sommeImpairs(), Somme::depuisParties(0, serie.sommeImpairs));
        EXPECT_EQ(s.moyenne(), serie.moyenne);
    }
}

TEST(Statistiques, CommencerAvecZeroNeCompteRien) {
    Statistiques s = remplir({3, 8});
    s.commencer(0);
    EXPECT_EQ(s.nbNombres(), 0);
    EXPECT_EQ(s.total(), Somme());
    EXPECT_EQ(s.minimum(), 0);
    EXPECT_EQ(s.maximum(), 0);
    EXPECT_EQ(s.nbPairs() + s.nbImpairs(), 0);
    EXPECT_EQ(s.sommePairs(), Somme());
    EXPECT_EQ(s.sommeImpairs(), Somme());
}

// Une somme va au-delà de 64 bits sans rien perdre : les nombres ajoutés au
// reste, le repli, les deux parties de même signe, et le double le plus proche.
TEST(Somme, ResteExacteAuDelaDe64Bits) {
    constexpr std::int64_t grand = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t petit = std::numeric_limits<std::int64_t>::min();
    const struct {
        Somme depart;
        std::int32_t nombre = 0;
        int fois = 0;
        std::int64_t trillions = 0, reste = 0;
        double enDouble = 0;
    } cas[] = {
        {Somme(), 7, 1, 0, 7, 7.0},
        {Somme::depuisParties(0, grand), plusGrand, 3, 9, 223372043297226748,
         9223372043297226748.0},
        {Somme::depuisParties(0, petit), plusPetit, 3, -9, -223372043297226752,
         -9223372043297226752.0},
        {Somme::depuisParties(1, -5), 0, 0, 0, 999999999999999995, 999999999999999995.0},
        {Somme::depuisParties(-1, 5), 0, 0, 0, -999999999999999995, -999999999999999995.0},
        {Somme::depuisParties(0, Somme::unTrillion - 1), 1, 1, 1, 0, 1e18},
        // En deux arrondis, trillions puis reste, ce double serait le voisin.
        {Somme::depuisParties(1, 748875707635179193), 0, 0, 1, 748875707635179193,
         1748875707635179193.0},
        {Somme::depuisParties(20, 123), -123, 2, 19, 999999999999999877, 2e19},
        {Somme::depuisParties(-3, 0), plusGrand, 1, -2, -999999997852516353,
         -2999999997852516353.0},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(::testing::PrintToString(c.depart) + " + " + std::to_string(c.fois) + " x " +
                     std::to_string(c.nombre));
        Somme somme = c.depart;
        for (int i = 0; i < c.fois; ++i) {
            somme.ajouter(c.nombre);
        }
        EXPECT_EQ(somme.trillions(), c.trillions);
        EXPECT_EQ(somme.reste(), c.reste);
        EXPECT_EQ(somme.enDouble(), c.enDouble);
        somme.replier();
        EXPECT_EQ(somme, Somme::depuisParties(c.trillions, c.reste));
    }
}

}  // namespace
