#include "statistiques.h"

#include <limits>

namespace {

// Addition sur 32 bits en complément à deux, sans le comportement indéfini
// du dépassement signé.
std::int32_t additionner(std::int32_t a, std::int32_t b) {
    const std::uint32_t somme = static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b);
    // Ramène la somme non signée dans l'intervalle signé sans conversion
    // hors limites, donc sans dépendre du compilateur.
    if (somme <= 0x7FFFFFFFu) {
        return static_cast<std::int32_t>(somme);
    }
    return static_cast<std::int32_t>(somme - 0x80000000u) - 0x7FFFFFFF - 1;
}

}  // namespace

void Statistiques::commencer(std::int32_t premier) {
    *this = Statistiques{};
    minimum_ = premier;
    maximum_ = premier;
}

void Statistiques::ajouter(std::int32_t nombre) {
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

float Statistiques::moyenne() const {
    // Un compte revenu à 0 après 2^32 nombres, avec un total nul : 0/0. La
    // division donnerait le NaN du processeur, dont le signe change d'une
    // machine à l'autre ; le rapport doit être le même partout.
    if (nbNombres_ == 0 && total_ == 0) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    return static_cast<float>(static_cast<double>(total_) / static_cast<double>(nbNombres_));
}
