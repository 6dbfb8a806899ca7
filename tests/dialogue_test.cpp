#include "dialogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <streambuf>
#include <string>

#include "chiffres.h"
#include "console_factice.h"
#include "flux.h"
#include "modele.h"

namespace {

const std::string invite = "Entrer un nombre entier : ";
const std::string question = "\nVoulez-vous continuer? (o/n) ";
const std::string auRevoir = "\nAurevoir!!!\n";

struct Resultat {
    int statut;
    std::string sortie;
    std::string erreurs;
    int effacements;
    int pauses;
};

Resultat dialoguerAvec(const std::string& texte, const std::string& eAigu = "\xE9") {
    SourceTexte entree(texte);
    std::ostringstream sortie;
    std::ostringstream erreurs;
    ConsoleFactice console(true, eAigu);
    const int statut = dialoguer(entree, sortie, erreurs, console);
    return {statut, sortie.str(), erreurs.str(), console.effacements, console.pauses};
}

TEST(Dialogue, EffaceAvantChaqueSerieEtAttendApresLAuRevoir) {
    const Resultat r = dialoguerAvec("0 x o 0 n");
    EXPECT_EQ(r.statut, 0);
    EXPECT_EQ(r.sortie, "<effacer>" + invite + question + question + "<effacer>" + invite +
                            question + auRevoir + "<pause>");
    EXPECT_EQ(r.effacements, 2);
    EXPECT_EQ(r.pauses, 1);
    EXPECT_EQ(r.erreurs, "");
}

TEST(Dialogue, LeRapportPrendLeEAiguDeLaConsole) {
    const Resultat r = dialoguerAvec("4 0 n", "\xC3\xA9");
    EXPECT_NE(r.sortie.find("les 1 nombres entr\xC3\xA9s totalisent"), std::string::npos);
}

// Une sortie qui prend ses premiers octets puis refuse tout, comme un disque
// qui se remplit.
class SortieRefusee : public std::streambuf {
  public:
    explicit SortieRefusee(std::size_t place) : place_(place) {}

  protected:
    int_type overflow(int_type caractere) override {
        if (place_ == 0) {
            return traits_type::eof();
        }
        --place_;
        return traits_type::not_eof(caractere);
    }

  private:
    std::size_t place_;
};

// Où que la sortie se perde, au revoir compris, le dialogue s'arrête sans pause
// et le dit. Perdue parmi des saisies rejetées, elle arrête aussi les rejets :
// au plus un avertissement de plus que d'invites écrites.
TEST(Dialogue, SArreteQuandLaSortieEstPerdue) {
    for (const std::string texte : {"1 2 3 0 o 4 0 n", "1 x x x x x x x x 0 n"}) {
        std::ostringstream complete;
        std::ostringstream avertis;
        SourceTexte entreeComplete(texte);
        ConsoleFactice sansMarque(false);
        (void)dialoguer(entreeComplete, complete, avertis, sansMarque);
        for (std::size_t place = 0; place < complete.str().size(); ++place) {
            SCOPED_TRACE(texte + " ; place " + std::to_string(place));
            SourceTexte entree(texte);
            SortieRefusee refus(place);
            std::ostream sortie(&refus);
            std::ostringstream erreurs;
            ConsoleFactice console(false);
            EXPECT_EQ(dialoguer(entree, sortie, erreurs, console), 1);
            EXPECT_EQ(console.pauses, 0);
            const std::string dits = erreurs.str();
            const auto avertissements = std::count(dits.begin(), dits.end(), '\n');
            EXPECT_LE(avertissements, static_cast<long>(place / invite.size()) + 1);
        }
    }
}

// Des saisies coupées par la fin d'une lecture, là où le lecteur change de
// chemin : elles se lisent comme si elles étaient arrivées d'un bloc.
TEST(Dialogue, UneSaisieAChevalSurDeuxLecturesSeLitEntiere) {
    const struct {
        std::string texte;
        std::vector<std::size_t> morceaux;
    } cas[] = {
        {"1844674407370"
         "9551617 0 n",
         {13}},  // 2^64 + 1, plafonné au bord du tampon
        {"5 -1234567"
         "89 0 n",
         {10}},  // un moins et sept chiffres au ras de la fin
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.texte);
        SourceTexte entree(c.texte, c.morceaux);
        std::ostringstream sortie;
        std::ostringstream erreurs;
        ConsoleFactice console(false);
        (void)dialoguer(entree, sortie, erreurs, console);
        const DialogueAttendu attendu = dialogueAttendu(c.texte);
        EXPECT_EQ(sortie.str(), attendu.sortie);
        EXPECT_EQ(erreurs.str(), attendu.erreurs);
    }
}

