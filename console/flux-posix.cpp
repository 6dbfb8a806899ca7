// Les flux standard bruts sur Linux et les autres systèmes POSIX : read et
// write, qui attendent un descripteur non bloquant au lieu de le croire fini.

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "flux.h"

bool attendrePret(Descripteur descripteur, short evenement, int delai) {
    struct pollfd attente {};
    attente.fd = descripteur;
    attente.events = evenement;
    int prets = 0;
    while ((prets = poll(&attente, 1, delai)) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return prets > 0;
}

EtatEcriture ecrireTout(Descripteur descripteur, const char* donnees, std::size_t taille) {
    while (taille > 0) {
        const ssize_t ecrits = write(descripteur, donnees, taille);
        if (ecrits < 0 && errno == EINTR) {
            continue;
        }
        // Une sortie non bloquante pleine : on attend que le lecteur suive.
        if (ecrits < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) &&
            attendrePret(descripteur, POLLOUT)) {
            continue;
        }
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

std::size_t lireEntreeStandard(char* tampon, std::size_t taille, std::string& raison) {
    for (;;) {
        const ssize_t lus = read(STDIN_FILENO, tampon, taille);
        if (lus >= 0) {
            return static_cast<std::size_t>(lus);
        }
        // Une entrée non bloquante vide n'est pas finie : on attend la suite.
        if (errno == EINTR ||
            ((errno == EAGAIN || errno == EWOULDBLOCK) && attendrePret(STDIN_FILENO, POLLIN))) {
            continue;
        }
        raison = expliquerErreur(errno);
        return 0;
    }
}

EtatEcriture ecrireSortieStandard(const char* donnees, std::size_t taille) {
    return ecrireTout(STDOUT_FILENO, donnees, taille);
}

EtatEcriture ecrireErreurStandard(const char* donnees, std::size_t taille) {
    // SIGPIPE attend le temps de l'écriture ; s'il vient d'elle (plus personne
    // ne lit les erreurs), il est pris ici et le message seul est perdu.
    sigset_t tuyau;
    sigset_t avant;
    sigset_t enAttente;
    sigemptyset(&tuyau);
    sigaddset(&tuyau, SIGPIPE);
    sigprocmask(SIG_BLOCK, &tuyau, &avant);
    const bool dejaLa = sigpending(&enAttente) == 0 && sigismember(&enAttente, SIGPIPE) == 1;
    const EtatEcriture etat = ecrireTout(STDERR_FILENO, donnees, taille);
    if (!dejaLa && sigpending(&enAttente) == 0 && sigismember(&enAttente, SIGPIPE) == 1) {
        int recu = 0;
        (void)sigwait(&tuyau, &recu);
    }
    sigprocmask(SIG_SETMASK, &avant, nullptr);
    return etat;
}
