#include "statistiques.h"

void Somme::replier() {
    // Division entière tronquée : le quotient et le reste ont le signe du
    // reste de départ, et aucun des deux ne peut déborder.
    trillions_ += reste_ / unTrillion;
    reste_ %= unTrillion;
    // Les deux parties prennent le même signe, celui de la valeur.
    if (trillions_ > 0 && reste_ < 0) {
        --trillions_;
        reste_ += unTrillion;
    } else if (trillions_ < 0 && reste_ > 0) {
        ++trillions_;
        reste_ -= unTrillion;
    }
}

double Somme::enDouble() const {
    const Somme valeur = repliee();
    const std::int64_t haut = valeur.trillions_;
    // Jusqu'à 9 * 10^18 (exclu), la valeur tient sur 64 bits : un seul arrondi.
    if (haut > -9 && haut < 9) {
        return static_cast<double>(haut * unTrillion + valeur.reste_);
    }
    return static_cast<double>(haut) * static_cast<double>(unTrillion) +
           static_cast<double>(valeur.reste_);
}

void Statistiques::commencer(std::int32_t premier) {
    *this = Statistiques{};
    minimum_ = premier;
    maximum_ = premier;
}

void Statistiques::ajouterTous(const std::int32_t* nombres, std::size_t combien) {
    while (combien > 0) {
        // Jamais au-delà du prochain repli : il tombe au même nombre qu'un à un.
        const auto avantRepli =
            static_cast<std::uint64_t>(periodeRepli - (nbNombres_ & (periodeRepli - 1)));
        const std::size_t partie =
            combien < avantRepli ? combien : static_cast<std::size_t>(avantRepli);
        std::int64_t somme = 0;
        std::int64_t impairs = 0;
        std::int64_t sommeDesImpairs = 0;
        std::int32_t plusPetit = minimum_;
        std::int32_t plusGrand = maximum_;
        for (std::size_t i = 0; i < partie; ++i) {
            const std::int32_t n = nombres[i];
            const auto impair = static_cast<std::int64_t>(static_cast<std::uint32_t>(n) & 1u);
            somme += n;
            impairs += impair;
            sommeDesImpairs += n & static_cast<std::int32_t>(-impair);
            plusGrand = plusGrand < n ? n : plusGrand;
            plusPetit = n < plusPetit ? n : plusPetit;
        }
        const auto compte = static_cast<std::int64_t>(partie);
        nbNombres_ += compte;
        nbImpairs_ += impairs;
        nbPairs_ += compte - impairs;
        total_.ajouter(somme);
        sommeImpairs_.ajouter(sommeDesImpairs);
        sommePairs_.ajouter(somme - sommeDesImpairs);
        minimum_ = plusPetit;
        maximum_ = plusGrand;
        if ((nbNombres_ & (periodeRepli - 1)) == 0) {
            total_.replier();
            sommePairs_.replier();
            sommeImpairs_.replier();
        }
        nombres += partie;
        combien -= partie;
    }
}

float Statistiques::moyenne() const {
    return static_cast<float>(total_.enDouble() / static_cast<double>(nbNombres_));
}
