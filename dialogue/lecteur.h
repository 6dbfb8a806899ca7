#ifndef DIALOGUE_LECTEUR_H
#define DIALOGUE_LECTEUR_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>

#include "colonne.h"
#include "source.h"

class Statistiques;

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
    Saisie lireEntier();

    // Les nombres simples qui suivent dans le tampon, ajoutés d'un bloc aux
    // statistiques (colonne::prendre) ; rend combien il y en avait. Ce qui
    // reste est pour lireEntier.
    std::uint64_t prendreColonne(Statistiques& statistiques);

    // Jette la saisie en cours jusqu'au prochain blanc, quelle que soit sa longueur.
    void jeterSaisie() { (void)allerAuPremier(true); }

    // Le prochain caractère qui n'est pas un blanc ; faux à la fin de l'entrée.
    bool prendreCaractere(char& caractere);

  private:
    bool remplir();
    // Avance jusqu'au premier octet blanc (ou non), en remplissant le tampon
    // autant qu'il le faut ; faux à la fin de l'entrée.
    bool allerAuPremier(bool blanc);

    SourceOctets& source_;
    std::function<bool()> avantLecture_;
    const char* courant_ = nullptr;
    const char* fin_ = nullptr;
    bool fini_ = false;
    // Les octets lus suivent une marge, que la colonne peut lire sans s'en servir.
    std::array<char, colonne::margeAvant + 65536> tampon_{};
};

#endif
