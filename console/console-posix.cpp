// La console sur Linux et les autres systèmes POSIX : un terminal piloté par
// séquences ANSI et par termios.

#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>

#include "console.h"

namespace {

// Réglages du terminal pendant la pause, lus par les gestionnaires de signaux.
struct termios reglagesInitiaux;
struct termios reglagesPause;
struct sigaction gestionnaire;

constexpr int signauxSurveilles[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};
constexpr int nbSignaux = static_cast<int>(sizeof signauxSurveilles / sizeof signauxSurveilles[0]);

void installer(int signal, void (*action)(int)) {
    struct sigaction reglage {};
    reglage.sa_handler = action;
    sigemptyset(&reglage.sa_mask);
    sigaction(signal, &reglage, nullptr);
}

// Ne fait que des appels sûrs dans un gestionnaire de signal : rend au
// terminal ses réglages, puis laisse le signal suivre son cours habituel.
extern "C" void retablirTerminal(int signal) {
    const int erreurSauvee = errno;
    tcsetattr(STDIN_FILENO, TCSANOW, &reglagesInitiaux);
    installer(signal, SIG_DFL);
    sigset_t masque;
    sigemptyset(&masque);
    sigaddset(&masque, signal);
    sigprocmask(SIG_UNBLOCK, &masque, nullptr);
    (void)raise(signal);
    // On n'arrive ici qu'après une suspension (Ctrl-Z) suivie d'une reprise.
    sigaction(signal, &gestionnaire, nullptr);
    tcsetattr(STDIN_FILENO, TCSANOW, &reglagesPause);
    errno = erreurSauvee;
}

bool estUtf8(const char* jeu) {
    std::string normal;
    for (const char* c = jeu; *c != '\0' && *c != '@'; ++c) {
        if (*c != '-' && *c != '_') {
            normal += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
        }
    }
    return normal == "utf8";
}

// Le jeu de caractères que la bibliothèque C prendrait pour ce terminal,
// lu sans toucher à la locale du programme.
bool terminalUtf8() {
    locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (locale != static_cast<locale_t>(nullptr)) {
        const bool utf8 = estUtf8(nl_langinfo_l(CODESET, locale));
        freelocale(locale);
        return utf8;
    }
    // Locale absente de cette machine : son nom dit encore ce qu'attend le terminal.
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* nom = std::getenv(variable);
        if (nom != nullptr && *nom != '\0') {
            const char* point = std::strchr(nom, '.');
            return estUtf8(point != nullptr ? point + 1 : nom);
        }
    }
    return false;
}

// Écrit tout sur un descripteur, ou dit pourquoi ce n'est pas possible.
EtatEcriture ecrireTout(int descripteur, const char* donnees, std::size_t taille) {
    while (taille > 0) {
        const ssize_t ecrits = write(descripteur, donnees, taille);
        if (ecrits < 0 && errno == EINTR) {
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

// Un message pour l'écran : s'il ne passe pas, la pause attend quand même.
void montrer(int ecran, const char* texte) { (void)ecrireTout(ecran, texte, std::strlen(texte)); }

// Où montrer le message de la pause : l'écran de l'utilisateur, même quand
// la sortie standard part dans un tube.
int ouvrirEcran(bool& aFermer) {
    aFermer = false;
    if (isatty(STDOUT_FILENO) != 0) {
        return STDOUT_FILENO;
    }
    const int terminal = open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (terminal >= 0) {
        aFermer = true;
        return terminal;
    }
    return isatty(STDERR_FILENO) != 0 ? STDERR_FILENO : -1;
}

}  // namespace

ConsoleSysteme::ConsoleSysteme() : entreeInteractive_(isatty(STDIN_FILENO) != 0) {
    const bool sortieInteractive = isatty(STDOUT_FILENO) != 0;
    const char* terminal = std::getenv("TERM");
    effacable_ = sortieInteractive && (terminal == nullptr || std::strcmp(terminal, "dumb") != 0);
    if (sortieInteractive && terminalUtf8()) {
        eAigu_ = "\xC3\xA9";
    }
}

ConsoleSysteme::~ConsoleSysteme() = default;

void ConsoleSysteme::effacer(std::ostream& sortie) {
    if (effacable_) {
        // Curseur en haut à gauche, puis tout l'écran effacé.
        sortie << "\x1b[H\x1b[2J";
        sortie.flush();
    }
}

void ConsoleSysteme::attendreTouche(std::ostream& sortie) {
    if (!entreeInteractive_) {
        return;
    }
    sortie.flush();
    if (tcgetattr(STDIN_FILENO, &reglagesInitiaux) != 0) {
        return;
    }
    bool aFermer = false;
    const int ecran = ouvrirEcran(aFermer);
    if (ecran >= 0) {
        montrer(ecran, "Appuyez sur une touche pour continuer...");
    }

    reglagesPause = reglagesInitiaux;
    reglagesPause.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    reglagesPause.c_cc[VMIN] = 1;
    reglagesPause.c_cc[VTIME] = 0;

    struct sigaction anciens[nbSignaux];
    gestionnaire = {};
    gestionnaire.sa_handler = retablirTerminal;
    sigemptyset(&gestionnaire.sa_mask);
    for (int i = 0; i < nbSignaux; ++i) {
        sigaction(signauxSurveilles[i], &gestionnaire, &anciens[i]);
    }

    // La touche est lue sur le terminal lui-même : ce que le flux d'entrée a
    // déjà pris (la fin de ligne après la réponse) ne compte pas.
    if (tcsetattr(STDIN_FILENO, TCSANOW, &reglagesPause) == 0) {
        char touche = 0;
        while (read(STDIN_FILENO, &touche, 1) < 0 && errno == EINTR) {
        }
    }

    tcsetattr(STDIN_FILENO, TCSANOW, &reglagesInitiaux);
    for (int i = 0; i < nbSignaux; ++i) {
        sigaction(signauxSurveilles[i], &anciens[i], nullptr);
    }
    if (ecran >= 0) {
        montrer(ecran, "\n");
        if (aFermer) {
            close(ecran);
        }
    }
}

std::size_t lireEntreeStandard(char* tampon, std::size_t taille) {
    for (;;) {
        const ssize_t lus = read(STDIN_FILENO, tampon, taille);
        if (lus >= 0) {
            return static_cast<std::size_t>(lus);
        }
        if (errno != EINTR) {
            return 0;
        }
    }
}

EtatEcriture ecrireSortieStandard(const char* donnees, std::size_t taille) {
    return ecrireTout(STDOUT_FILENO, donnees, taille);
}
