#ifndef DIALOGUE_COLONNE_H
#define DIALOGUE_COLONNE_H

// Une colonne de nombres prise un bloc à la fois.
//
// Lire un nombre après l'autre fait attendre chacun sur le précédent : on ne
// sait où commence un nombre qu'une fois le précédent lu. Ici, on marque
// d'abord, en une passe sur un bloc de 4 Kio, chaque endroit où l'on passe
// d'un blanc à autre chose ou l'inverse : ces bascules donnent le début de
// chaque saisie et l'octet qui suit sa fin. Puis chaque saisie est convertie
// depuis sa place déjà connue ; rien ne relie une conversion à la suivante, et
// le processeur en mène plusieurs à la fois.
//
// Seuls passent ici les nombres simples : un moins facultatif, puis 1 à 10
// chiffres, dans les 32 bits signés, et différents de 0. Au premier qui n'en
// est pas un (un mot, un plus, un nombre hors limites, le 0 qui finit la
// série, une saisie que la fin du bloc coupe), on s'arrête devant lui, et le
// lecteur le reprend par son chemin habituel, octet pour octet le même.
//
// Tout est en arithmétique de 64 bits ordinaire (SWAR : huit octets dans un
// mot), le même résultat sur tout processeur, et sans branche que les données
// décident dans la boucle d'un nombre. Sur x86-64 seulement, les blancs se
// marquent avec SSE2, que ce processeur a toujours ; la version portable est
// celle des autres, et les tests comparent les deux.

#include <cstddef>
#include <cstdint>

#include "chiffres.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace colonne {

// Octets lisibles avant la position de départ : un nombre se charge en deux
// mots qui finissent avec lui, et le premier peut déborder devant le bloc.
constexpr std::size_t margeAvant = 16;
// Un groupe de 64 octets donne un masque de 64 bits ; un bloc en a au plus
// 64 : les fins de boucle, imprévisibles, ne viennent qu'une fois par 4 Kio.
constexpr std::size_t groupesParBloc = 64;

