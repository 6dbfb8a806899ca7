// La console sur Linux et les autres systèmes POSIX : un terminal piloté par
// séquences ANSI et par termios.

#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <poll.h>
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
#include "flux.h"

namespace {

// Réglages du terminal pendant la pause, lus par les gestionnaires de signaux.
struct termios reglagesInitiaux;
struct termios reglagesPause;
struct sigaction gestionnaire;

constexpr int signauxSurveilles[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};
constexpr int nbSignaux = static_cast<int>(sizeof signauxSurveilles / sizeof signauxSurveilles[0]);
// Ce que faisait chaque signal avant la pause.
struct sigaction anciens[nbSignaux];

// Ne fait que des appels sûrs dans un gestionnaire de signal : rend au
// terminal ses réglages, puis laisse le signal suivre le cours qu'il avait
// avant la pause.
extern "C" void retablirTerminal(int signal) {
    const int erreurSauvee = errno;
    tcsetattr(STDIN_FILENO, TCSANOW, &reglagesInitiaux);
    for (int i = 0; i < nbSignaux; ++i) {
        if (signauxSurveilles[i] == signal) {
            sigaction(signal, &anciens[i], nullptr);
        }
    }
    sigset_t masque;
    sigemptyset(&masque);
    sigaddset(&masque, signal);
    sigprocmask(SIG_UNBLOCK, &masque, nullptr);
    (void)raise(signal);
    // Ici après une suspension (Ctrl-Z) suivie d'une reprise, ou au retour du
    // gestionnaire d'avant : la pause reprend là où elle en était.
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

// Le jeu de caractères de ce terminal, lu sans toucher à la locale du
// programme, dans la variable que la bibliothèque C lirait. Sans aucune, la
// locale POSIX, quelle que soit la bibliothèque C (musl prendrait C.UTF-8).
bool terminalUtf8() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* nom = std::getenv(variable);
        if (nom == nullptr || *nom == '\0') {
            continue;
        }
        locale_t locale = newlocale(LC_CTYPE_MASK, nom, static_cast<locale_t>(nullptr));
        if (locale != static_cast<locale_t>(nullptr)) {
            const bool utf8 = estUtf8(nl_langinfo_l(CODESET, locale));
            freelocale(locale);
            return utf8;
        }
        // Locale absente de cette machine : son nom dit encore ce qu'attend le terminal.
        const char* point = std::strchr(nom, '.');
        return estUtf8(point != nullptr ? point + 1 : nom);
    }
    return false;
}

// Où montrer le message de la pause : l'écran de l'utilisateur, même quand
// la sortie standard part dans un tube ; -1 sans écran, que l'écriture
// refuse.
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

// Un octet de la touche, attendu au plus delai millisecondes (-1 : sans fin).
bool lireOctet(unsigned char& octet, int delai) {
    for (;;) {
        if (!attendrePret(STDIN_FILENO, POLLIN, delai)) {
            return false;
        }
        const ssize_t lus = read(STDIN_FILENO, &octet, 1);
        if (lus == 1) {
            return true;
        }
        if (lus == 0 || !(errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) {
            return false;
        }
    }
}

// Prend tout ce que le terminal envoie pour une seule touche : un octet, une
// séquence d'échappement (flèches, touches de fonction) ou un caractère UTF-8
// entier ; rien n'en reste pour le programme suivant. Les octets d'une même
// touche arrivent ensemble : on n'attend la suite que brièvement.
void lireTouche() {
    constexpr int suite = 100;
    unsigned char octet = 0;
    if (!lireOctet(octet, -1)) {
        return;
    }
    if (octet == 0x1B) {
        // Échap seule ; Alt et une touche ; ou Échap [ ou O, des paramètres et
        // un octet final, « [ » excepté (« Échap [ [ A » sur la console Linux).
        if (lireOctet(octet, suite) && (octet == '[' || octet == 'O')) {
            while (lireOctet(octet, suite) && (octet < 0x40 || octet > 0x7E || octet == '[')) {
            }
        }
        return;
    }
    int reste = octet >= 0xF0 ? 3 : octet >= 0xE0 ? 2 : octet >= 0xC0 ? 1 : 0;
    while (reste-- > 0 && lireOctet(octet, suite)) {
    }
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
    reglagesPause = reglagesInitiaux;
    reglagesPause.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    reglagesPause.c_cc[VMIN] = 1;
    reglagesPause.c_cc[VTIME] = 0;

    gestionnaire = {};
    gestionnaire.sa_handler = retablirTerminal;
    sigemptyset(&gestionnaire.sa_mask);
    // Un signal que l'appelant ignore (nohup, trap '' INT) le reste.
    for (int i = 0; i < nbSignaux; ++i) {
        sigaction(signauxSurveilles[i], nullptr, &anciens[i]);
        if ((anciens[i].sa_flags & SA_SIGINFO) != 0 || anciens[i].sa_handler != SIG_IGN) {
            sigaction(signauxSurveilles[i], &gestionnaire, nullptr);
        }
    }

    // La touche est lue sur le terminal lui-même : ce que le flux d'entrée a
    // déjà pris (la fin de ligne après la réponse) ne compte pas. Le message
    // ne paraît qu'une fois le programme prêt à la prendre.
    if (tcsetattr(STDIN_FILENO, TCSANOW, &reglagesPause) == 0) {
        bool aFermer = false;
        const int ecran = ouvrirEcran(aFermer);
        // Un message qui ne passe pas n'empêche pas la pause d'attendre.
        constexpr char message[] = "Appuyez sur une touche pour continuer...";
        (void)ecrireTout(ecran, message, sizeof message - 1);
        lireTouche();
        (void)ecrireTout(ecran, "\n", 1);
        if (aFermer) {
            close(ecran);
        }
    }

    // Le terminal et les actions d'avant reviennent ensemble : un signal
    // arrivé entre les deux (Ctrl-Z) attend, puis agit sur le terminal rendu,
    // comme l'appelant l'avait prévu.
    sigset_t surveilles;
    sigset_t avant;
    sigemptyset(&surveilles);
    for (const int signal : signauxSurveilles) {
        sigaddset(&surveilles, signal);
    }
    sigprocmask(SIG_BLOCK, &surveilles, &avant);
    tcsetattr(STDIN_FILENO, TCSANOW, &reglagesInitiaux);
    for (int i = 0; i < nbSignaux; ++i) {
        sigaction(signauxSurveilles[i], &anciens[i], nullptr);
    }
    sigprocmask(SIG_SETMASK, &avant, nullptr);
}
