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

void Statistiques::replier() {
    total_.replier();
    sommePairs_.replier();
    sommeImpairs_.replier();
}

float Statistiques::moyenne() const {
    return static_cast<float>(total_.enDouble() / static_cast<double>(nbNombres_));
}
