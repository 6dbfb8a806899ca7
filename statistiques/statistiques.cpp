#include "statistiques.h"

#include <limits>

void Statistiques::commencer(std::int32_t premier) {
    *this = Statistiques{};
    minimum_ = premier;
    maximum_ = premier;
}

float Statistiques::moyenne() const {
    // Un compte revenu à 0 après 2^32 nombres, avec un total nul : 0/0. La
    // division donnerait le NaN du processeur, dont le signe change d'une
    // machine à l'autre ; le rapport doit être le même partout.
    if (nbNombres_ == 0 && total_ == 0) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    return static_cast<float>(static_cast<double>(total_) / static_cast<double>(nbNombres_));
}
