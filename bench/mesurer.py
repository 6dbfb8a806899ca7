#!/usr/bin/env python3
"""Mesure le programme sur de longues colonnes de nombres envoyées par fichier.

Pour 10 mille, 1 million et 10 millions de nombres (tirés avec une graine
fixe), de six chiffres au plus ou sur toute l'étendue des 32 bits, lance le
programme plusieurs fois, entrée depuis un fichier et sortie
vers /dev/null, et donne le temps médian et la mémoire résidente maximale.
Le plancher des E/S (plancher-lecture.cpp) ne fait que lire la colonne et
écrire les mêmes invites : la limite de ce travail. Le plancher (plancher.cpp,
construit ici avec le compilateur C++ du système) fait le moins de travail
que demande le même résultat, naïvement ; le plancher fort (plancher-fort.cpp)
fait de même avec les techniques connues. Enfin, cent mille courtes séries
mesurent le temps et les appels write du rapport et de la question.
Quand GNU datamash et awk sont là, ils calculent les mêmes chiffres sur les
mêmes nombres. Chaque outil est mesuré à tour de rôle, essai après essai, et
son temps rapporté à celui des deux planchers et à celui de datamash.

    python3 bench/mesurer.py [--programme build/statistiques] [--essais 7]
    python3 bench/mesurer.py --programme avant=ancien/statistiques --programme build/statistiques
"""
import argparse
import os
import random
import re
import struct
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

TEMPS = "/usr/bin/time"  # GNU time, paquet Debian « time »
TAILLES = [10_000, 1_000_000, 10_000_000]
# Le total et la moyenne en toutes lettres : print les écrirait en %.6g.
AWK = ('{ n++; s += $1; if (n == 1 || $1 < mn) mn = $1; if (n == 1 || $1 > mx) mx = $1 } '
       'END { printf "%d %.0f %.17g %d %d\\n", n, s, s / n, mn, mx }')
RAPPORT = re.compile(rb"les (\d+) nombres entr\S+ totalisent \t: (-?\d+)\n"
                     rb"la moyenne est (\S+)\n\n"
                     rb"le nombre minimum \t : (-?\d+)\nle nombre maximum \t : (-?\d+)\n")


# Les sortes de colonnes : des nombres de six chiffres au plus, ou sur toute
# l'étendue des 32 bits (identifiants, horodatages : neuf ou dix chiffres).
ETENDUES = {"courte": (-1_000_000, 1_000_000), "32 bits": (-2**31, 2**31 - 1)}


