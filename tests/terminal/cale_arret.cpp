// Chargée avant le programme (LD_PRELOAD) : juste après que le terminal a
// retrouvé son mode ligne, elle envoie SIGTSTP, un Ctrl-Z au pire moment.
#include <dlfcn.h>
#include <signal.h>
#include <termios.h>

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
extern "C" int tcsetattr(int descripteur, int quand, const struct termios* reglages) {
    using Fonction = int (*)(int, int, const struct termios*);
    static const auto suivante = reinterpret_cast<Fonction>(dlsym(RTLD_NEXT, "tcsetattr"));
    static bool brut = false;
    const int resultat = suivante(descripteur, quand, reglages);
    if ((reglages->c_lflag & ICANON) == 0) {
        brut = true;
    } else if (brut) {
        brut = false;
        (void)raise(SIGTSTP);
    }
    return resultat;
}
