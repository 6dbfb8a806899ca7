// Le plancher de la mesure : le moins de travail que demande le même
// résultat sur une colonne de nombres. Un tampon de lecture, les chiffres lus
// sur place, l'invite recopiée une fois par nombre, le compte, le total, les
// extrêmes et les classes paire et impaire, un court rapport. Ni vérification
// des saisies, ni flux, ni question : seulement ce qu'aucun programme ne peut
// éviter.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr char invite[] = "Entrer un nombre entier : ";
constexpr std::size_t tailleInvite = sizeof invite - 1;

char entree[65536];
char sortie[65536];
std::size_t enSortie = 0;

void vider() {
    std::size_t fait = 0;
    while (fait < enSortie) {
        const ssize_t ecrits = write(1, sortie + fait, enSortie - fait);
        if (ecrits <= 0) {
            _exit(1);
        }
        fait += static_cast<std::size_t>(ecrits);
    }
    enSortie = 0;
}

}  // namespace

int main() {
    std::int64_t nb = 0, total = 0, nbPairs = 0, sommePairs = 0;
    std::int32_t minimum = 0, maximum = 0;
    std::int64_t valeur = 0;
    bool negatif = false, dansNombre = false, fini = false;
    ssize_t lus = 0;
    while (!fini && (lus = read(0, entree, sizeof entree)) > 0) {
        for (const char* c = entree; c < entree + lus && !fini; ++c) {
            if (*c >= '0' && *c <= '9') {
                valeur = valeur * 10 + (*c - '0');
                dansNombre = true;
                continue;
            }
            if (*c == '-') {
                negatif = true;
                continue;
            }
            if (!dansNombre) {
                continue;
            }
            const auto n = static_cast<std::int32_t>(negatif ? -valeur : valeur);
            valeur = 0;
            negatif = dansNombre = false;
            if (enSortie + tailleInvite > sizeof sortie) {
                vider();
            }
            std::memcpy(sortie + enSortie, invite, tailleInvite);
            enSortie += tailleInvite;
            if (n == 0) {
                fini = true;
                break;
            }
            minimum = nb == 0 || n < minimum ? n : minimum;
            maximum = nb == 0 || n > maximum ? n : maximum;
            ++nb;
            total += n;
            if (n % 2 == 0) {
                ++nbPairs;
                sommePairs += n;
            }
        }
    }
    vider();
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
