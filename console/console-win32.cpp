// La console sous Windows : l'écran est effacé et la touche attendue par
// l'API de la console elle-même, sans interpréteur de commandes, et la page de
// code de la fenêtre est réglée pour le « é ».

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <ostream>

#include "console.h"
#include "flux.h"

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
// page de code est rendue ici. Une interruption arrête le programme comme
// Windows arrête un programme de console interrompu, sans rien écrire de
// plus ; la fermeture suit l'action par défaut.
BOOL WINAPI arreterPoliment(DWORD evenement) {
    retablirPageDeCode();
    if (evenement == CTRL_C_EVENT || evenement == CTRL_BREAK_EVENT) {
        noterInterruption();
        ExitProcess(STATUS_CONTROL_C_EXIT);
    }
    return FALSE;
}

// Les touches qui ne font que modifier les autres : seules, elles ne
// terminent pas la pause.
bool modificatrice(WORD touche) {
    constexpr WORD modificatrices[] = {VK_SHIFT,    VK_CONTROL,  VK_MENU,    VK_LSHIFT, VK_RSHIFT,
                                       VK_LCONTROL, VK_RCONTROL, VK_LMENU,   VK_RMENU,  VK_LWIN,
                                       VK_RWIN,     VK_CAPITAL,  VK_NUMLOCK, VK_SCROLL};
    return std::find(std::begin(modificatrices), std::end(modificatrices), touche) !=
           std::end(modificatrices);
}

// Attend l'appui d'une vraie touche. Un relâchement, la souris, le focus, un
// changement de taille ou une touche modificatrice seule ne comptent pas ;
// une console qui ne peut plus être lue ne fait pas attendre sans fin.
void lireTouche(HANDLE clavier) {
    for (;;) {
        INPUT_RECORD evenement{};
        DWORD lus = 0;
        if (ReadConsoleInputW(clavier, &evenement, 1, &lus) == 0) {
            return;
        }
        if (lus == 1 && evenement.EventType == KEY_EVENT &&
            evenement.Event.KeyEvent.bKeyDown != FALSE &&
            !modificatrice(evenement.Event.KeyEvent.wVirtualKeyCode)) {
            return;
        }
    }
}

}  // namespace

ConsoleSysteme::ConsoleSysteme()
    : entreeInteractive_(estConsole(STD_INPUT_HANDLE)), effacable_(estConsole(STD_OUTPUT_HANDLE)) {
    // Un tube ou un fichier se lit tel quel : en mode texte, un octet 0x1A y
    // passerait pour la fin de l'entrée. Au clavier, Ctrl-Z la marque encore.
    if (!entreeInteractive_) {
        (void)_setmode(0, _O_BINARY);
    }
    // Le gestionnaire d'abord : un Ctrl-C qui suit le changement de page de
    // code la rend déjà.
    if (entreeInteractive_ || effacable_) {
        SetConsoleCtrlHandler(arreterPoliment, TRUE);
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
    retablirPageDeCode();
    SetConsoleCtrlHandler(arreterPoliment, FALSE);
}

void ConsoleSysteme::effacer(std::ostream& sortie) {
    if (!effacable_) {
        return;
    }
    sortie.flush();
    // Tout le tampon de l'écran en blancs, aux couleurs du texte, puis le
    // curseur en haut à gauche. Un échec laisse l'écran tel quel.
    HANDLE ecran = GetStdHandle(STD_OUTPUT_HANDLE);
    CONSOLE_SCREEN_BUFFER_INFO etat{};
    if (GetConsoleScreenBufferInfo(ecran, &etat) == 0) {
        return;
    }
    const DWORD cases = static_cast<DWORD>(etat.dwSize.X) * static_cast<DWORD>(etat.dwSize.Y);
    const COORD origine{0, 0};
    DWORD faites = 0;
    (void)FillConsoleOutputCharacterA(ecran, ' ', cases, origine, &faites);
    (void)FillConsoleOutputAttribute(ecran, etat.wAttributes, cases, origine, &faites);
    (void)SetConsoleCursorPosition(ecran, origine);
}

void ConsoleSysteme::attendreTouche(std::ostream& sortie) {
    if (!entreeInteractive_) {
        return;
    }
    sortie.flush();
    // Le message va à la fenêtre, même quand la sortie standard part dans un
    // fichier ou un tube : ce qui y est écrit reste le seul dialogue.
    HANDLE ecran =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    // Sans fenêtre (INVALID_HANDLE_VALUE), l'écriture refuse le message, et
    // la pause attend quand même.
    constexpr char message[] = "Appuyez sur une touche pour continuer...";
    (void)ecrireTout(ecran, message, sizeof message - 1);
    lireTouche(GetStdHandle(STD_INPUT_HANDLE));
    (void)ecrireTout(ecran, "\r\n", 2);
    if (ecran != INVALID_HANDLE_VALUE) {
        CloseHandle(ecran);
    }
}
