// Le plancher fort de la mesure : le même travail que le plancher simple, avec
// les techniques connues. Un grand tampon de lecture, huit chiffres à la fois
// dans un mot de 64 bits, les invites écrites d'un bloc statique sans être
// recopiées. Ni vérification des saisies, ni flux, ni question.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr char invite[] = "Entrer un nombre entier : ";
constexpr std::size_t tailleInvite = sizeof invite - 1;
constexpr std::size_t invitesParBloc = 4096;
constexpr std::uint64_t uns = 0x0101010101010101u;

char entree[1 << 20];
char bloc[invitesParBloc * tailleInvite];

void ecrire(const char* donnees, std::size_t taille) {
    while (taille > 0) {
        const ssize_t ecrits = write(1, donnees, taille);
        if (ecrits <= 0) {
            _exit(1);
        }
        donnees += ecrits;
        taille -= static_cast<std::size_t>(ecrits);
    }
}

void ecrireInvites(std::uint64_t nombre) {
    while (nombre > 0) {
        const std::uint64_t parti = nombre < invitesParBloc ? nombre : invitesParBloc;
        ecrire(bloc, parti * tailleInvite);
        nombre -= parti;
    }
}

std::uint64_t lireMot(const char* octets) {
    std::uint64_t mot = 0;
    std::memcpy(&mot, octets, sizeof mot);  // petit-boutiste : la mesure tourne sur amd64
    return mot;
}

}  // namespace

int main() {
    for (std::size_t i = 0; i < invitesParBloc; ++i) {
        std::memcpy(bloc + i * tailleInvite, invite, tailleInvite);
    }
    std::int64_t nb = 0, total = 0, nbPairs = 0, sommePairs = 0;
    std::int32_t minimum = 0, maximum = 0;
    std::uint64_t invites = 0;
    bool fini = false;
    std::size_t garde = 0;  // octets d'un nombre coupé par la fin du tampon
    while (!fini) {
        const ssize_t lus = read(0, entree + garde, sizeof entree - garde - 16);
        if (lus <= 0) {
            break;
        }
        const std::size_t fin = garde + static_cast<std::size_t>(lus);
        std::memset(entree + fin, '\n', 16);
        const char* c = entree;
        const char* const limite = entree + fin;
        while (c < limite && !fini) {
            while (c < limite && (*c == '\n' || *c == ' ')) {
                ++c;
            }
            if (c >= limite) {
                break;
            }
            const char* debut = c;
            const bool negatif = *c == '-';
            c += negatif ? 1 : 0;
            const std::uint64_t mot = lireMot(c);
            const std::uint64_t marques = ((mot - uns * '0') | (mot + uns * 0x46)) & (uns * 0x80);
            const std::uint64_t premier = marques & (~marques + 1);
            const unsigned n = static_cast<unsigned>(((((premier >> 7) - 1) & uns) * uns) >> 56);
            if (c + n >= limite && lus > 0) {
                // Le nombre continue peut-être dans la lecture suivante.
                garde = static_cast<std::size_t>(limite - debut);
                std::memmove(entree, debut, garde);
                break;
            }
            std::uint64_t v = (mot - uns * '0') << (8 * (8 - n));
            v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FFu;
            v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFFu;
            v = (v * 10000 + (v >> 32)) & 0xFFFFFFFFu;
            c += n;
            const auto nombre = static_cast<std::int32_t>(negatif ? -static_cast<std::int64_t>(v)
                                                                  : static_cast<std::int64_t>(v));
            ++invites;
            if (nombre == 0) {
                fini = true;
                break;
            }
            minimum = nb == 0 || nombre < minimum ? nombre : minimum;
            maximum = nb == 0 || nombre > maximum ? nombre : maximum;
            ++nb;
            total += nombre;
            if (nombre % 2 == 0) {
                ++nbPairs;
                sommePairs += nombre;
            }
            garde = 0;
        }
        ecrireInvites(invites);
        invites = 0;
    }
    // Le compte, le total, la moyenne, les extrêmes, puis les classes.
    std::printf("%lld %lld %g %d %d %lld %lld %lld %lld\n", static_cast<long long>(nb),
                static_cast<long long>(total),
                static_cast<double>(
                    static_cast<float>(static_cast<double>(total) / static_cast<double>(nb))),
                minimum, maximum, static_cast<long long>(nbPairs),
                static_cast<long long>(nb - nbPairs), static_cast<long long>(sommePairs),
                static_cast<long long>(total - sommePairs));
    return 0;
}
