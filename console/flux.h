#ifndef CONSOLE_FLUX_H
#define CONSOLE_FLUX_H

// Les flux standard bruts, sans tampon de la bibliothèque C : l'entrée, la
// sortie et les erreurs, une source par plateforme (flux-posix.cpp,
// flux-win32.cpp) ; et le tampon de sortie, le même partout (flux.cpp).

#include <cstddef>
#include <functional>
#include <streambuf>
#include <string>
#include <vector>

enum class EtatEcriture { reussie, tuyauFerme, echec };

#if defined(_WIN32)
using Descripteur = void*;  // une poignée de Windows
// Les fins de ligne du système, faites par le tampon de sortie.
constexpr bool finsDeLigneCrLf = true;
// Ctrl-C est arrivé : une lecture de la console qu'il a coupée n'est pas la
// fin de l'entrée. Le gestionnaire de la console le dit ici.
void noterInterruption();
#else
using Descripteur = int;
constexpr bool finsDeLigneCrLf = false;
// Attend que le descripteur soit prêt (POLLIN, POLLOUT), au plus delai
// millisecondes (-1 : sans fin) ; une interruption (Ctrl-Z puis fg) fait
// reprendre l'attente. Faux si le délai passe ou si l'attente échoue.
bool attendrePret(Descripteur descripteur, short evenement, int delai = -1);
#endif

// Écrit tout, en attendant un lecteur lent, ou dit pourquoi ce n'est pas
// possible : la seule boucle d'écriture du système, pour les flux standard
// comme pour le message de la pause.
EtatEcriture ecrireTout(Descripteur descripteur, const char* donnees, std::size_t taille);

// Octets lus (au plus taille) ; 0 à la fin de l'entrée, ou quand elle ne peut
// pas être lue, et alors raison dit pourquoi, en français.
std::size_t lireEntreeStandard(char* tampon, std::size_t taille, std::string& raison);

// Un tube d'erreurs sans lecteur n'arrête pas le programme.
EtatEcriture ecrireSortieStandard(const char* donnees, std::size_t taille);
EtatEcriture ecrireErreurStandard(const char* donnees, std::size_t taille);

// La raison d'un échec de lecture (une valeur d'errno), en français.
std::string expliquerErreur(int erreur);

// Où partent les octets d'un tampon : le flux standard brut dans le
// programme, un texte dans les tests.
using Ecrivain = std::function<EtatEcriture(const char*, std::size_t)>;

// Le tampon d'un flux standard. Celui de la sortie retient son premier échec
// et se tait ensuite ; celui des erreurs perd le message qui ne passe pas,
// comme les outils du système, et tente encore le suivant. Avec crlf, chaque
// fin de ligne devient CR LF en entrant dans le tampon : une seule copie.
class TamponSortie final : public std::streambuf {
  public:
    enum class Flux { sortie, erreurs };

    // Un morceau d'au moins cette taille sans fin de ligne à faire (les
    // invites d'une colonne) part tel quel, après ce qui attendait : le
    // recopier coûterait plus que l'écriture qu'il épargne.
    static constexpr std::size_t morceauDirect = 16384;

    // Sans écrivain, le flux standard brut. Les messages d'erreur sont
    // courts : leur tampon aussi.
    explicit TamponSortie(Flux flux = Flux::sortie, Ecrivain ecrire = nullptr,
                          bool crlf = finsDeLigneCrLf);
    TamponSortie(const TamponSortie&) = delete;
    TamponSortie& operator=(const TamponSortie&) = delete;
    ~TamponSortie() override { vider(); }

    EtatEcriture etat() const { return etat_; }

  protected:
    int_type overflow(int_type caractere) override;
    std::streamsize xsputn(const char_type* donnees, std::streamsize taille) override;
    int sync() override { return vider() ? 0 : -1; }

  private:
    bool vider();
    bool envoyer(const char* donnees, std::size_t taille);
    void remplir(std::size_t plein);

    Flux flux_;
    Ecrivain ecrire_;
    bool crlf_;
    EtatEcriture etat_ = EtatEcriture::reussie;
    std::vector<char> tampon_;
};

#endif
