#ifndef CONSOLE_FLUX_H
#define CONSOLE_FLUX_H

#include <cstddef>
#include <functional>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

// Les flux standard bruts, sans tampon de la bibliothèque C : l'entrée, la
// sortie et les erreurs. Une source par plateforme, comme la console.

enum class EtatEcriture { reussie, tuyauFerme, echec };

// Octets lus (au plus taille) ; 0 à la fin de l'entrée, ou quand elle ne peut
// pas être lue, et alors raison dit pourquoi, en français.
std::size_t lireEntreeStandard(char* tampon, std::size_t taille, std::string& raison);

// Écrivent tout, en attendant un lecteur lent, ou disent pourquoi ce n'est pas
// possible. Un tube d'erreurs sans lecteur n'arrête pas le programme.
EtatEcriture ecrireSortieStandard(const char* donnees, std::size_t taille);
EtatEcriture ecrireErreurStandard(const char* donnees, std::size_t taille);

// La raison d'un échec de lecture (une valeur d'errno), en français.
std::string expliquerErreur(int erreur);

// Où partent les octets d'un tampon : le flux standard brut dans le
// programme, un texte dans les tests.
using Ecrivain = std::function<EtatEcriture(const char*, std::size_t)>;

// Le tampon d'un flux standard. Celui de la sortie retient son premier échec
// et se tait ensuite ; celui des erreurs perd le message qui ne passe pas,
// comme les outils du système, et tente encore le suivant.
class TamponSortie final : public std::streambuf {
  public:
    enum class Flux { sortie, erreurs };

    // Sans écrivain, le flux standard brut. Les messages d'erreur sont
    // courts : leur tampon aussi.
    explicit TamponSortie(Flux flux = Flux::sortie, Ecrivain ecrire = nullptr)
        : flux_(flux),
          ecrire_(ecrire ? std::move(ecrire)
                         : Ecrivain(flux == Flux::sortie ? ecrireSortieStandard
                                                         : ecrireErreurStandard)),
          tampon_(flux == Flux::sortie ? 65536 : 4096) {
        setp(tampon_.data(), tampon_.data() + tampon_.size());
    }
    TamponSortie(const TamponSortie&) = delete;
    TamponSortie& operator=(const TamponSortie&) = delete;
    ~TamponSortie() override { vider(); }

    EtatEcriture etat() const { return etat_; }

  protected:
    int_type overflow(int_type caractere) override;
    // Un long morceau (les invites d'une colonne) part tel quel, sans passer
    // par le tampon, après ce qui y attendait.
    std::streamsize xsputn(const char_type* donnees, std::streamsize taille) override;
    int sync() override { return vider() ? 0 : -1; }

  private:
    bool vider();

    Flux flux_;
    Ecrivain ecrire_;
    EtatEcriture etat_ = EtatEcriture::reussie;
    std::vector<char> tampon_;
};

#endif
