#include "rapport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <sstream>
#include <string>

namespace {

Statistiques remplir(std::initializer_list<int> nombres) {
    Statistiques statistiques;
    statistiques.commencer(*nombres.begin());
    for (int nombre : nombres) {
        statistiques.ajouter(nombre);
    }
    return statistiques;
}

std::string rapport(const Statistiques& statistiques, const std::string& eAigu = "\xE9") {
    std::ostringstream sortie;
    afficherRapport(sortie, statistiques, eAigu);
    return sortie.str();
}

// La deuxième ligne du rapport, sans sa fin de ligne.
std::string ligneMoyenne(const Statistiques& statistiques) {
    std::istringstream lignes(rapport(statistiques));
    std::string ligne;
    std::getline(lignes, ligne);
    std::getline(lignes, ligne);
    return ligne;
}

TEST(Rapport, EcritLesHuitLignesOctetPourOctet) {
    EXPECT_EQ(rapport(remplir({5, -3, 8})),
              "les 3 nombres entr\xE9s totalisent \t: 10\n"
              "la moyenne est 3.33333\n"
              "\n"
              "le nombre minimum \t : -3\n"
              "le nombre maximum \t : 8\n"
              "\n"
              "le nb de nombre pair \t : 1\n"
              "le nb de nombre impair \t : 2\n"
              "\n"
              "la somme des nombres pairs \t : 8\n"
              "la somme des nombres impairs \t : 2\n"
              "\n");
}

TEST(Rapport, MoyenneAuFormatGeneralASixChiffres) {
    Statistiques petite;
    petite.commencer(1);
    petite.ajouter(1);
    for (int i = 0; i < 10000; ++i) {
        petite.ajouter(2);
        petite.ajouter(-2);
    }
    const struct {
        Statistiques statistiques;
        const char* ligne = nullptr;
    } cas[] = {
        {remplir({5, -3, 8}), "la moyenne est 3.33333"},
        {remplir({7}), "la moyenne est 7"},
        {remplir({-1, -2}), "la moyenne est -1.5"},
        {remplir({2, 3}), "la moyenne est 2.5"},
        {remplir({5, -5}), "la moyenne est 0"},
        {remplir({999999, 1000000, 1000000}), "la moyenne est 1e+06"},
        {remplir({123456789}), "la moyenne est 1.23457e+08"},
        {petite, "la moyenne est 4.99975e-05"},
        {remplir({2147483647, 1}), "la moyenne est 1.07374e+09"},
        {remplir({-2147483647 - 1, -2147483647 - 1, -2}), "la moyenne est -1.43166e+09"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(ligneMoyenne(c.statistiques), c.ligne);
    }
}

// Une somme s'écrit comme un entier, de toute sa longueur : les 18 derniers
// chiffres avec leurs zéros, un seul signe, les réglages du flux intacts.
TEST(Rapport, EcritLesSommesEnDecimal) {
    constexpr std::int64_t grand = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t petit = std::numeric_limits<std::int64_t>::min();
    const struct {
        Somme somme;
        const char* texte = nullptr;
    } cas[] = {
        {Somme(), "0"},
        {Somme::depuisParties(0, -5), "-5"},
        {Somme::depuisParties(0, 2147483648), "2147483648"},
        {Somme::depuisParties(0, grand), "9223372036854775807"},
        {Somme::depuisParties(0, petit), "-9223372036854775808"},
        {Somme::depuisParties(1, 0), "1000000000000000000"},
        {Somme::depuisParties(1, 5), "1000000000000000005"},
        {Somme::depuisParties(1, -5), "999999999999999995"},
        {Somme::depuisParties(-1, -5), "-1000000000000000005"},
        {Somme::depuisParties(9, grand), "18223372036854775807"},
        {Somme::depuisParties(-9, petit), "-18223372036854775808"},
        {Somme::depuisParties(grand / 10, 42), "922337203685477580000000000000000042"},
    };
    for (const auto& c : cas) {
        std::ostringstream sortie;
        sortie << c.somme << '|' << 12;
        EXPECT_EQ(sortie.str(), std::string(c.texte) + "|12");
    }
}

}  // namespace
