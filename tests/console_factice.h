#ifndef TESTS_CONSOLE_FACTICE_H
#define TESTS_CONSOLE_FACTICE_H

#include <algorithm>
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "console.h"
#include "source.h"

// Console de test : compte les effacements et les pauses, et marque leur
// place dans la sortie pour qu'on voie où ils tombent.
class ConsoleFactice final : public Console {
  public:
    explicit ConsoleFactice(bool marquer = true, std::string eAigu = "\xE9")
        : marquer_(marquer), eAigu_(std::move(eAigu)) {}

    void effacer(std::ostream& sortie) override {
        ++effacements;
        if (marquer_) {
            sortie << "<effacer>";
        }
    }
    void attendreTouche(std::ostream& sortie) override {
        ++pauses;
        if (marquer_) {
            sortie << "<pause>";
        }
    }
    std::string eAigu() const override { return eAigu_; }

    int effacements = 0;
    int pauses = 0;

  private:
    bool marquer_;
    std::string eAigu_;
};

// Un texte tapé d'avance, livré en morceaux dont les tailles se suivent en
// boucle (sans tailles, d'un bloc), pour que les saisies tombent à cheval sur
// deux lectures.
class SourceTexte final : public SourceOctets {
  public:
    explicit SourceTexte(std::string texte, std::vector<std::size_t> morceaux = {})
        : texte_(std::move(texte)), morceaux_(std::move(morceaux)) {}

    std::size_t lire(char* tampon, std::size_t taille) override {
        if (avantChaqueLecture) {
            avantChaqueLecture();  // là où le programme peut attendre
        }
        std::size_t n = std::min(taille, texte_.size() - position_);
        if (!morceaux_.empty()) {
            n = std::min(n, morceaux_[lectures_++ % morceaux_.size()]);
        }
        std::copy_n(texte_.data() + position_, n, tampon);
        position_ += n;
        return n;
    }

    std::function<void()> avantChaqueLecture;

  private:
    std::string texte_;
    std::vector<std::size_t> morceaux_;
    std::size_t position_ = 0;
    std::size_t lectures_ = 0;
};

#endif
