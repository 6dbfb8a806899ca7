#ifndef DIALOGUE_CHIFFRES_H
#define DIALOGUE_CHIFFRES_H

#include <cstdint>

// Huit chiffres à la fois dans un mot de 64 bits, le premier octet lu en
// poids faible, quel que soit l'ordre des octets du processeur ; sans rien de
// propre à un compilateur.
namespace chiffres {

constexpr std::uint64_t uns = 0x0101010101010101u;

inline std::uint64_t octet(const char* octets, int rang) {
    return static_cast<std::uint64_t>(static_cast<unsigned char>(octets[rang])) << (8 * rang);
}

// Écrit ainsi, les compilateurs en font une seule lecture.
inline std::uint64_t huitOctets(const char* octets) {
    return octet(octets, 0) | octet(octets, 1) | octet(octets, 2) | octet(octets, 3) |
           octet(octets, 4) | octet(octets, 5) | octet(octets, 6) | octet(octets, 7);
}

// Le bit de poids fort de chaque octet qui n'est pas un chiffre. Exact
// jusqu'au premier non-chiffre : les retenues ne montent qu'à partir de lui.
inline std::uint64_t nonChiffres(std::uint64_t mot) {
    return ((mot - uns * '0') | (mot + uns * (0x7F - '9'))) & (uns * 0x80);
}

// Le nombre de chiffres avant le premier non-chiffre marqué (il y en a un).
inline unsigned enTete(std::uint64_t marques) {
    const std::uint64_t premier = marques & (~marques + 1);
    // Un 1 dans chacun des octets qui le précèdent, comptés par une multiplication.
    return static_cast<unsigned>(((((premier >> 7) - 1) & uns) * uns) >> 56);
}

// La valeur des n premiers chiffres du mot (n de 1 à 8).
inline std::uint64_t valeur(std::uint64_t mot, unsigned n) {
    // Les chiffres gagnent le haut du mot, précédés de zéros.
    mot = (mot - uns * '0') << (8 * (8 - n));
    mot = (mot * 10 + (mot >> 8)) & 0x00FF00FF00FF00FFu;
    mot = (mot * 100 + (mot >> 16)) & 0x0000FFFF0000FFFFu;
    return (mot * 10000 + (mot >> 32)) & 0xFFFFFFFFu;
}

inline bool estBlanc(char caractere) {
    return caractere == ' ' || (caractere >= '\t' && caractere <= '\r');
}

inline bool estChiffre(char caractere) { return caractere >= '0' && caractere <= '9'; }

}  // namespace chiffres

#endif
