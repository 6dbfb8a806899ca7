#ifndef CONSOLE_CONSOLE_H
#define CONSOLE_CONSOLE_H

#include <iosfwd>
#include <string>

// Ce que le dialogue demande à l'écran et au clavier, sans savoir sur quel
// système il tourne.
class Console {
  public:
    Console() = default;
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;
    virtual ~Console() = default;

    // Efface l'écran avant une série, quand la sortie en est un.
    virtual void effacer(std::ostream& sortie) = 0;

    // Attend une touche avant la fin du programme, quand l'entrée est un clavier.
    virtual void attendreTouche(std::ostream& sortie) = 0;

    // Les octets qui font paraître un « é » sur la sortie.
    virtual std::string eAigu() const = 0;
};

// La console réelle du système : une source par plateforme.
class ConsoleSysteme final : public Console {
  public:
    ConsoleSysteme();
    ~ConsoleSysteme() override;
    ConsoleSysteme(const ConsoleSysteme&) = delete;
    ConsoleSysteme& operator=(const ConsoleSysteme&) = delete;

    void effacer(std::ostream& sortie) override;
    void attendreTouche(std::ostream& sortie) override;
    std::string eAigu() const override { return eAigu_; }

  private:
    bool entreeInteractive_ = false;
    bool effacable_ = false;
    std::string eAigu_ = "\xE9";
};

#endif
