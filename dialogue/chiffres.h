#ifndef DIALOGUE_CHIFFRES_H
#define DIALOGUE_CHIFFRES_H

// Huit octets à la fois dans un mot de 64 bits, le premier lu en poids
// faible, quel que soit l'ordre des octets du processeur : les blancs, les
// chiffres, leur valeur, et la règle d'un nombre de 32 bits. Le lecteur et la
// colonne n'ont que ceux-là. Une instruction propre à un processeur ou à un
// compilateur a toujours sa version portable à côté, que les tests comparent.

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace chiffres {

constexpr std::uint64_t uns = 0x0101010101010101u;
constexpr std::uint64_t hauts = uns * 0x80;

inline bool estBlanc(char caractere) {
    return caractere == ' ' || (caractere >= '\t' && caractere <= '\r');
}

inline bool estChiffre(char caractere) { return caractere >= '0' && caractere <= '9'; }

// Vrai sur un processeur petit-boutiste ; les compilateurs le savent d'avance.
inline bool petitBoutiste() {
    const std::uint16_t un = 1;
    return *reinterpret_cast<const unsigned char*>(&un) == 1;
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

// Chaque octet devenu la valeur de son chiffre : 0 à 9 pour un chiffre, plus
// pour tout autre octet.
inline std::uint64_t valeursDe(std::uint64_t mot) { return mot ^ (uns * '0'); }

// Le bit de poids fort de chaque valeur qui n'est pas un chiffre : tout autre
// octet a son bit du haut, ou le gagne en ajoutant 0x76. Une retenue ne part
// que d'un octet déjà marqué : exact jusqu'à la première marque, et nul
// seulement quand les huit sont des chiffres.
inline std::uint64_t nonChiffres(std::uint64_t valeurs) {
    return (valeurs | (valeurs + uns * (0x80 - 10))) & hauts;
}

// Le rang du bit de poids faible (x non nul) : le bit isolé, multiplié par
// une suite de De Bruijn, a ses six bits du haut propres à chaque rang.
inline unsigned rangDuPremierPortable(std::uint64_t x) {
    constexpr unsigned char rangs[64] = {
        0,  1,  48, 2,  57, 49, 28, 3,  61, 58, 50, 42, 38, 29, 17, 4,  62, 55, 59, 36, 53, 51,
        43, 22, 45, 39, 33, 30, 24, 18, 12, 5,  63, 47, 56, 27, 60, 41, 37, 16, 54, 35, 52, 21,
        44, 32, 23, 11, 46, 26, 40, 15, 34, 20, 31, 10, 25, 14, 19, 9,  13, 8,  7,  6};
    return rangs[((x & (~x + 1)) * 0x03F79D71B4CB0A89u) >> 58];
}

// Le même, en une instruction là où le compilateur la connaît.
inline unsigned rangDuPremier(std::uint64_t x) {
#if defined(__GNUC__)
    return static_cast<unsigned>(__builtin_ctzll(x));
#else
    return rangDuPremierPortable(x);
#endif
}

// La valeur de huit chiffres (0 à 9 par octet, le premier en poids faible) :
// chaque multiplication joint des paires voisines, 10 * premier + second,
// puis 100 *, puis 10000 *, sans retenue d'une paire à l'autre. Pour n
// chiffres, valeur(valeurs << (8 * (8 - n))) : des zéros les précèdent.
inline std::uint64_t valeur(std::uint64_t valeurs) {
    valeurs = (valeurs * (10 * 256 + 1)) >> 8;
    valeurs = ((valeurs & 0x00FF00FF00FF00FFu) * (100 * 65536 + 1)) >> 16;
    return ((valeurs & 0x0000FFFF0000FFFFu) * (10000 * (std::uint64_t{1} << 32) + 1)) >> 32;
}

// Le bit de poids fort de chaque octet blanc (espace, ou \t à \r), exact
// octet par octet : sur sept bits, les additions ne débordent pas d'un octet
// sur l'autre.
inline std::uint64_t marquesBlancs(std::uint64_t mot) {
    constexpr std::uint64_t bas7 = uns * 0x7F;
    const std::uint64_t sept = mot & bas7;
    const std::uint64_t espace = ~((sept ^ (uns * ' ')) + bas7);       // == ' '
    const std::uint64_t controle = (sept + uns * (0x80 - '\t')) &      // >= \t
                                   ~(sept + uns * (0x80 - '\r' - 1));  // <= \r
    return (espace | controle) & ~mot & hauts;
}

// Un bit par octet blanc de 64 octets, le premier en poids faible.
inline std::uint64_t blancsPortable(const char* octets) {
    std::uint64_t masque = 0;
    for (std::size_t mot = 0; mot < 8; ++mot) {
        // Les huit bits du haut rassemblés : l'octet k donne le bit k.
        const std::uint64_t marques = marquesBlancs(huitOctets(octets + 8 * mot));
        masque |= (((marques >> 7) * 0x0102040810204080u) >> 56) << (8 * mot);
    }
    return masque;
}

// Le même ; sur x86-64, où SSE2 est toujours là, seize octets sont comparés
// d'un coup et leurs bits tirés d'une instruction.
inline std::uint64_t blancs(const char* octets) {
#if defined(__SSE2__)
    const __m128i espace = _mm_set1_epi8(' ');
    const __m128i tabulation = _mm_set1_epi8('\t');
    const __m128i ecart = _mm_set1_epi8('\r' - '\t');
    std::uint64_t masque = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const __m128i seize = _mm_loadu_si128(reinterpret_cast<const __m128i*>(octets + 16 * i));
        // \t à \r : l'écart à \t, sans signe, ne dépasse pas 4.
        const __m128i depuisTab = _mm_sub_epi8(seize, tabulation);
        const __m128i controle = _mm_cmpeq_epi8(_mm_min_epu8(depuisTab, ecart), depuisTab);
        const __m128i blanc = _mm_or_si128(_mm_cmpeq_epi8(seize, espace), controle);
        masque |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(blanc)))
                  << (16 * i);
    }
    return masque;
#else
    return blancsPortable(octets);
#endif
}

// La plus grande valeur absolue d'un nombre de 32 bits signés, avec un moins
// (negatif vaut 1) ou sans : 2^31 ou 2^31 - 1.
inline std::uint64_t plusGrandeValeur(std::uint64_t negatif) { return 0x7FFFFFFFu + negatif; }

// Le nombre lui-même, sans branche ; -2^31 s'obtient sans dépasser, par le
// calcul sur 64 bits.
inline std::int32_t signe(std::uint64_t valeur, std::uint64_t negatif) {
    const auto moins = static_cast<std::int64_t>(negatif);
    return static_cast<std::int32_t>((static_cast<std::int64_t>(valeur) ^ -moins) + moins);
}

}  // namespace chiffres

#endif
