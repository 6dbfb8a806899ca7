// La console sous Windows : l'écran est effacé et la touche attendue par
// l'API de la console elle-même, sans interpréteur de commandes, et la page de
// code de la fenêtre est réglée pour le « é ».

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
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

// Posé par le gestionnaire de Ctrl-C, qui tourne sur un autre fil que le
// dialogue.
std::atomic<bool> interrompu{false};

// Ctrl-C, Ctrl-Pause ou la fenêtre fermée : le destructeur ne passera pas, la
// page de code est rendue ici. Une interruption arrête le programme comme
// Windows arrête un programme de console interrompu, sans rien écrire de
// plus ; la fermeture suit l'action par défaut.
BOOL WINAPI arreterPoliment(DWORD evenement) {
    retablirPageDeCode();
    if (evenement == CTRL_C_EVENT || evenement == CTRL_BREAK_EVENT) {
        interrompu = true;
        ExitProcess(STATUS_CONTROL_C_EXIT);
    }
    return FALSE;
}

// Une lecture de la console que Ctrl-C a coupée rend 0 octet, comme la fin de
// l'entrée, pendant que le gestionnaire démarre sur son fil : le dialogue ne
// doit pas aller plus loin. Vrai si la lecture est à refaire, quand
// l'interruption est ignorée (elle ne vient alors jamais).
bool attendreInterruption() {
    if (!interrompu && GetLastError() != ERROR_OPERATION_ABORTED &&
        _doserrno != ERROR_OPERATION_ABORTED) {
        return false;
    }
    for (int attente = 0; attente < 200 && !interrompu; ++attente) {
        Sleep(10);
    }
    while (interrompu) {
        Sleep(INFINITE);
    }
    return true;
}

// Un tube en mode non bloquant vide, ou une lecture interrompue : la suite
// viendra, ce n'est pas la fin.
bool lectureARefaire() { return errno == EINTR || errno == EAGAIN || _doserrno == ERROR_NO_DATA; }

