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

void retablirPageDeCode() {
    if (pageDeCodeInitiale != 0 && pageDeCodeInitiale != europeOccidentale) {
        SetConsoleOutputCP(pageDeCodeInitiale);
    }
}

// Ctrl-C, Ctrl-Pause ou la fenêtre fermée : le destructeur ne passera pas, la
// page de code est rendue ici, puis l'action par défaut arrête le programme.
BOOL WINAPI arreterPoliment(DWORD) {
    retablirPageDeCode();
    return FALSE;
}

// Le lecteur du tube s'en est allé : la bibliothèque C le dit par EPIPE, ou
// laisse l'erreur de Windows, selon le système, dans _doserrno.
bool lecteurParti() {
    const unsigned long systeme = _doserrno;
    return errno == EPIPE || systeme == ERROR_BROKEN_PIPE || systeme == ERROR_NO_DATA ||
           systeme == ERROR_PIPE_NOT_CONNECTED;
}

// Un tube en mode non bloquant vide, ou une lecture interrompue : la suite
// viendra, ce n'est pas la fin.
bool lectureARefaire() { return errno == EINTR || errno == EAGAIN || _doserrno == ERROR_NO_DATA; }

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
            SetConsoleCtrlHandler(arreterPoliment, TRUE);
            SetConsoleOutputCP(europeOccidentale);
        }
    }
}

ConsoleSysteme::~ConsoleSysteme() {
    // La fenêtre retrouve la page de code qu'elle avait avant le programme.
    retablirPageDeCode();
    SetConsoleCtrlHandler(arreterPoliment, FALSE);
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
        _doserrno = 0;
        const int lus = _read(0, tampon, demande);
        if (lus >= 0) {
            return static_cast<std::size_t>(lus);
        }
        if (!lectureARefaire()) {
            raison = expliquerErreur(errno);
            return 0;
        }
        // Pas d'attente de disponibilité pour un tube anonyme : on repasse bientôt.
        Sleep(10);
    }
}

EtatEcriture ecrireSortieStandard(const char* donnees, std::size_t taille) {
    while (taille > 0) {
        const unsigned int morceau = taille < INT_MAX ? static_cast<unsigned int>(taille) : INT_MAX;
        _doserrno = 0;
        const int ecrits = _write(1, donnees, morceau);
        if (ecrits < 0 && lecteurParti()) {
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
