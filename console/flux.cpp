#include "flux.h"

#include <cerrno>

std::string expliquerErreur(int erreur) {
    switch (erreur) {
        case EISDIR:
            return "c'est un dossier";
        case EIO:
            return "erreur d'E/S";
        case EBADF:
            return "aucun fichier ouvert";
        case EINVAL:
            return "ce descripteur ne se lit pas";
        default:
            return "code d'erreur " + std::to_string(erreur);
    }
}

bool TamponSortie::vider() {
    const std::size_t enAttente = static_cast<std::size_t>(pptr() - pbase());
    if (flux_ == Flux::erreurs && enAttente > 0) {
        (void)ecrire_(pbase(), enAttente);
    } else if (etat_ == EtatEcriture::reussie && enAttente > 0) {
        etat_ = ecrire_(pbase(), enAttente);
    }
    // Après un échec, ce qui reste n'ira nulle part : on le jette.
    setp(tampon_.data(), tampon_.data() + tampon_.size());
    return etat_ == EtatEcriture::reussie;
}

TamponSortie::int_type TamponSortie::overflow(int_type caractere) {
    if (!vider()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(caractere, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(caractere);
        pbump(1);
    }
    return traits_type::not_eof(caractere);
}

std::streamsize TamponSortie::xsputn(const char_type* donnees, std::streamsize taille) {
    if (static_cast<std::size_t>(taille) < tampon_.size() / 4) {
        return std::streambuf::xsputn(donnees, taille);
    }
    if (!vider()) {
        return 0;
    }
    const auto octets = static_cast<std::size_t>(taille);
    if (flux_ == Flux::erreurs) {
        (void)ecrire_(donnees, octets);
        return taille;
    }
    etat_ = ecrire_(donnees, octets);
    return etat_ == EtatEcriture::reussie ? taille : 0;
}
