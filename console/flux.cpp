#include "flux.h"

#include <cerrno>
#include <cstring>
#include <utility>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

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

namespace {

// La première fin de ligne entre debut et fin, ou fin. Le memchr de la
// bibliothèque C de Windows (et de Wine) va octet par octet : sur les longs
// morceaux d'invites, on cherche seize octets à la fois.
const char* finDeLigne(const char* debut, const char* fin) {
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i saut = _mm_set1_epi8('\n');
    for (; fin - debut >= 16; debut += 16) {
        const __m128i seize = _mm_loadu_si128(reinterpret_cast<const __m128i*>(debut));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(seize, saut)) != 0) {
            break;
        }
    }
#endif
    const void* ligne = std::memchr(debut, '\n', static_cast<std::size_t>(fin - debut));
    return ligne != nullptr ? static_cast<const char*>(ligne) : fin;
}

}  // namespace

TamponSortie::TamponSortie(Flux flux, Ecrivain ecrire, bool crlf)
    : flux_(flux),
      ecrire_(ecrire
                  ? std::move(ecrire)
                  : Ecrivain(flux == Flux::sortie ? ecrireSortieStandard : ecrireErreurStandard)),
      crlf_(crlf),
      tampon_(flux == Flux::sortie ? 65536 : 4096) {
    remplir(0);
}

// Le tampon, dont plein octets sont pris. Quand il fait les fins de ligne, il
// se montre toujours plein : chaque octet passe par xsputn ou overflow.
void TamponSortie::remplir(std::size_t plein) {
    char* const debut = tampon_.data();
    setp(debut, crlf_ ? debut + plein : debut + tampon_.size());
    pbump(static_cast<int>(plein));
}

bool TamponSortie::envoyer(const char* donnees, std::size_t taille) {
    const EtatEcriture resultat = ecrire_(donnees, taille);
    if (flux_ == Flux::sortie) {
        etat_ = resultat;
    }
    return etat_ == EtatEcriture::reussie;
}

bool TamponSortie::vider() {
    const auto enAttente = static_cast<std::size_t>(pptr() - pbase());
    // Après un échec, ce qui reste n'ira nulle part : on le jette.
    if (enAttente > 0 && etat_ == EtatEcriture::reussie) {
        (void)envoyer(pbase(), enAttente);
    }
    remplir(0);
    return etat_ == EtatEcriture::reussie;
}

TamponSortie::int_type TamponSortie::overflow(int_type caractere) {
    if (traits_type::eq_int_type(caractere, traits_type::eof())) {
        return vider() ? traits_type::not_eof(caractere) : traits_type::eof();
    }
    const char octet = traits_type::to_char_type(caractere);
    return xsputn(&octet, 1) == 1 ? caractere : traits_type::eof();
}

std::streamsize TamponSortie::xsputn(const char_type* donnees, std::streamsize taille) {
    const char* const fin = donnees + taille;
    if (static_cast<std::size_t>(taille) >= morceauDirect &&
        (!crlf_ || finDeLigne(donnees, fin) == fin)) {
        return vider() && envoyer(donnees, static_cast<std::size_t>(taille)) ? taille : 0;
    }
    // Le cas courant, un court morceau qui tient dans la place libre : une
    // seule copie, sans rien calculer. Le tampon qui fait les fins de ligne
    // n'a jamais de place libre.
    if (taille <= epptr() - pptr()) {
        std::memcpy(pptr(), donnees, static_cast<std::size_t>(taille));
        pbump(static_cast<int>(taille));
        return taille;
    }
    const char* suite = donnees;
    while (suite < fin) {
        auto plein = static_cast<std::size_t>(pptr() - pbase());
        // Une fin de ligne faite prend deux octets.
        if (plein + (crlf_ ? 2 : 1) > tampon_.size()) {
            if (!vider()) {
                return suite - donnees;
            }
            plein = 0;
        }
        const std::size_t place = tampon_.size() - plein - (crlf_ ? 1 : 0);
        const auto reste = static_cast<std::size_t>(fin - suite);
        const char* const jusqua = suite + (reste < place ? reste : place);
        const char* const ligne = crlf_ ? finDeLigne(suite, jusqua) : jusqua;
        std::memcpy(tampon_.data() + plein, suite, static_cast<std::size_t>(ligne - suite));
        plein += static_cast<std::size_t>(ligne - suite);
        suite = ligne;
        if (ligne < jusqua) {
            tampon_[plein++] = '\r';
            tampon_[plein++] = '\n';
            ++suite;
        }
        remplir(plein);
    }
    return taille;
}
