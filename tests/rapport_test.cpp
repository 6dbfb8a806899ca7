#include "rapport.h"

#include <gtest/gtest.h>

#include <initializer_list>
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
    // Le compte et le total d'une série de 2^32 nombres de total nul, revenus à 0.
    Statistiques bouclee;
    bouclee.commencer(3);
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
        {remplir({2147483647, 1}), "la moyenne est -1.07374e+09"},
        {bouclee, "la moyenne est nan"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(ligneMoyenne(c.statistiques), c.ligne);
    }
}

}  // namespace
