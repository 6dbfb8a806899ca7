// Le dialogue entier sur des octets quelconques : il doit finir, et écrire
// exactement ce que le second calcul attend, chiffres des rapports compris,
// par les tampons mêmes du programme, dans l'ordre où il les vide. Le premier
// octet choisit comment le texte qui suit arrive : par morceaux dont les
// tailles, tirées de lui, vont de 1 à cet octet plus un, ou d'un bloc pour
// 0xFF. Sans libFuzzer, un petit main rejoue les fichiers qu'on lui donne.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "console_factice.h"
#include "dialogue.h"
#include "flux.h"
#include "modele.h"

namespace {

void verifier(bool condition, const char* quoi) {
    if (!condition) {
        (void)std::fprintf(stderr, "désaccord : %s\n", quoi);
        std::abort();
    }
}

// Le texte attendu quand le tampon fait les fins de ligne du système.
std::string avecCrLf(const std::string& texte, bool crlf) {
    std::string fait;
    for (const char octet : texte) {
        if (crlf && octet == '\n') {
            fait += '\r';
        }
        fait += octet;
    }
    return fait;
}

bool finitPar(const std::string& texte, const std::string& fin) {
    return texte.size() >= fin.size() &&
           texte.compare(texte.size() - fin.size(), fin.size(), fin) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    if (taille == 0) {
        return 0;
    }
    const unsigned plusGrand = donnees[0] + 1u;
    const std::string texte(reinterpret_cast<const char*>(donnees) + 1, taille - 1);
    // 0xFF : le texte d'un bloc, comme d'un fichier ; les invites d'une
    // longue colonne partent alors en un grand morceau.
    std::vector<std::size_t> morceaux;
    std::uint32_t tirage = donnees[0] * 2654435761u + 1u;
    for (int i = 0; i < 61 && donnees[0] != 0xFF; ++i) {
        tirage = tirage * 1664525u + 1013904223u;
        morceaux.push_back(1 + (tirage >> 8) % plusGrand);
    }
    // Ce qui sort du programme par ses propres tampons, tels qu'il les vide,
    // avec les fins de ligne de Windows quand le premier octet est impair.
    const bool crlf = (donnees[0] & 1) != 0;
    const std::string invite = "Entrer un nombre entier : ";
    const std::string question = "Voulez-vous continuer? (o/n) ";
    std::string ecrit;
    std::string avertis;
    std::vector<std::size_t> avantAvertissements;
    bool enOrdre = true;
    TamponSortie tamponSortie(
        TamponSortie::Flux::sortie,
        [&](const char* octets, std::size_t n) {
            ecrit.append(octets, n);
            return EtatEcriture::reussie;
        },
        crlf);
    TamponSortie tamponErreurs(
        TamponSortie::Flux::erreurs,
        [&](const char* octets, std::size_t n) {
            avantAvertissements.push_back(ecrit.size());
            avertis.append(octets, n);
            return EtatEcriture::reussie;
        },
        crlf);
    std::ostream sortie(&tamponSortie);
    std::ostream erreurs(&tamponErreurs);
    // Avant chaque lecture, tout ce qui est écrit est déjà parti.
    SourceTexte entree(texte, morceaux);
    entree.avantChaqueLecture = [&] {
        enOrdre = enOrdre && (finitPar(ecrit, invite) || finitPar(ecrit, question));
    };
    ConsoleFactice console(false);

    const int statut = dialoguer(entree, sortie, erreurs, console);
    sortie.flush();

    DialogueAttendu attendu = dialogueAttendu(texte);
    std::size_t lus = 0;
    std::size_t sauts = 0;
    for (std::size_t& avant : attendu.avantAvertissements) {  // en ordre croissant
        for (; lus < avant; ++lus) {
            sauts += crlf && attendu.sortie[lus] == '\n' ? 1 : 0;
        }
        avant += sauts;
    }
    verifier(statut == 0, "statut");
    verifier(ecrit == avecCrLf(attendu.sortie, crlf), "sortie standard");
    verifier(avertis == avecCrLf(attendu.erreurs, crlf), "sortie d'erreur");
    verifier(avantAvertissements == attendu.avantAvertissements, "ce qui précède un avertissement");
    verifier(enOrdre, "ce qui est écrit part avant chaque attente");
    verifier(console.effacements == attendu.series, "un effacement par série");
    verifier(console.pauses == 1, "une seule pause");
    return 0;
}

#ifdef STATISTIQUES_REJOUER
int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::ifstream fichier(argv[i], std::ios::binary);
        const std::string octets{std::istreambuf_iterator<char>(fichier),
                                 std::istreambuf_iterator<char>()};
        if (!fichier.good() && !fichier.eof()) {
            (void)std::fprintf(stderr, "illisible : %s\n", argv[i]);
            return 1;
        }
        // Le nom d'abord : si le second calcul n'est pas d'accord, on sait où.
        (void)std::fprintf(stderr, "%s\n", argv[i]);
        (void)LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(octets.data()),
                                     octets.size());
    }
    (void)std::printf("%d fichiers rejoués\n", argc - 1);
    return argc > 1 ? 0 : 1;
}
#endif