namespace detail {

using chiffres::uns;
constexpr std::uint64_t hauts = uns * 0x80;
constexpr std::uint64_t bas7 = uns * 0x7F;

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

// Compté en arithmétique : sans instruction dédiée dans le jeu de base du
// processeur, le compilateur appellerait une fonction.
inline unsigned nombreDeBits(std::uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555u;
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<unsigned>((x * uns) >> 56);
}

// Le bit de poids fort de chaque octet blanc (espace, ou \t à \r), exact
// octet par octet : sur sept bits, les additions ne débordent pas d'un octet
// sur l'autre.
inline std::uint64_t marquesBlancs(std::uint64_t mot) {
    const std::uint64_t sept = mot & bas7;
    const std::uint64_t espace = ~((sept ^ (uns * ' ')) + bas7);       // == ' '
    const std::uint64_t controle = (sept + uns * (0x80 - '\t')) &      // >= \t
                                   ~(sept + uns * (0x80 - '\r' - 1));  // <= \r
    return (espace | controle) & ~mot & hauts;
}

// Les octets d'un mot devenus chiffres (0 à 9) ; refus est non nul si l'un
// de ceux que garde masque n'était pas un chiffre. Après le ou exclusif, un
// chiffre vaut au plus 9 ; tout autre octet a son bit du haut, ou le gagne en
// ajoutant 0x76. Une retenue ne part que d'un octet déjà refusé.
inline std::uint64_t chiffresDe(std::uint64_t mot, std::uint64_t masque, std::uint64_t& refus) {
    const std::uint64_t valeurs = (mot ^ (uns * '0')) & masque;
    refus |= (valeurs | (valeurs + uns * (0x80 - 10))) & hauts;
    return valeurs;
}

// Les huit bits de poids fort d'un mot, rassemblés : l'octet k donne le bit k.
inline std::uint64_t rassembler(std::uint64_t marques) {
    return ((marques >> 7) * 0x0102040810204080u) >> 56;
}

// Un bit par octet blanc de 64 octets, le premier en poids faible.
inline std::uint64_t blancsPortable(const char* octets) {
    std::uint64_t masque = 0;
    for (std::size_t mot = 0; mot < 8; ++mot) {
        masque |= rassembler(marquesBlancs(chiffres::huitOctets(octets + 8 * mot))) << (8 * mot);
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

// La valeur de huit chiffres (0 à 9 par octet, le premier lu en poids
// faible) : chaque multiplication joint des paires voisines, 10 * premier +
// second, puis 100 *, puis 10000 *, sans retenue d'une paire à l'autre.
inline std::uint64_t huitChiffres(std::uint64_t mot) {
    mot = (mot * (10 * 256 + 1)) >> 8;
    mot = ((mot & 0x00FF00FF00FF00FFu) * (100 * 65536 + 1)) >> 16;
    return ((mot & 0x0000FFFF0000FFFFu) * (10000 * (std::uint64_t{1} << 32) + 1)) >> 32;
}

}  // namespace detail

// Prend les nombres simples à partir de debut, tant qu'il reste un groupe
// entier avant fin, et les donne à enregistrement.ajouterTous, un bloc à la
// fois. Rend la position du premier octet qui n'a pas été pris ; pris compte
// les nombres. debut est au début d'une saisie ou sur un blanc, et les
// margeAvant octets qui le précèdent sont lisibles.
template <typename Enregistrement>
const char* prendre(const char* debut, const char* fin, Enregistrement& enregistrement,
                    std::uint64_t& pris) {
    using namespace detail;
    constexpr std::size_t octetsParBloc = 64 * groupesParBloc;
    // Les bascules d'un bloc, avec la place d'en écrire d'avance ; les
    // nombres d'un bloc, deux octets au moins chacun.
    std::uint32_t bascules[octetsParBloc + 32];
    std::int32_t nombres[octetsParBloc / 2];
    pris = 0;
    const char* position = debut;
    // Le premier bloc n'a qu'un groupe, et chacun double le suivant : une
    // courte série (trois nombres et le 0) ne fait pas marquer 4 Kio.
    std::size_t taille = 1;
    for (;;) {
        const auto reste = static_cast<std::size_t>(fin - position);
        if (reste < 64) {
            break;
        }
        const std::size_t groupes = reste / 64 < taille ? reste / 64 : taille;
        taille = 2 * taille < groupesParBloc ? 2 * taille : groupesParBloc;

        // 1. Les bascules : un octet dont le précédent n'est pas de la même
        // sorte (blanc ou non). L'octet d'avant le bloc compte pour un blanc :
        // la position est au début d'une saisie. Elles alternent : début
        // d'une saisie, octet qui suit sa fin, début de la suivante...
        std::size_t nbBascules = 0;
        std::uint64_t precedents = std::uint64_t{1} << 63;
        // cppcheck-suppress knownConditionTrueFalse ; il y a au moins un groupe
        for (std::size_t groupe = 0; groupe < groupes; ++groupe) {
            const std::uint64_t blanc = blancs(position + 64 * groupe);
            std::uint64_t bascule = blanc ^ ((blanc << 1) | (precedents >> 63));
            precedents = blanc;
            const auto base = static_cast<unsigned>(64 * groupe);
            const unsigned compte = nombreDeBits(bascule);
            // Quatorze d'un coup, sans demander s'il y en a : le tableau a la
            // place, et ce qui dépasse le compte sera écrasé ou ignoré. Une
            // colonne de nombres sur 32 bits en a 10 à 14 par groupe, une de
            // nombres de six chiffres 16 à 20 : chacune rend prévisible le
            // seul test qui décide des huit suivants.
            std::uint32_t* ecrites = bascules + nbBascules;
            unsigned i = 0;
            const auto ecrire = [&](unsigned combien) {
                for (const unsigned fin = i + combien; i < fin; ++i) {
                    // Le bit 63 ajouté ne sert que quand il n'en reste plus.
                    ecrites[i] = static_cast<std::uint32_t>(
                        base + rangDuPremier(bascule | (std::uint64_t{1} << 63)));
                    bascule &= bascule - 1;
                }
            };
            ecrire(4);
            ecrire(4);
            ecrire(4);
            ecrire(2);
            if (compte > 14) {
                ecrire(4);
                ecrire(4);
                for (; i < compte; ++i) {
                    ecrites[i] = static_cast<std::uint32_t>(base + rangDuPremier(bascule));
                    bascule &= bascule - 1;
                }
            }
            nbBascules += compte;
        }

        // 2. Chaque saisie entière du bloc, convertie de sa place connue,
        // jusqu'à la première qui n'est pas un nombre simple.
        const std::size_t saisies = nbBascules / 2;
        std::size_t saisie = 0;
        for (; saisie < saisies; ++saisie) {
            // cppcheck-suppress uninitvar ; écrites par la première passe
            const char* premier = position + bascules[2 * saisie];
            const char* apres = position + bascules[2 * saisie + 1];
            const std::uint64_t negatif = *premier == '-' ? 1 : 0;
            const auto n = static_cast<std::uint64_t>(apres - premier) - negatif;
            // Le mot qui finit avec le nombre : ses huit derniers chiffres.
            std::uint64_t refus = static_cast<std::uint64_t>(n - 1 >= 10);
            const std::uint64_t k = n - 1 < 8 ? n : 8;
            std::uint64_t valeur = huitChiffres(chiffresDe(
                chiffres::huitOctets(apres - 8), ~std::uint64_t{0} << (8 * (8 - k)), refus));
            // Un ou deux chiffres avant eux : le mot d'avant. Rare dans une
            // colonne de petits nombres, presque toujours dans une colonne sur
            // 32 bits ; le processeur le prévoit dans les deux cas.
            if (n > 8) {
                const std::uint64_t deux =
                    chiffresDe(chiffres::huitOctets(apres - 16),
                               n == 9 ? 0xFF00000000000000u : 0xFFFF000000000000u, refus) >>
                    48;
                valeur += ((deux & 0xFF) * 10 + (deux >> 8)) * 100000000;
            }
            // Un nombre qui n'est pas simple, hors limites, ou le 0 : au
            // lecteur de le lire.
            refus |= static_cast<std::uint64_t>(valeur - 1 >= 0x7FFFFFFFu + negatif);
            if (refus != 0) {
                break;
            }
            // -2^31 s'obtient sans dépasser, par le calcul sur 64 bits.
            nombres[saisie] = static_cast<std::int32_t>(
                (static_cast<std::int64_t>(valeur) ^ -static_cast<std::int64_t>(negatif)) +
                static_cast<std::int64_t>(negatif));
        }
        enregistrement.ajouterTous(nombres, saisie);
        pris += saisie;
        if (saisie < saisies) {
            position += bascules[2 * saisie];
            break;
        }
        // La suite reprend à la saisie que le bloc coupe, ou après le bloc.
        const char* suite =
            nbBascules % 2 != 0 ? position + bascules[nbBascules - 1] : position + 64 * groupes;
        if (suite == position) {
            break;  // une saisie plus longue que le bloc
        }
        position = suite;
    }
    return position;
}

}  // namespace colonne

#endif
