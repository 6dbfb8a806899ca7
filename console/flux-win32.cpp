// Les flux standard bruts sous Windows : l'entrée par la bibliothèque C (au
// clavier, Ctrl-Z y marque la fin), la sortie et les erreurs par WriteFile.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <climits>

#include "flux.h"

namespace {

// Posé par le gestionnaire de Ctrl-C, qui tourne sur un autre fil que le
// dialogue.
std::atomic<bool> interrompu{false};

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

// La poignée de Windows derrière un descripteur de la bibliothèque C : un
// entier, par l'API même.
HANDLE poignee(int descripteur) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    return reinterpret_cast<HANDLE>(_get_osfhandle(descripteur));
}

}  // namespace

void noterInterruption() { interrompu = true; }

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
        // Un tube en mode non bloquant vide, ou une lecture interrompue : la
        // suite viendra, ce n'est pas la fin.
        if (!(errno == EINTR || errno == EAGAIN || _doserrno == ERROR_NO_DATA)) {
            raison = expliquerErreur(errno);
            return 0;
        }
        // Pas d'attente de disponibilité pour un tube anonyme : on repasse bientôt.
        Sleep(10);
    }
}

// Par WriteFile lui-même : la bibliothèque C de Wine rend parfois EINVAL, sans
// erreur de Windows, quand le lecteur d'un tube est parti.
EtatEcriture ecrireTout(Descripteur descripteur, const char* donnees, std::size_t taille) {
    if (descripteur == INVALID_HANDLE_VALUE) {
        return EtatEcriture::echec;
    }
    while (taille > 0) {
        const DWORD morceau = taille < 0x40000000u ? static_cast<DWORD>(taille) : 0x40000000u;
        DWORD ecrits = 0;
        if (WriteFile(descripteur, donnees, morceau, &ecrits, nullptr) == 0) {
            const DWORD erreur = GetLastError();
            return erreur == ERROR_BROKEN_PIPE || erreur == ERROR_NO_DATA ||
                           erreur == ERROR_PIPE_NOT_CONNECTED
                       ? EtatEcriture::tuyauFerme
                       : EtatEcriture::echec;
        }
        // Un tube plein en mode PIPE_NOWAIT prend 0 octet sans échouer : le
        // lecteur est lent, on attend et on écrit encore, comme en lisant.
        if (ecrits == 0) {
            Sleep(10);
            continue;
        }
        donnees += ecrits;
        taille -= ecrits;
    }
    return EtatEcriture::reussie;
}

EtatEcriture ecrireSortieStandard(const char* donnees, std::size_t taille) {
    return ecrireTout(poignee(1), donnees, taille);
}

EtatEcriture ecrireErreurStandard(const char* donnees, std::size_t taille) {
    return ecrireTout(poignee(2), donnees, taille);
}