// Un message pour la fenêtre : s'il ne passe pas, la pause attend quand même.
void montrer(HANDLE ecran, const char* texte) {
    if (ecran == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD ecrits = 0;
    auto reste = static_cast<DWORD>(std::strlen(texte));
    while (reste > 0 && WriteConsoleA(ecran, texte, reste, &ecrits, nullptr) != 0 && ecrits > 0) {
        texte += ecrits;
        reste -= ecrits;
    }
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
    // La sortie et les erreurs s'écrivent en mode binaire : leurs fins de
    // ligne CR LF sont faites plus bas, par grands morceaux.
    (void)_setmode(1, _O_BINARY);
    (void)_setmode(2, _O_BINARY);
    if (effacable_) {
        pageDeCodeInitiale = GetConsoleOutputCP();
        if (pageDeCodeInitiale != europeOccidentale) {
            SetConsoleOutputCP(europeOccidentale);
        }
    }
    if (entreeInteractive_ || effacable_) {
        SetConsoleCtrlHandler(arreterPoliment, TRUE);
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
    montrer(ecran, "Appuyez sur une touche pour continuer...");
    lireTouche(GetStdHandle(STD_INPUT_HANDLE));
    montrer(ecran, "\r\n");
    if (ecran != INVALID_HANDLE_VALUE) {
        CloseHandle(ecran);
    }
}

std::size_t lireEntreeStandard(char* tampon, std::size_t taille, std::string& raison) {
    const unsigned int demande = taille < INT_MAX ? static_cast<unsigned int>(taille) : INT_MAX;
    for (;;) {
        _doserrno = 0;
        SetLastError(0);
        const int lus = _read(0, tampon, demande);
        if (lus > 0) {
            return static_cast<std::size_t>(lus);
        }
        if (attendreInterruption()) {
            continue;
        }
        if (lus == 0) {
            return 0;
        }
        if (!lectureARefaire()) {
            raison = expliquerErreur(errno);
            return 0;
        }
        // Pas d'attente de disponibilité pour un tube anonyme : on repasse bientôt.
        Sleep(10);
    }
}

namespace {

// Par WriteFile lui-même : la bibliothèque C de Wine rend parfois EINVAL, sans
// erreur de Windows, quand le lecteur d'un tube est parti.
EtatEcriture ecrireBrut(int descripteur, const char* donnees, std::size_t taille) {
    // La poignée de Windows derrière le descripteur : un entier, par l'API même.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    const auto fichier = reinterpret_cast<HANDLE>(_get_osfhandle(descripteur));
    if (fichier == INVALID_HANDLE_VALUE) {
        return EtatEcriture::echec;
    }
    while (taille > 0) {
        const DWORD morceau = taille < 0x40000000u ? static_cast<DWORD>(taille) : 0x40000000u;
        DWORD ecrits = 0;
        if (WriteFile(fichier, donnees, morceau, &ecrits, nullptr) == 0) {
            const DWORD erreur = GetLastError();
            return erreur == ERROR_BROKEN_PIPE || erreur == ERROR_NO_DATA ||
                           erreur == ERROR_PIPE_NOT_CONNECTED
                       ? EtatEcriture::tuyauFerme
                       : EtatEcriture::echec;
        }
        if (ecrits == 0) {
            return EtatEcriture::echec;
        }
        donnees += ecrits;
        taille -= ecrits;
    }
    return EtatEcriture::reussie;
}

// La première fin de ligne entre debut et fin, ou nullptr. Le memchr de la
// bibliothèque C de Windows (et de Wine) va octet par octet : sur les longs
// blocs d'invites, on cherche seize octets à la fois.
const char* finDeLigne(const char* debut, const char* fin) {
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i saut = _mm_set1_epi8('\n');
    for (; fin - debut >= 16; debut += 16) {
        const __m128i seize = _mm_loadu_si128(reinterpret_cast<const __m128i*>(debut));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(seize, saut)) != 0) {
            break;
        }
    }
#endif
    return static_cast<const char*>(
        std::memchr(debut, '\n', static_cast<std::size_t>(fin - debut)));
}

// Chaque fin de ligne devient CR LF, comme en mode texte, mais les octets
// partent par grands morceaux, non par le petit tampon de la bibliothèque C :
// les lignes courtes, CR compris, sont réunies dans un tampon de 128 Kio ; un
// long texte sans fin de ligne (les invites d'une colonne) part tel quel.
EtatEcriture ecrireTout(int descripteur, const char* donnees, std::size_t taille) {
    static std::array<char, 131072> traduits;
    constexpr std::size_t long_ = 16384;
    std::size_t plein = 0;
    const char* const fin = donnees + taille;
    while (donnees < fin) {
        const auto reste = static_cast<std::size_t>(fin - donnees);
        const char* ligne = finDeLigne(donnees, fin);
        const std::size_t avant =
            ligne != nullptr ? static_cast<std::size_t>(ligne - donnees) : reste;
        const std::size_t suite = ligne != nullptr ? 2 : 0;
        if (plein + avant + suite > traduits.size() || avant >= long_) {
            const EtatEcriture etat = ecrireBrut(descripteur, traduits.data(), plein);
            plein = 0;
            if (etat != EtatEcriture::reussie) {
                return etat;
            }
        }
        if (avant >= long_) {
            const EtatEcriture etat = ecrireBrut(descripteur, donnees, avant);
            if (etat != EtatEcriture::reussie) {
                return etat;
            }
        } else {
            std::memcpy(traduits.data() + plein, donnees, avant);
            plein += avant;
        }
        donnees += avant;
        if (ligne != nullptr) {
            traduits[plein++] = '\r';
            traduits[plein++] = '\n';
            ++donnees;
        }
    }
    return ecrireBrut(descripteur, traduits.data(), plein);
}

}  // namespace

EtatEcriture ecrireSortieStandard(const char* donnees, std::size_t taille) {
    return ecrireTout(1, donnees, taille);
}

EtatEcriture ecrireErreurStandard(const char* donnees, std::size_t taille) {
    return ecrireTout(2, donnees, taille);
}
