#include "modele.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr std::string_view invite = "Entrer un nombre entier : ";
constexpr std::string_view question = "\nVoulez-vous continuer? (o/n) ";
constexpr std::string_view pasUnEntier =
    "statistiques : ce n'est pas un nombre entier, recommencez.\n";
constexpr std::string_view horsLimites =
    "statistiques : nombre hors limites, il faut un entier entre -2147483648 et 2147483647.\n";

bool blanc(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool chiffre(char c) { return c >= '0' && c <= '9'; }

std::string rapport(const std::vector<std::int32_t>& nombres) {
    std::int64_t total = 0, pairs = 0, impairs = 0, sommePairs = 0, sommeImpairs = 0;
    std::int32_t minimum = nombres.front(), maximum = nombres.front();
    for (std::int32_t n : nombres) {
        total += n;
        if (n % 2 == 0) {
            ++pairs;
            sommePairs += n;
        } else {
            ++impairs;
            sommeImpairs += n;
        }
        minimum = n < minimum ? n : minimum;
        maximum = n > maximum ? n : maximum;
    }
    // Moins de 2^32 nombres ici : 64 bits suffisent à tout compter exactement.
    const auto compte = static_cast<long long>(nombres.size());
    const float moyenne =
        static_cast<float>(static_cast<double>(total) / static_cast<double>(compte));
    char ligne[512];
    (void)std::snprintf(
        ligne, sizeof ligne,
        "les %lld nombres entr\xE9s totalisent \t: %lld\nla moyenne est %g\n\n"
        "le nombre minimum \t : %d\nle nombre maximum \t : %d\n\n"
        "le nb de nombre pair \t : %lld\nle nb de nombre impair \t : %lld\n\n"
        "la somme des nombres pairs \t : %lld\nla somme des nombres impairs \t : %lld\n\n",
        compte, static_cast<long long>(total), static_cast<double>(moyenne), minimum, maximum,
        static_cast<long long>(pairs), static_cast<long long>(impairs),
        static_cast<long long>(sommePairs), static_cast<long long>(sommeImpairs));
    return ligne;
}

}  // namespace

DialogueAttendu dialogueAttendu(std::string_view texte) {
    DialogueAttendu attendu;
    std::size_t i = 0;
    const std::size_t n = texte.size();
    auto sauterBlancs = [&] {
        while (i < n && blanc(texte[i])) {
            ++i;
        }
    };
    // Rend faux à la fin du texte.
    auto lireNombre = [&](std::int32_t& nombre) {
        for (;;) {
            attendu.sortie += invite;
            sauterBlancs();
            if (i == n) {
                return false;
            }
            std::size_t fin = i;
            const bool negatif = texte[fin] == '-';
            if (texte[fin] == '-' || texte[fin] == '+') {
                ++fin;
            }
            const std::size_t chiffres = fin;
            std::int64_t valeur = 0;
            for (; fin < n && chiffre(texte[fin]); ++fin) {
                valeur = valeur * 10 + (texte[fin] - '0');
                valeur = valeur > 0x100000000 ? 0x100000000 : valeur;  // au-delà, peu importe
            }
            const std::int64_t signe = negatif ? -valeur : valeur;
            if (fin > chiffres && signe >= -0x80000000LL && signe <= 0x7FFFFFFF) {
                i = fin;
                nombre = static_cast<std::int32_t>(signe);
                return true;
            }
            attendu.avantAvertissements.push_back(attendu.sortie.size());
            attendu.erreurs += fin > chiffres ? horsLimites : pasUnEntier;
            while (fin < n && !blanc(texte[fin])) {
                ++fin;
            }
            i = fin;
        }
    };
    for (;;) {
        ++attendu.series;
        std::vector<std::int32_t> nombres;
        std::int32_t nombre = 0;
        while (lireNombre(nombre) && nombre != 0) {
            nombres.push_back(nombre);
        }
        if (!nombres.empty()) {
            attendu.sortie += rapport(nombres);
        }
        char reponse = 'N';
        for (;;) {
            attendu.sortie += question;
            sauterBlancs();
            if (i == n) {
                reponse = 'N';
                break;
            }
            reponse = texte[i++];
            reponse =
                reponse >= 'a' && reponse <= 'z' ? static_cast<char>(reponse - 'a' + 'A') : reponse;
            if (reponse == 'O' || reponse == 'N') {
                break;
            }
        }
        if (reponse == 'N') {
            break;
        }
    }
    attendu.sortie += "\nAurevoir!!!\n";
    return attendu;
}
