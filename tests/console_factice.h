#ifndef TESTS_CONSOLE_FACTICE_H
#define TESTS_CONSOLE_FACTICE_H

#include <ostream>
#include <string>

#include "console.h"

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

#endif
