#ifndef DIALOGUE_CHIFFRES_H
#define DIALOGUE_CHIFFRES_H

#include <cstdint>
#include <cstring>

// Huit chiffres à la fois dans un mot de 64 bits, le premier octet lu en
// poids faible, quel que soit l'ordre des octets du processeur ; sans rien de
// propre à un compilateur.
namespace chiffres {

constexpr std::uint64_t uns = 0x0101010101010101u;

// Vrai sur un processeur petit-boutiste ; les compilateurs le savent d'avance.
inline bool petitBoutiste() {
    const std::uint16_t un = 1;
    unsigned char premier = 0;
    std::memcpy(&premier, &un, 1);
    return premier == 1;
}

// Une seule lecture ; sur un processeur gros-boutiste, les octets sont
// ensuite retournés (les compilateurs en font une instruction).
inline std::uint64_t huitOctets(const char* octets) {
    std::uint64_t mot = 0;
    std::memcpy(&mot, octets, sizeof mot);
    if (petitBoutiste()) {
        return mot;
    }
    mot = ((mot & 0x00FF00FF00FF00FFu) << 8) | ((mot >> 8) & 0x00FF00FF00FF00FFu);
    mot = ((mot & 0x0000FFFF0000FFFFu) << 16) | ((mot >> 16) & 0x0000FFFF0000FFFFu);
    return (mot << 32) | (mot >> 32);
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
