#ifndef CONSOLE_FLUX_H
#define CONSOLE_FLUX_H

#include <array>
#include <ostream>
#include <streambuf>
#include <string>

#include "console.h"

// La raison d'un échec de lecture (une valeur d'errno), en français.
std::string expliquerErreur(int erreur);

// Tampon de la sortie standard, qui retient la raison d'un échec d'écriture.
class TamponSortie final : public std::streambuf {
  public:
    TamponSortie() { setp(tampon_.data(), tampon_.data() + tampon_.size()); }
    TamponSortie(const TamponSortie&) = delete;
    TamponSortie& operator=(const TamponSortie&) = delete;
    ~TamponSortie() override { vider(); }

    EtatEcriture etat() const { return etat_; }

  protected:
    int_type overflow(int_type caractere) override;
    int sync() override { return vider() ? 0 : -1; }

  private:
    bool vider();

    EtatEcriture etat_ = EtatEcriture::reussie;
    std::array<char, 65536> tampon_{};
};

#endif