// Les fins de ligne de Windows, faites en entrant dans le tampon : au bord du
// tampon, et dans un long morceau, qui ne part pas tel quel.
TEST(TamponSortie, FaitLesCrLfAuBordEtDansUnLongMorceau) {
    std::string recu;
    TamponSortie tampon(
        TamponSortie::Flux::sortie,
        [&](const char* octets, std::size_t n) {
            recu.append(octets, n);
            return EtatEcriture::reussie;
        },
        true);
    const std::string texte = std::string(65534, 'a') + "b\n" + std::string(20000, 'c') + "\nd";
    tampon.sputn(texte.data(), static_cast<std::streamsize>(texte.size()));
    tampon.pubsync();
    EXPECT_TRUE(recu == std::string(65534, 'a') + "b\r\n" + std::string(20000, 'c') + "\r\nd");
}

// Les tours des chiffres huit à la fois, contre une boucle octet par octet :
// chaque valeur d'octet à chaque place d'un mot de chiffres.
TEST(Chiffres, HuitALaFoisCommeUnAUn) {
    for (int place = 0; place < 8; ++place) {
        for (int octet = 0; octet < 256; ++octet) {
            char mot[8];
            for (int i = 0; i < 8; ++i) {
                mot[i] = static_cast<char>('0' + (3 * i + place + 7) % 10);
            }
            mot[place] = static_cast<char>(octet);
            SCOPED_TRACE("octet " + std::to_string(octet) + " en " + std::to_string(place));
            std::uint64_t attendu = 0;
            unsigned enTete = 8;
            for (unsigned i = 0; i < 8; ++i) {
                attendu |= std::uint64_t{static_cast<unsigned char>(mot[i])} << (8 * i);
                enTete = enTete == 8 && !chiffres::estChiffre(mot[i]) ? i : enTete;
            }
            const std::uint64_t lu = chiffres::huitOctets(mot);
            ASSERT_EQ(lu, attendu);
            const std::uint64_t valeurs = chiffres::valeursDe(lu);
            const std::uint64_t marques = chiffres::nonChiffres(valeurs);
            ASSERT_EQ(marques == 0, enTete == 8);
            if (enTete < 8) {
                ASSERT_EQ(chiffres::rangDuPremier(marques) / 8, enTete);
            }
            std::uint64_t valeur = 0;
            for (unsigned n = 1; n <= enTete; ++n) {
                valeur = valeur * 10 + static_cast<unsigned>(mot[n - 1] - '0');
                ASSERT_EQ(chiffres::valeur(valeurs << (8 * (8 - n))), valeur) << n << " chiffres";
            }
            // La colonne : un groupe de huit fois ce mot, ses blancs.
            char groupe[64];
            std::uint64_t blancs = 0;
            for (unsigned i = 0; i < 64; ++i) {
                groupe[i] = mot[(i + place) % 8];
                blancs |= std::uint64_t{chiffres::estBlanc(groupe[i]) ? 1u : 0u} << i;
            }
            ASSERT_EQ(chiffres::blancs(groupe), blancs);
            ASSERT_EQ(chiffres::blancsPortable(groupe), blancs);
            const std::uint64_t bits = (lu | 1) << (8 * place + octet % 8);
            ASSERT_EQ(chiffres::rangDuPremierPortable(bits), 8u * place + octet % 8);
        }
    }
}

}  // namespace
