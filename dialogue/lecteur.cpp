#include "lecteur.h"

#include <algorithm>

namespace {

// Les blancs de la locale classique : espace, tabulations, fins de ligne,
// saut de page.
bool estBlanc(char caractere) {
    return caractere == ' ' || (caractere >= '\t' && caractere <= '\r');
}

bool estChiffre(char caractere) { return caractere >= '0' && caractere <= '9'; }

}  // namespace

bool Lecteur::remplir() {
    if (fini_) {
        return false;
    }
    std::streamsize arrives = source_.in_avail();
    if (arrives == 0) {
        // Rien d'arrivé : c'est le flux qui attend le système.
        avantAttente_();
        if (source_.sgetc() == std::char_traits<char>::eof()) {
            fini_ = true;
            return false;
        }
        // Un flux sans tampon ne dit pas combien il en a : un octet à la fois.
        arrives = std::max<std::streamsize>(source_.in_avail(), 1);
    }
    constexpr auto taille = static_cast<std::streamsize>(std::tuple_size_v<decltype(fenetre_)>);
    const std::streamsize lus =
        arrives < 0 ? 0 : source_.sgetn(fenetre_.data(), std::min(arrives, taille));
    if (lus <= 0) {
        fini_ = true;
        return false;
    }
    courant_ = fenetre_.data();
    fin_ = courant_ + lus;
    return true;
}

bool Lecteur::avancerTantQue(bool blancs) {
    do {
        while (courant_ < fin_) {
            if (estBlanc(*courant_) != blancs) {
                return true;
            }
            ++courant_;
        }
    } while (remplir());
    return false;
}

void Lecteur::jeterSaisie() { (void)avancerTantQue(false); }

bool Lecteur::prendreCaractere(char& caractere) {
    if (!avancerTantQue(true)) {
        return false;
    }
    caractere = *courant_++;
    return true;
}

Lecture Lecteur::lireEntier(std::int32_t& nombre) {
    if (!avancerTantQue(true)) {
        return Lecture::fin;
    }
    const bool negatif = *courant_ == '-';
    if (negatif || *courant_ == '+') {
        ++courant_;
    }
    if (!resteUnCaractere() || !estChiffre(*courant_)) {
        return Lecture::pasUnEntier;
    }
    // Au-delà de 2^31, la valeur n'importe plus : elle reste juste au-dessus.
    constexpr std::uint64_t plafond = 0x80000001u;
    std::uint64_t valeur = 0;
    // Par tranches de neuf chiffres au plus : la valeur ne peut pas déborder
    // dans une tranche, et n'est ramenée au plafond qu'entre deux.
    const char* limite = nullptr;
    do {
        const char* position = courant_;
        limite = fin_ - position > 9 ? position + 9 : fin_;
        for (; position < limite; ++position) {
            const unsigned chiffre = static_cast<unsigned char>(*position) - unsigned{'0'};
            if (chiffre > 9) {
                break;
            }
            valeur = valeur * 10 + chiffre;
        }
        courant_ = position;
        valeur = valeur < plafond ? valeur : plafond;
    } while (courant_ == limite && resteUnCaractere());
    if (valeur > (negatif ? 0x80000000u : 0x7FFFFFFFu)) {
        return Lecture::horsLimites;
    }
    // -2^31 s'obtient sans dépasser, par le calcul sur 64 bits.
    nombre = static_cast<std::int32_t>(negatif ? -static_cast<std::int64_t>(valeur)
                                               : static_cast<std::int64_t>(valeur));
    return Lecture::nombre;
}
