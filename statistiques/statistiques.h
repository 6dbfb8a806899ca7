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

    // Ajoute un nombre non nul à la série.
    void ajouter(std::int32_t nombre);

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
