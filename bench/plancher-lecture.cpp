// Le plancher des entrées et sorties : ce que coûte de seulement lire la
// colonne et d'écrire les mêmes invites, sans rien calculer. Les fins de ligne
// sont comptées dans une boucle que le compilateur vectorise, et les invites
// partent d'un bloc statique, sans être recopiées. C'est la limite de ce
// travail : un programme qui lit et répond ne peut pas aller plus vite.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr char invite[] = "Entrer un nombre entier : ";
constexpr std::size_t tailleInvite = sizeof invite - 1;
constexpr std::size_t invitesParBloc = 4096;

char entree[1 << 16];
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

}  // namespace

int main() {
    for (std::size_t i = 0; i < invitesParBloc; ++i) {
        std::memcpy(bloc + i * tailleInvite, invite, tailleInvite);
    }
    std::uint64_t lignes = 0;
    ssize_t lus = 0;
    while ((lus = read(0, entree, sizeof entree)) > 0) {
        std::uint64_t ici = 0;
        for (ssize_t i = 0; i < lus; ++i) {
            ici += entree[i] == '\n' ? 1 : 0;
        }
        lignes += ici;
        for (std::uint64_t reste = ici; reste > 0;) {
            const std::uint64_t partent = reste < invitesParBloc ? reste : invitesParBloc;
            ecrire(bloc, partent * tailleInvite);
            reste -= partent;
        }
    }
    std::printf("%llu\n", static_cast<unsigned long long>(lignes));
    return 0;
}
