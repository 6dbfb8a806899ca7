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

TamponEntree::int_type TamponEntree::underflow() {
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    // Une fin d'entrée, ou une erreur, est définitive : on ne redemande jamais
    // au clavier.
    if (fini_) {
        return traits_type::eof();
    }
    if (aVider_ != nullptr) {
        aVider_->flush();
    }
    const std::size_t lus = lireEntreeStandard(tampon_.data(), tampon_.size(), erreur_);
    if (lus == 0) {
        fini_ = true;
        return traits_type::eof();
    }
    setg(tampon_.data(), tampon_.data(), tampon_.data() + lus);
    return traits_type::to_int_type(*gptr());
}

bool TamponSortie::vider() {
    const std::size_t enAttente = static_cast<std::size_t>(pptr() - pbase());
    if (etat_ == EtatEcriture::reussie && enAttente > 0) {
        etat_ = ecrireSortieStandard(pbase(), enAttente);
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
