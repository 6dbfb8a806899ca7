#ifndef DIALOGUE_LECTEUR_H
#define DIALOGUE_LECTEUR_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>

#include "chiffres.h"
#include "colonne.h"

// D'où viennent les octets tapés : l'entrée standard dans le programme, un
// texte dans les tests.
class SourceOctets {
  public:
    SourceOctets() = default;
    SourceOctets(const SourceOctets&) = delete;
    SourceOctets& operator=(const SourceOctets&) = delete;
    virtual ~SourceOctets() = default;

    // Au plus taille octets, en attendant qu'il en arrive ; 0 à la fin de
    // l'entrée, ou quand elle ne peut plus être lue.
    virtual std::size_t lire(char* tampon, std::size_t taille) = 0;
};

// Ce que donne la lecture d'un nombre entier, et le nombre lu.
enum class Lecture { nombre, pasUnEntier, horsLimites, fin };
struct Saisie {
    Lecture lecture;
    std::int32_t nombre;
};

// Les saisies du dialogue, lues sur place dans le seul tampon de l'entrée,
// que le lecteur remplit lui-même à la source. Juste avant de lui demander
// d'autres octets, donc avant d'attendre, il appelle avantLecture ; faux,
// personne ne lirait la suite, et l'entrée est finie. La mémoire est fixe,
// quelle que soit la longueur d'une saisie.
class Lecteur {
  public:
    Lecteur(SourceOctets& source, std::function<bool()> avantLecture)
        : source_(source), avantLecture_(std::move(avantLecture)) {}

    // Saute les blancs, puis lit un entier : un signe facultatif, puis des
    // chiffres décimaux (autant de zéros en tête qu'on veut), jusqu'au premier
    // caractère qui ne peut pas le prolonger, qui reste à lire. La valeur doit
    // tenir sur 32 bits signés. Lecture::fin quand l'entrée est finie.
    Saisie lireEntier() {
        // Le cas d'une colonne de nombres, sans appel : au plus un blanc, un
        // moins, puis moins de huit chiffres, le tout dans le tampon. Un tel
        // nombre tient sur 32 bits. Tout le reste passe par le cas général.
        const char* position = courant_;
        if (fin_ - position >= 10) {
            position += chiffres::estBlanc(*position) ? 1 : 0;
            const bool negatif = *position == '-';
            position += negatif ? 1 : 0;
            const std::uint64_t mot = chiffres::huitOctets(position);
            const std::uint64_t marques = chiffres::nonChiffres(mot);
            if (marques != 0 && (marques & 0x80u) == 0) {
                const unsigned n = chiffres::enTete(marques);
                const auto valeur = static_cast<std::int32_t>(chiffres::valeur(mot, n));
                courant_ = position + n;
                return {Lecture::nombre, negatif ? -valeur : valeur};
            }
        }
        return lireEntierGeneral();
    }

    // Les nombres simples qui suivent dans le tampon, donnés d'un bloc à
    // enregistrement.ajouter, jusqu'au premier qui n'en est pas un ou au 0 ;
    // rend combien il y en avait. Ce qui reste est pour lireEntier.
    template <typename Enregistrement>
    std::uint64_t prendreColonne(Enregistrement& enregistrement) {
        std::uint64_t pris = 0;
        courant_ = colonne::prendre(courant_, fin_, enregistrement, pris);
        return pris;
    }

    // Jette la saisie en cours jusqu'au prochain blanc, quelle que soit sa longueur.
    void jeterSaisie();

    // Le prochain caractère qui n'est pas un blanc ; faux à la fin de l'entrée.
    bool prendreCaractere(char& caractere);

  private:
    Saisie lireEntierGeneral();
    bool remplir();
    bool sauterBlancs();

    SourceOctets& source_;
    std::function<bool()> avantLecture_;
    const char* courant_ = nullptr;
    const char* fin_ = nullptr;
    bool fini_ = false;
    // Les octets lus suivent une marge, que la colonne peut lire sans s'en servir.
    std::array<char, colonne::margeAvant + 65536> tampon_{};
};

#endif