def generer(dossier, taille, sorte="courte"):
    """Une colonne de nombres non nuls, puis sa version pour le programme."""
    nom = f"{taille}-{sorte.replace(' ', '-')}"
    colonne = os.path.join(dossier, f"colonne-{nom}.txt")
    dialogue = os.path.join(dossier, f"dialogue-{nom}.txt")
    tirage = random.Random(taille if sorte == "courte" else taille + 1)
    bas, haut = ETENDUES[sorte]
    with open(colonne, "w") as sortie:
        for _ in range(taille // 10_000):
            nombres = (tirage.randint(bas, haut) or 1 for _ in range(10_000))
            sortie.write("\n".join(map(str, nombres)) + "\n")
    shutil.copyfile(colonne, dialogue)
    with open(dialogue, "a") as sortie:
        sortie.write("0\nn\n")
    return colonne, dialogue


def mesurer(outils, essais, dossier):
    """Pour chaque outil (commande, entrée), le temps médian en secondes et la
    mémoire résidente maximale en Kio ; les outils passent à tour de rôle.

    La mémoire est lue par GNU time : le compte d'un processus né de Python
    garderait la taille de Python lui-même."""
    durees = {nom: [] for nom in outils}
    memoire = dict.fromkeys(outils, 0)
    releve = os.path.join(dossier, "memoire.txt")
    for _ in range(essais):
        for nom, (commande, entree) in outils.items():
            with open(entree, "rb") as source, open(os.devnull, "wb") as puits:
                debut = time.perf_counter()
                statut = subprocess.call([TEMPS, "-f", "%M", "-o", releve] + commande,
                                         stdin=source, stdout=puits)
                durees[nom].append(time.perf_counter() - debut)
            if statut != 0:
                sys.exit(f"{commande[0]} : statut {statut}")
            with open(releve) as lu:
                memoire[nom] = max(memoire[nom], int(lu.read().split()[-1]))
    return {nom: (statistics.median(durees[nom]), memoire[nom]) for nom in outils}


def simple(valeur):
    """La valeur arrondie en simple précision, comme la moyenne du programme."""
    return struct.unpack("f", struct.pack("f", float(valeur)))[0]


def entier(texte):
    """Un entier écrit par un outil, « 42 » comme « 42.000 »."""
    entiere, _, fraction = texte.partition(".")
    if fraction.strip("0"):
        raise ValueError(texte)
    return int(entiere)


def chiffres(nom, commande, entree):
    """Le compte, le total, la moyenne, le minimum et le maximum qu'écrit un
    outil ; de sa sortie, on ne garde que la fin, où sont ses chiffres."""
    with open(entree, "rb") as source:
        processus = subprocess.Popen(commande, stdin=source, stdout=subprocess.PIPE)
        fin = b""
        while bloc := processus.stdout.read(1 << 16):
            fin = (fin + bloc)[-4096:]
        if processus.wait() != 0:
            sys.exit(f"{nom} : statut {processus.returncode}")
    if nom in ("datamash", "awk"):
        champs = fin.split()
    elif (trouve := RAPPORT.search(fin)) is not None:
        champs = trouve.groups()
    else:
        champs = fin.splitlines()[-1].split(b": ")[-1].split()[:5]
    try:
        compte, total, moyenne, minimum, maximum = (champ.decode() for champ in champs[:5])
        return (entier(compte), entier(total), moyenne, entier(minimum), entier(maximum))
    except ValueError:
        sys.exit(f"{nom} : chiffres illisibles à la fin de sa sortie : {fin[-200:]!r}")


def verifier(outils, references, taille):
    """Chaque outil donne les chiffres de datamash et d'awk : le compte, le
    total et les extrêmes exactement, la moyenne en simple précision. Les
    programmes qui l'écrivent à six chiffres l'écrivent comme %g de ce float."""
    obtenus = {nom: chiffres(nom, *outil) for nom, outil in outils.items()}
    for reference in references:
        attendu = obtenus[reference]
        for nom, obtenu in obtenus.items():
            accord = obtenu[0:2] == attendu[0:2] and obtenu[3:] == attendu[3:]
            moyenne = simple(attendu[2])
            if nom in references:
                accord = accord and simple(obtenu[2]) == moyenne
            else:
                accord = accord and obtenu[2] == f"{moyenne:g}"
            if not accord:
                sys.exit(f"{taille} nombres : {nom} ne calcule pas comme {reference}\n"
                         f"  {nom} : {obtenu}\n  {reference} : {attendu}")
    print(f"{taille:>10}  chiffres vérifiés : {', '.join(obtenus)} "
          f"(compte {attendu[0]}, total {attendu[1]}, moyenne {attendu[2]})" if references
          else f"{taille:>10}  chiffres non vérifiés : ni datamash ni awk")


def construire_plancher(dossier, nom, optimisation="-O2"):
    programme = os.path.join(dossier, nom)
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), nom + ".cpp")
    compilateur = os.environ.get("CXX", "c++")
    subprocess.check_call([compilateur, "-std=c++17", optimisation, "-o", programme, source])
    return programme


def ecritures(commande, entree):
    """Le temps et le nombre d'appels write d'une commande : ceux d'un enfant
    fini s'ajoutent aux nôtres dans /proc/self/io (Linux)."""
    def compte():
        with open("/proc/self/io") as io:
            return next(int(ligne.split()[1]) for ligne in io if ligne.startswith("syscw"))
    with open(entree, "rb") as source, open(os.devnull, "wb") as puits:
        avant = compte()
        debut = time.perf_counter()
        statut = subprocess.call(commande, stdin=source, stdout=puits)
        duree = time.perf_counter() - debut
        apres = compte()
    if statut != 0:
        sys.exit(f"{commande[0]} : statut {statut}")
    return duree, apres - avant


