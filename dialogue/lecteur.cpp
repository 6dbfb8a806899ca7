#include "lecteur.h"

#include "chiffres.h"
#include "colonne.h"

bool Lecteur::remplir() {
    // Une fin d'entrée, ou une erreur, est définitive : on ne redemande
    // jamais au clavier.
    if (fini_) {
        return false;
    }
    char* const donnees = tampon_.data() + colonne::margeAvant;
    const std::size_t lus =
        avantLecture_() ? source_.lire(donnees, tampon_.size() - colonne::margeAvant) : 0;
    if (lus == 0) {
        fini_ = true;
        return false;
    }
    courant_ = donnees;
    fin_ = courant_ + lus;
    return true;
}

bool Lecteur::allerAuPremier(bool blanc) {
    do {
        for (; courant_ < fin_; ++courant_) {
            if (chiffres::estBlanc(*courant_) == blanc) {
                return true;
            }
        }
    } while (remplir());
    return false;
}

bool Lecteur::prendreCaractere(char& caractere) {
    if (!allerAuPremier(false)) {
        return false;
    }
    caractere = *courant_++;
    return true;
}

std::uint64_t Lecteur::prendreColonne(Statistiques& statistiques) {
    std::uint64_t pris = 0;
    courant_ = colonne::prendre(courant_, fin_, statistiques, pris);
    return pris;
}

Saisie Lecteur::lireEntier() {
    if (!allerAuPremier(false)) {
        return {Lecture::fin, 0};
    }
    const bool negatif = *courant_ == '-';
    if (negatif || *courant_ == '+') {
        ++courant_;
        if (courant_ == fin_ && !remplir()) {
            return {Lecture::pasUnEntier, 0};
        }
    }
    if (!chiffres::estChiffre(*courant_)) {
        return {Lecture::pasUnEntier, 0};
    }
    // Au-delà de 2^31, la valeur n'importe plus : elle reste juste au-dessus,
    // et ne peut pas déborder en huit chiffres de plus.
    constexpr std::uint64_t plafond = 0x80000001u;
    static constexpr std::uint64_t puissances[] = {1,     10,     100,     1000,
                                                   10000, 100000, 1000000, 10000000};
    std::uint64_t valeur = 0;
    for (;;) {
        if (fin_ - courant_ >= 8) {
            const std::uint64_t valeurs = chiffres::valeursDe(chiffres::huitOctets(courant_));
            const std::uint64_t marques = chiffres::nonChiffres(valeurs);
            if (marques == 0) {
                valeur = valeur * 100000000 + chiffres::valeur(valeurs);
                valeur = valeur < plafond ? valeur : plafond;
                courant_ += 8;
                continue;
            }
            const unsigned n = chiffres::rangDuPremier(marques) / 8;
            if (n > 0) {
                valeur = valeur * puissances[n] + chiffres::valeur(valeurs << (8 * (8 - n)));
                courant_ += n;
            }
            break;
        }
        // Les derniers octets du tampon, un à un ; le nombre peut continuer
        // dans les suivants.
        for (; courant_ < fin_ && chiffres::estChiffre(*courant_); ++courant_) {
            valeur = valeur * 10 + static_cast<unsigned>(*courant_ - '0');
        }
        valeur = valeur < plafond ? valeur : plafond;
        if (courant_ < fin_ || !remplir()) {
            break;
        }
    }
    if (valeur > chiffres::plusGrandeValeur(negatif ? 1 : 0)) {
        return {Lecture::horsLimites, 0};
    }
    return {Lecture::nombre, chiffres::signe(valeur, negatif ? 1 : 0)};
}
