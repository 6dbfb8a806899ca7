#ifndef DIALOGUE_LECTEUR_H
#define DIALOGUE_LECTEUR_H

#include <array>
#include <cstdint>
#include <functional>
#include <streambuf>

// Ce que donne la lecture d'un nombre entier.
enum class Lecture { nombre, pasUnEntier, horsLimites, fin };

// Les saisies du dialogue, lues sur place dans une fenêtre sur l'entrée :
// les octets déjà arrivés y sont copiés par blocs et parcourus sans appel par
// caractère. La fenêtre ne demande au flux d'attendre le système (donc de
// vider la sortie avant) que quand tout ce qui était arrivé a été lu. La
// mémoire est fixe, quelle que soit la longueur d'une saisie. Juste avant
// d'attendre, il appelle avantAttente.
class Lecteur {
  public:
    Lecteur(std::streambuf& source, std::function<void()> avantAttente)
        : source_(source), avantAttente_(std::move(avantAttente)) {}

    // Saute les blancs, puis lit un entier : un signe facultatif, puis des
    // chiffres décimaux (autant de zéros en tête qu'on veut), jusqu'au premier
    // caractère qui ne peut pas le prolonger, qui reste à lire. La valeur doit
    // tenir sur 32 bits signés. Lecture::fin quand l'entrée est finie.
    Lecture lireEntier(std::int32_t& nombre);

    // Jette la saisie en cours jusqu'au prochain blanc, quelle que soit sa longueur.
    void jeterSaisie();

    // Le prochain caractère qui n'est pas un blanc ; faux à la fin de l'entrée.
    bool prendreCaractere(char& caractere);

  private:
    // Avance tant que les caractères sont des blancs (blancs vrai) ou n'en
    // sont pas (blancs faux) ; faux à la fin de l'entrée.
    bool avancerTantQue(bool blancs);
    bool remplir();
    bool resteUnCaractere() { return courant_ < fin_ || remplir(); }

    std::streambuf& source_;
    std::function<void()> avantAttente_;
    const char* courant_ = nullptr;
    const char* fin_ = nullptr;
    bool fini_ = false;
    std::array<char, 4096> fenetre_{};
};

#endif