def courtes_series(dossier, programmes, essais):
    """Cent mille séries de trois nombres, chacune suivie de o : le rapport et
    la question comptent plus que les nombres."""
    entree = os.path.join(dossier, "series.txt")
    with open(entree, "w") as fichier:
        fichier.write("5 -3 8 0\no\n" * 100_000 + "0\nn\n")
    print(f"\n100 000 courtes séries (5 -3 8 0, puis o), sortie vers /dev/null :")
    print(f"{'outil':<13} {'médiane':>9} {'écritures':>10}")
    for nom, commande in programmes.items():
        mesures = [ecritures(commande, entree) for _ in range(essais)]
        print(f"{nom:<13} {statistics.median(m[0] for m in mesures):>8.3f}s "
              f"{mesures[0][1]:>10}")


def main():
    arguments = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    arguments.add_argument("--programme", action="append",
                           help="chemin, ou nom=chemin ; autant de fois qu'on veut")
    arguments.add_argument("--essais", type=int, default=7)
    arguments.add_argument("--tailles", type=int, nargs="+", default=TAILLES)
    arguments.add_argument("--colonnes", nargs="+", choices=list(ETENDUES),
                           default=list(ETENDUES))
    options = arguments.parse_args()

    if not os.access(TEMPS, os.X_OK):
        sys.exit("il faut GNU time : apt-get install time")
    autres = {}
    if shutil.which("datamash"):
        autres["datamash"] = ["datamash", "count", "1", "sum", "1", "mean", "1", "min", "1",
                              "max", "1"]
    if shutil.which("awk"):
        autres["awk"] = ["awk", AWK]

    print(f"{'nombres':>10}  {'colonne':<8} {'outil':<13} {'médiane':>9} {'mémoire':>10}"
          f"  {'/E/S':>6}  {'/plancher':>9}  {'/fort':>6}  {'/datamash':>9}")
    with tempfile.TemporaryDirectory() as dossier:
        # Le plancher des entrées et sorties compte ses fins de ligne dans une
        # boucle que le compilateur vectorise : il lui faut -O3.
        lecture = construire_plancher(dossier, "plancher-lecture", "-O3")
        plancher = construire_plancher(dossier, "plancher")
        fort = construire_plancher(dossier, "plancher-fort")
        programmes = {}
        for programme in options.programme or ["build/statistiques"]:
            nom, _, chemin = programme.rpartition("=")
            programmes[nom or "statistiques"] = [os.path.abspath(chemin)]
        for taille in options.tailles:
            for sorte in options.colonnes:
                colonne, dialogue = generer(dossier, taille, sorte)
                outils = {nom: (commande, dialogue) for nom, commande in programmes.items()}
                outils["plancher"] = ([plancher], dialogue)
                # Le plancher fort ne lit que huit chiffres par nombre.
                if sorte == "courte":
                    outils["plancher fort"] = ([fort], dialogue)
                outils.update((nom, (commande, colonne)) for nom, commande in autres.items())
                verifier(outils, list(autres), taille)
                # Le plancher des E/S ne calcule rien : il n'est que chronométré.
                outils["plancher E/S"] = ([lecture], dialogue)
                resultats = mesurer(outils, options.essais, dossier)
                for nom, (temps, memoire) in resultats.items():
                    rapports = [f"{temps / resultats[reference][0]:>{largeur}.2f}"
                                if reference in resultats else f"{'':>{largeur}}"
                                for reference, largeur in (("plancher E/S", 6), ("plancher", 9),
                                                           ("plancher fort", 6),
                                                           ("datamash", 9))]
                    print(f"{taille:>10}  {sorte:<8} {nom:<13} {temps:>8.3f}s {memoire:>7} Kio  "
                          + "  ".join(rapports))
        if os.path.exists("/proc/self/io"):
            courtes_series(dossier, programmes, options.essais)


if __name__ == "__main__":
    main()
