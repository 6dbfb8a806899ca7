#ifndef STATISTIQUES_STATISTIQUES_H
#define STATISTIQUES_STATISTIQUES_H

#include <cstdint>

// Tout ce que l'on sait d'une série de nombres entiers pendant qu'on les saisit.
// Le compte et les sommes sont des entiers de 32 bits qui, comme un registre,
// bouclent modulo 2^32 au lieu de déborder.
class Statistiques {
  public:
    // Repart de zéro ; le premier nombre n'est pas ajouté, il fixe seulement
    // le minimum et le maximum de départ.
    void commencer(std::int32_t premier);

    // Ajoute un nombre non nul à la série ; en ligne, car appelé pour chaque nombre.
    void ajouter(std::int32_t nombre) {
        nbNombres_ = additionner(nbNombres_, 1);
        total_ = additionner(total_, nombre);
        if (nombre % 2 != 0) {
            sommeImpairs_ = additionner(sommeImpairs_, nombre);
            nbImpairs_ = additionner(nbImpairs_, 1);
        } else {
            sommePairs_ = additionner(sommePairs_, nombre);
            nbPairs_ = additionner(nbPairs_, 1);
        }
        if (maximum_ < nombre) {
            maximum_ = nombre;
        } else if (nombre < minimum_) {
            minimum_ = nombre;
        }
    }

    // Moyenne en simple précision ; n'a de sens qu'avec au moins un nombre.
    float moyenne() const;

    std::int32_t nbNombres() const { return nbNombres_; }
    std::int32_t total() const { return total_; }
    std::int32_t minimum() const { return minimum_; }
    std::int32_t maximum() const { return maximum_; }
    std::int32_t nbPairs() const { return nbPairs_; }
    std::int32_t nbImpairs() const { return nbImpairs_; }
    std::int32_t sommePairs() const { return sommePairs_; }
    std::int32_t sommeImpairs() const { return sommeImpairs_; }

  private:
    // Addition sur 32 bits en complément à deux, sans le comportement indéfini
    // du dépassement signé.
    static std::int32_t additionner(std::int32_t a, std::int32_t b) {
        const std::uint32_t somme = static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b);
        // Ramène la somme non signée dans l'intervalle signé sans conversion
        // hors limites, donc sans dépendre du compilateur.
        if (somme <= 0x7FFFFFFFu) {
            return static_cast<std::int32_t>(somme);
        }
        return static_cast<std::int32_t>(somme - 0x80000000u) - 0x7FFFFFFF - 1;
    }

    std::int32_t nbNombres_ = 0;
    std::int32_t total_ = 0;
    std::int32_t minimum_ = 0;
    std::int32_t maximum_ = 0;
    std::int32_t nbPairs_ = 0;
    std::int32_t nbImpairs_ = 0;
    std::int32_t sommePairs_ = 0;
    std::int32_t sommeImpairs_ = 0;
};

#endif
