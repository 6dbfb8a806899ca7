#include <ostream>
#include <string>

#include "console.h"
#include "dialogue.h"
#include "flux.h"
#include "lecteur.h"

namespace {

// L'entrée standard telle que la console la lit, qui retient pourquoi elle
// n'a pas pu être lue : erreur reste vide si elle a été lue jusqu'au bout.
struct EntreeStandard final : SourceOctets {
    std::size_t lire(char* tampon, std::size_t taille) override {
        return lireEntreeStandard(tampon, taille, erreur);
    }
    std::string erreur;
};

// L'aide, où chaque « é » prend les octets que montre la sortie.
std::string aide(const std::string& eAigu) {
    std::string texte =
        "Usage : statistiques [-h | --help | --version]\n"
        "\n"
        "R\x01sume des nombres entiers tap\x01s un par un, coll\x01s ou envoy\x01s par un\n"
        "tube : un 0 termine la s\x01rie. Viennent alors leur compte, leur total et\n"
        "leur moyenne, le plus petit et le plus grand, le nombre de pairs et\n"
        "d'impairs et la somme de chaque classe ; o recommence une s\x01rie, n termine.\n"
        "\n"
        "  -h, --help   affiche cette aide\n"
        "  --version    affiche la version\n"
        "\n"
        "Le manuel : man statistiques ; avant l'installation, man -l statistiques.1\n"
        "dans le dossier de construction.\n";
    for (std::size_t place = 0; (place = texte.find('\x01', place)) != std::string::npos;
         place += eAigu.size()) {
        texte.replace(place, 1, eAigu);
    }
    return texte;
}

}  // namespace

int main(int argc, char** argv) {
    TamponSortie tamponErreurs(TamponSortie::Flux::erreurs);
    std::ostream erreurs(&tamponErreurs);
    ConsoleSysteme console;
    TamponSortie tamponSortie;
    std::ostream sortie(&tamponSortie);

    // Le premier argument qui demande l'aide ou la version l'obtient ; tout
    // autre argument est ignoré, et le dialogue a lieu.
    bool repondu = false;
    for (int i = 1; i < argc && !repondu; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            sortie << aide(console.eAigu());
            repondu = true;
        } else if (argument == "--version") {
            sortie << "statistiques " STATISTIQUES_VERSION "\n";
            repondu = true;
        }
    }
    int statut = 0;
    if (!repondu) {
        EntreeStandard entree;
        statut = dialoguer(entree, sortie, erreurs, console);
        sortie.flush();
        // Ce qui a été lu avant l'erreur est déjà dans le rapport ; l'échec
        // se dit quand même, et le statut le montre.
        if (!entree.erreur.empty()) {
            erreurs << "statistiques : impossible de lire les saisies (" << entree.erreur << ").\n"
                    << std::flush;
            statut = 1;
        }
    }
    sortie.flush();
    // Un lecteur parti (tuyauFerme) : on se tait, comme tout outil du système.
    if (tamponSortie.etat() == EtatEcriture::echec) {
        erreurs << "statistiques : sortie standard inutilisable, fin du programme.\n" << std::flush;
    }
    return tamponSortie.etat() == EtatEcriture::reussie ? statut : 1;
}
