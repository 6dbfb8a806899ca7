#ifndef STATISTIQUES_STATISTIQUES_H
#define STATISTIQUES_STATISTIQUES_H

#include <cstddef>
#include <cstdint>

// Une somme exacte de nombres de 32 bits, quelle que soit la longueur de la
// série : sa valeur est trillions * 10^18 + reste. Les nombres s'ajoutent au
// reste sur 64 bits ; replier porte ses trillions dans la partie haute. Replié
// au moins une fois tous les 2^31 nombres, le reste ne déborde jamais :
// |reste| < 10^18 + 2^31 * 2^31 < 2^63. La partie haute, elle, ne grandit que
// de 5 au plus par repli ; il faudrait plus de 2^90 nombres pour la remplir.
class Somme {
  public:
    static constexpr std::int64_t unTrillion = 1000000000000000000;

    // Une somme déjà faite : trillions * 10^18 + reste, les deux quelconques.
    static Somme depuisParties(std::int64_t trillions, std::int64_t reste) {
        Somme somme;
        somme.trillions_ = trillions;
        somme.reste_ = reste;
        somme.replier();
        return somme;
    }

    // Un nombre de 32 bits, ou la somme de k d'entre eux : le reste grandit
    // alors comme après k nombres.
    void ajouter(std::int64_t somme) { reste_ += somme; }
    void replier();

    // La valeur en deux parties de même signe, |reste()| < 10^18 : les 18
    // derniers chiffres décimaux, et ceux d'avant.
    std::int64_t trillions() const { return repliee().trillions_; }
    std::int64_t reste() const { return repliee().reste_; }
    // La valeur arrondie au double le plus proche ; exacte jusqu'à 2^53, et
    // au plus proche tant qu'elle tient sur 64 bits.
    double enDouble() const;

  private:
    Somme repliee() const {
        Somme copie = *this;
        copie.replier();
        return copie;
    }

    std::int64_t trillions_ = 0;
    std::int64_t reste_ = 0;
};

// Tout ce que l'on sait d'une série de nombres entiers pendant qu'on les saisit.
// Les comptes tiennent sur 64 bits (2^63 nombres, des siècles de saisie) et les
// sommes sont exactes : aucun chiffre du rapport n'est jamais faux.
class Statistiques {
  public:
    // Repart de zéro ; le premier nombre n'est pas ajouté, il fixe seulement
    // le minimum et le maximum de départ.
    void commencer(std::int32_t premier);

    // Les sommes replient leur reste tous les periodeRepli nombres : chaque
    // nombre y ajoute au plus 2^31 en valeur absolue, et le reste, parti de
    // moins de 10^18, doit tenir sur 64 bits jusqu'au repli suivant.
    static constexpr std::int64_t periodeRepli = std::int64_t{1} << 31;
    static_assert(periodeRepli <= (INT64_MAX - Somme::unTrillion) / (std::int64_t{1} << 31),
                  "le reste d'une somme déborderait avant d'être replié");
    static_assert((periodeRepli & (periodeRepli - 1)) == 0, "le repli se décide par un masque");

    // Ajoute un nombre non nul à la série, par la même règle que les blocs.
    void ajouter(std::int32_t nombre) { ajouterTous(&nombre, 1); }

    // Ajoute combien nombres non nuls à la suite, repli compris, en une boucle
    // qui garde ses comptes dans les registres. Sans branche que les données
    // décident : la classe et les extrêmes se choisissent par masque et par
    // sélection.
    void ajouterTous(const std::int32_t* nombres, std::size_t combien);

    // Moyenne en simple précision ; n'a de sens qu'avec au moins un nombre.
    float moyenne() const;

    std::int64_t nbNombres() const { return nbNombres_; }
    const Somme& total() const { return total_; }
    std::int32_t minimum() const { return minimum_; }
    std::int32_t maximum() const { return maximum_; }
    std::int64_t nbPairs() const { return nbPairs_; }
    std::int64_t nbImpairs() const { return nbImpairs_; }
    const Somme& sommePairs() const { return sommePairs_; }
    const Somme& sommeImpairs() const { return sommeImpairs_; }

  private:
    std::int64_t nbNombres_ = 0;
    Somme total_;
    std::int32_t minimum_ = 0;
    std::int32_t maximum_ = 0;
    std::int64_t nbPairs_ = 0;
    std::int64_t nbImpairs_ = 0;
    Somme sommePairs_;
    Somme sommeImpairs_;
};

#endif
