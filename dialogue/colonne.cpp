// Une colonne de nombres prise un bloc à la fois.
//
// Lire un nombre après l'autre fait attendre chacun sur le précédent : on ne
// sait où commence un nombre qu'une fois le précédent lu. Ici, une première
// passe sur le bloc marque chaque endroit où l'on passe d'un blanc à autre
// chose ou l'inverse : ces bascules donnent le début de chaque saisie et
// l'octet qui suit sa fin. Puis chaque saisie est convertie depuis sa place
// déjà connue ; rien ne relie une conversion à la suivante, et le processeur
// en mène plusieurs à la fois. Le premier bloc n'a qu'un groupe de 64 octets,
// et chacun double le suivant, jusqu'à 4 Kio : une courte série ne fait pas
// marquer 4 Kio.
//
// La conversion d'un nombre n'a que deux branches que les données décident,
// que le processeur prévoit : un nombre de plus de huit chiffres, et le
// premier qui n'est pas simple, qui finit le bloc.

#include "colonne.h"

#include "chiffres.h"
#include "statistiques.h"

namespace colonne {

namespace {

// Un groupe de 64 octets donne un masque de 64 bits ; un bloc en a au plus
// 64 : les fins de boucle, imprévisibles, ne viennent qu'une fois par 4 Kio.
constexpr std::size_t groupesParBloc = 64;
constexpr std::size_t octetsParBloc = 64 * groupesParBloc;

// Compté en arithmétique : sans instruction dédiée dans le jeu de base du
// processeur, le compilateur appellerait une fonction.
unsigned nombreDeBits(std::uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555u;
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<unsigned>((x * chiffres::uns) >> 56);
}

// Les bascules de groupes groupes depuis position, dans l'ordre : un octet
// dont le précédent n'est pas de la même sorte (blanc ou non). L'octet
// d'avant compte pour un blanc : la position est au début d'une saisie. Elles
// alternent : début d'une saisie, octet qui suit sa fin, début de la
// suivante... Rend leur nombre.
std::size_t marquerBascules(const char* position, std::size_t groupes,
                            std::uint32_t (&bascules)[octetsParBloc]) {
    std::size_t nbBascules = 0;
    std::uint64_t precedents = std::uint64_t{1} << 63;
    for (std::size_t groupe = 0; groupe < groupes; ++groupe) {
        const std::uint64_t blanc = chiffres::blancs(position + 64 * groupe);
        std::uint64_t bascule = blanc ^ ((blanc << 1) | (precedents >> 63));
        precedents = blanc;
        const auto base = static_cast<unsigned>(64 * groupe);
        const unsigned compte = nombreDeBits(bascule);
        // Quatorze d'un coup, sans demander s'il y en a : au plus 64 par
        // groupe, le tableau a la place, et ce qui dépasse le compte sera
        // écrasé ou ignoré. Une colonne de nombres sur 32 bits en a 10 à 14
        // par groupe, une de nombres de six chiffres 16 à 20 : chacune rend
        // prévisible le seul test qui décide des huit suivants.
        std::uint32_t* ecrites = bascules + nbBascules;
        unsigned i = 0;
        const auto ecrire = [&](unsigned combien) {
            for (const unsigned jusqua = i + combien; i < jusqua; ++i) {
                // Le bit 63 ajouté ne sert que quand il n'en reste plus.
                ecrites[i] = static_cast<std::uint32_t>(
                    base + chiffres::rangDuPremier(bascule | (std::uint64_t{1} << 63)));
                bascule &= bascule - 1;
            }
        };
        ecrire(14);
        if (compte > 14) {
            ecrire(8);
            ecrire(compte > i ? compte - i : 0);
        }
        nbBascules += compte;
    }
    return nbBascules;
}

// Les saisies entières du bloc, converties de leur place connue dans
// nombres, jusqu'à la première qui n'est pas un nombre simple. Rend combien
// l'étaient.
std::size_t convertir(const char* position, const std::uint32_t (&bascules)[octetsParBloc],
                      std::size_t saisies, std::int32_t (&nombres)[octetsParBloc / 2]) {
    std::size_t saisie = 0;
    for (; saisie < saisies; ++saisie) {
        const char* premier = position + bascules[2 * saisie];
        const char* apres = position + bascules[2 * saisie + 1];
        const std::uint64_t negatif = *premier == '-' ? 1 : 0;
        const auto n = static_cast<std::uint64_t>(apres - premier) - negatif;
        // Le mot qui finit avec le nombre : ses huit derniers chiffres.
        std::uint64_t refus = static_cast<std::uint64_t>(n - 1 >= 10);
        const std::uint64_t k = n - 1 < 8 ? n : 8;
        const std::uint64_t derniers = chiffres::valeursDe(chiffres::huitOctets(apres - 8)) &
                                       (~std::uint64_t{0} << (8 * (8 - k)));
        refus |= chiffres::nonChiffres(derniers);
        std::uint64_t valeur = chiffres::valeur(derniers);
        // Un ou deux chiffres avant eux : le mot d'avant. Rare dans une
        // colonne de petits nombres, presque toujours dans une colonne sur
        // 32 bits ; le processeur le prévoit dans les deux cas.
        if (n > 8) {
            const std::uint64_t deux = chiffres::valeursDe(chiffres::huitOctets(apres - 16)) &
                                       (n == 9 ? 0xFF00000000000000u : 0xFFFF000000000000u);
            refus |= chiffres::nonChiffres(deux);
            valeur += (((deux >> 48) & 0xFF) * 10 + (deux >> 56)) * 100000000;
        }
        // Le 0 qui finit la série, ou hors limites : au lecteur de le lire.
        refus |= static_cast<std::uint64_t>(valeur - 1 >= chiffres::plusGrandeValeur(negatif));
        if (refus != 0) {
            break;
        }
        nombres[saisie] = chiffres::signe(valeur, negatif);
    }
    return saisie;
}

}  // namespace

const char* prendre(const char* debut, const char* fin, Statistiques& statistiques,
                    std::uint64_t& pris) {
    std::uint32_t bascules[octetsParBloc];
    std::int32_t nombres[octetsParBloc / 2];
    pris = 0;
    const char* position = debut;
    std::size_t groupesDuBloc = 1;
    while (fin - position >= 64) {
        const auto reste = static_cast<std::size_t>(fin - position) / 64;
        const std::size_t groupes = reste < groupesDuBloc ? reste : groupesDuBloc;
        groupesDuBloc = 2 * groupesDuBloc < groupesParBloc ? 2 * groupesDuBloc : groupesParBloc;
        const std::size_t nbBascules = marquerBascules(position, groupes, bascules);
        const std::size_t saisies = nbBascules / 2;
        const std::size_t converties = convertir(position, bascules, saisies, nombres);
        statistiques.ajouterTous(nombres, converties);
        pris += converties;
        if (converties < saisies) {
            return position + bascules[2 * converties];
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
