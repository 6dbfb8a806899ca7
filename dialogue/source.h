#ifndef DIALOGUE_SOURCE_H
#define DIALOGUE_SOURCE_H

#include <cstddef>

// D'où viennent les octets tapés : l'entrée standard dans le programme, un
// texte dans les tests.
class SourceOctets {
  public:
    SourceOctets() = default;
    SourceOctets(const SourceOctets&) = delete;
    SourceOctets& operator=(const SourceOctets&) = delete;
    virtual ~SourceOctets() = default;

    // Au plus taille octets, en attendant qu'il en arrive ; 0 à la fin de
    // l'entrée, ou quand elle ne peut plus être lue.
    virtual std::size_t lire(char* tampon, std::size_t taille) = 0;
};

#endif
