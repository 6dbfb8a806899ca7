// La console sous Windows : l'interpréteur de commandes efface l'écran et
// fait la pause, et la page de code de la fenêtre est réglée pour le « é ».

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ostream>

#include "console.h"

namespace {

// Une vraie fenêtre de console, et non un tube, un fichier ou NUL.
bool estConsole(DWORD quelle) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(quelle), &mode) != 0;
}

// Windows-1252, où 0xE9 est « é » comme en ISO 8859-1.
constexpr UINT europeOccidentale = 1252;
UINT pageDeCodeInitiale = 0;

}  // namespace

ConsoleSysteme::ConsoleSysteme()
    : entreeInteractive_(estConsole(STD_INPUT_HANDLE)), effacable_(estConsole(STD_OUTPUT_HANDLE)) {
    // Un tube ou un fichier se lit tel quel : en mode texte, un octet 0x1A y
    // passerait pour la fin de l'entrée. Au clavier, Ctrl-Z la marque encore.
    if (!entreeInteractive_) {
        (void)_setmode(0, _O_BINARY);
    }
    if (effacable_) {
        pageDeCodeInitiale = GetConsoleOutputCP();
        if (pageDeCodeInitiale != europeOccidentale) {
            SetConsoleOutputCP(europeOccidentale);
        }
    }
}

ConsoleSysteme::~ConsoleSysteme() {
    // La fenêtre retrouve la page de code qu'elle avait avant le programme.
    if (pageDeCodeInitiale != 0 && pageDeCodeInitiale != europeOccidentale) {
        SetConsoleOutputCP(pageDeCodeInitiale);
    }
}

void ConsoleSysteme::effacer(std::ostream& sortie) {
    if (effacable_) {
        sortie.flush();
        (void)std::system("cls");
    }
}

void ConsoleSysteme::attendreTouche(std::ostream& sortie) {
    if (entreeInteractive_) {
        sortie.flush();
        (void)std::system("pause");
    }
}

std::size_t lireEntreeStandard(char* tampon, std::size_t taille, std::string& raison) {
    const unsigned int demande = taille < INT_MAX ? static_cast<unsigned int>(taille) : INT_MAX;
    for (;;) {
        const int lus = _read(0, tampon, demande);
        if (lus >= 0) {
            return static_cast<std::size_t>(lus);
        }
        if (errno != EINTR) {
            raison = expliquerErreur(errno);
            return 0;
        }
    }
}

EtatEcriture ecrireSortieStandard(const char* donnees, std::size_t taille) {
    while (taille > 0) {
        const unsigned int morceau = taille < INT_MAX ? static_cast<unsigned int>(taille) : INT_MAX;
        const int ecrits = _write(1, donnees, morceau);
        if (ecrits < 0 && errno == EPIPE) {
            return EtatEcriture::tuyauFerme;
        }
        if (ecrits <= 0) {
            return EtatEcriture::echec;
        }
        donnees += ecrits;
        taille -= static_cast<std::size_t>(ecrits);
    }
    return EtatEcriture::reussie;
}
