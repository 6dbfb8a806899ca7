#ifndef CONSOLE_FLUX_H
#define CONSOLE_FLUX_H

#include <array>
#include <ostream>
#include <streambuf>
#include <string>

#include "console.h"

// Tampon de l'entrée standard. Il vide la sortie liée seulement au moment où
// il doit vraiment attendre le système : les nombres déjà tapés ou collés se
// lisent sans un appel système par invite, et toute invite est à l'écran avant
// que le programme n'attende.
class TamponEntree final : public std::streambuf {
  public:
    explicit TamponEntree(std::ostream* aVider) : aVider_(aVider) {}

    // Pourquoi l'entrée n'a pas pu être lue ; vide si elle a été lue jusqu'au bout.
    const std::string& erreur() const { return erreur_; }

  protected:
    int_type underflow() override;

  private:
    std::ostream* aVider_;
    bool fini_ = false;
    std::string erreur_;
    std::array<char, 65536> tampon_{};
};

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
