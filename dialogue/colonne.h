#ifndef DIALOGUE_COLONNE_H
#define DIALOGUE_COLONNE_H

#include <cstddef>
#include <cstdint>

class Statistiques;

namespace colonne {

// Octets lisibles avant la position de départ : un nombre se charge en deux
// mots qui finissent avec lui, et le premier peut déborder devant le bloc.
constexpr std::size_t margeAvant = 16;

// Prend les nombres simples (un moins facultatif, 1 à 10 chiffres, dans les
// 32 bits, pas 0) à partir de debut, tant qu'il reste un groupe de 64 octets
// avant fin, et les ajoute aux statistiques un bloc à la fois. S'arrête
// devant le premier qui n'en est pas un, ou que la fin du dernier bloc coupe,
// pour que le lecteur le lise par son chemin habituel. Rend la position du
// premier octet qui n'a pas été pris ; pris compte les nombres. debut est au
// début d'une saisie ou sur un blanc, et les margeAvant octets qui le
// précèdent sont lisibles.
const char* prendre(const char* debut, const char* fin, Statistiques& statistiques,
                    std::uint64_t& pris);

}  // namespace colonne

#endif
