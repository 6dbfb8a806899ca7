#!/usr/bin/env python3
"""Entrées hostiles en grand et sorties qui se dérobent.

Chaque entrée est comparée octet par octet à ce qu'écrit le second calcul du
dialogue (modele_dialogue), et la mémoire résidente maximale, lue par GNU time,
doit rester petite et constante.

    python3 robustesse_test.py programme modele_dialogue [--memoire-max KIO]
    python3 robustesse_test.py programme.exe - --lanceur wine RobustesseWindows.test_...
    python3 robustesse_test.py programme modele --lanceur 'qemu-arm-static|-L|/usr/arm-linux-gnueabihf'
"""
import fcntl
import os
import random
import re
import select
import signal
import subprocess
import sys
import tempfile
import time
import unittest

PROGRAMME = MODELE = None
LANCEUR = []  # l'émulateur d'un programme Windows ou d'un autre processeur
MEMOIRE_MAX = None  # Kio ; None pour ne pas mesurer (construction instrumentée)
TEMPS = "/usr/bin/time"
ERREUR_SORTIE = b"statistiques : sortie standard inutilisable, fin du programme.\n"


def executer(commande, entree):
    """Lance commande sur le fichier entree ; rend statut, sortie, erreurs."""
    with open(entree, "rb") as source:
        processus = subprocess.run(commande, stdin=source, capture_output=True, timeout=600)
    return processus.returncode, processus.stdout, processus.stderr


def attendre_qu_il_dorme(processus, delai=10.0):
    """Attend que le processus dorme (sur son entrée vide ou sa sortie pleine),
    là où /proc le dit ; ailleurs, ou sous un émulateur, on n'attend pas."""
    fin = time.monotonic() + delai
    while not LANCEUR and time.monotonic() < fin and processus.poll() is None:
        try:
            with open(f"/proc/{processus.pid}/stat") as stat:
                if stat.read().rpartition(")")[2].split()[0] == "S":
                    return
        except OSError:
            return
        time.sleep(0.01)


class Robustesse(unittest.TestCase):
    def setUp(self):
        dossier = tempfile.TemporaryDirectory()
        self.addCleanup(dossier.cleanup)
        self.dossier = dossier.name

    def verifier(self, morceaux):
        entree = os.path.join(self.dossier, "entree")
        with open(entree, "wb") as fichier:
            for morceau in morceaux():
                fichier.write(morceau)
        releve = os.path.join(self.dossier, "memoire")
        statut, sortie, erreurs = executer([TEMPS, "-f", "%M", "-o", releve, *LANCEUR, PROGRAMME],
                                           entree)
        self.assertEqual(statut, 0)
        statut_modele, attendu, erreurs_attendues = executer([*LANCEUR, MODELE], entree)
        self.assertEqual(statut_modele, 0)
        self.assertTrue(sortie == attendu, "la sortie standard diffère de l'attendu")
        self.assertTrue(erreurs == erreurs_attendues, "la sortie d'erreur diffère de l'attendu")
        if MEMOIRE_MAX is not None:
            with open(releve) as lu:
                memoire = int(lu.read().split()[-1])
            self.assertLess(memoire, MEMOIRE_MAX, f"mémoire maximale {memoire} Kio")
        return sortie, erreurs

    def test_un_jeton_de_cent_mega_octets(self):
        def morceaux():
            yield b"5 "
            for _ in range(100):
                yield b"9" * 1_000_000
            yield b" 3 0\nn\n"
        sortie, erreurs = self.verifier(morceaux)
        self.assertIn(b"les 2 nombres", sortie)
        self.assertEqual(erreurs.count(b"\n"), 1)

    def test_trois_cent_mille_saisies_rejetees(self):
        # Chaque rejet se dit à part, vidé aussitôt : un appel système chacun.
        sortie, erreurs = self.verifier(lambda: [b"5 ", b"x " * 300_000, b"3 0\nn\n"])
        self.assertIn(b"les 2 nombres", sortie)
        self.assertEqual(erreurs.count(b"\n"), 300_000)

    def test_un_million_de_reponses_rejetees(self):
        sortie, _ = self.verifier(lambda: [b"5 0\n", b"x" * 1_000_000, b"\nn\n"])
        self.assertEqual(sortie.count(b"Voulez-vous continuer?"), 1_000_001)

    def test_des_octets_au_hasard(self):
        tirage = random.Random(2026)
        octets = tirage.randbytes(3_000_000)
        self.verifier(lambda: [b"7 ", octets])

    def test_des_chiffres_et_des_blancs_au_hasard(self):
        tirage = random.Random(1)
        texte = bytes(tirage.choices(b"0123456789-+ \n\t xyo", k=3_000_000))
        self.verifier(lambda: [texte])

    def test_beaucoup_de_courtes_series_en_peu_d_ecritures(self):
        """Le rapport et la question partent avec le reste, pas ligne à ligne."""
        if not os.path.exists("/proc/self/io") or PROGRAMME.endswith(".exe"):
            self.skipTest("ce système ne compte pas les écritures d'un programme")
        sortie, _ = self.verifier(lambda: [b"5 -3 8 0\no\n" * 100_000, b"0\nn\n"])
        self.assertEqual(sortie.count(b"les 3 nombres"), 100_000)
        def ecritures():  # celles des enfants finis comptent avec les nôtres
            with open("/proc/self/io") as io:
                return next(int(l.split()[1]) for l in io if l.startswith("syscw"))
        avant = ecritures()
        executer([*LANCEUR, PROGRAMME], os.path.join(self.dossier, "entree"))
        self.assertLess(ecritures() - avant, 2000)

    def sortie_perdue(self, shell, entree=None):
        """Lance le programme par sh -c shell ; l'entrée est un tube, ou le descripteur entree."""
        processus = subprocess.run(["sh", "-c", shell, "statistiques", *LANCEUR, PROGRAMME],
                                   input=None if entree is not None else b"1 2 3 0\nn\n",
                                   stdin=entree, capture_output=True, timeout=60)
        return processus.returncode, processus.stderr

    def test_un_disque_plein_est_un_echec(self):
        self.assertEqual(self.sortie_perdue('exec "$@" > /dev/full'), (1, ERREUR_SORTIE))

    def test_une_sortie_fermee_est_un_echec(self):
        self.assertEqual(self.sortie_perdue('exec "$@" >&-'), (1, ERREUR_SORTIE))
        # Sans fin d'entrée, la boucle des nombres doit s'arrêter d'elle-même.
        self.assertEqual(self.sortie_perdue('yes 1 | "$@" > /dev/full'), (1, ERREUR_SORTIE))
        # Une entrée qui arrive au compte-gouttes : l'échec vient au vidage, pas au tampon plein.
        self.assertEqual(self.sortie_perdue('while echo 1; do sleep 0.1; done | "$@" > /dev/full'),
                         (1, ERREUR_SORTIE))

    def test_une_entree_illisible_est_un_echec(self):
        maitre, esclave = os.openpty()
        os.close(esclave)  # l'autre bout d'un terminal disparu : erreur d'E/S
        epoll = select.epoll()
        self.addCleanup(os.close, maitre)
        self.addCleanup(epoll.close)
        for shell, entree, raison in [('exec "$@" < /', None, "c'est un dossier"),
                                      ('exec "$@" <&-', None, "aucun fichier ouvert"),
                                      ('exec "$@"', maitre, "erreur d'E/S"),
                                      ('exec "$@"', epoll.fileno(), "ce descripteur ne se lit pas")]:
            with self.subTest(raison=raison):
                self.assertEqual(self.sortie_perdue(shell, entree), (
                    1, f"statistiques : impossible de lire les saisies ({raison}).\n".encode()))

    def test_entree_et_sortie_non_bloquantes(self):
        """Une entrée vide pour l'instant, une sortie ou des erreurs pleines :
        on attend, rien ne se perd, pas même un avertissement."""
        entree = os.path.join(self.dossier, "entree")
        with open(entree, "wb") as fichier:
            fichier.write(b"1 x " * 3_000 + b"1 " * 20_000 + b"0\nn\n")
        _, attendu, erreurs_attendues = executer([*LANCEUR, MODELE], entree)
        for descripteur in (0, 1, 2):
            def preparer():
                drapeaux = fcntl.fcntl(descripteur, fcntl.F_GETFL)
                fcntl.fcntl(descripteur, fcntl.F_SETFL, drapeaux | os.O_NONBLOCK)
            with open(entree, "rb") as source, subprocess.Popen(
                    [*LANCEUR, PROGRAMME], stdin=subprocess.PIPE if descripteur == 0 else source,
                    stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                    preexec_fn=preparer) as processus:
                attendre_qu_il_dorme(processus)
                sortie, erreurs = processus.communicate(
                    source.read() if descripteur == 0 else None, timeout=60)
            self.assertEqual(processus.returncode, 0, descripteur)
            self.assertTrue(erreurs == erreurs_attendues,
                            f"{len(erreurs.splitlines())} avertissements ({descripteur} non bloquant)")
            self.assertTrue(sortie == attendu, f"sortie perdue ({descripteur} non bloquant)")

    def lecteur_parti(self, ignorer_sigpipe):
        """Le lecteur prend cent octets et s'en va, comme head."""
        def preparer():
            signal.signal(signal.SIGPIPE, signal.SIG_IGN if ignorer_sigpipe else signal.SIG_DFL)
        entree = os.path.join(self.dossier, "nombres")
        with open(entree, "wb") as fichier:
            fichier.write(b"12345 " * 10_000_000)
        with open(entree, "rb") as source, subprocess.Popen(
                [*LANCEUR, PROGRAMME], stdin=source, stdout=subprocess.PIPE,
                stderr=subprocess.PIPE, preexec_fn=preparer) as processus:
            processus.stdout.read(100)
            processus.stdout.close()
            erreurs = processus.stderr.read()
            return processus.wait(60), erreurs

    def test_un_tube_ferme_arrete_sans_bruit(self):
        self.assertEqual(self.lecteur_parti(False), (-signal.SIGPIPE, b""))
        self.assertEqual(self.lecteur_parti(True), (1, b""))
        # L'aide aussi, dans un tube déjà sans lecteur : rien sur les erreurs, et le statut 1.
        tube = os.path.join(self.dossier, "tube")
        self.assertEqual(self.sortie_perdue(f'trap "" PIPE; mkfifo {tube}; exec 4<>{tube} 5>{tube} '
                                            f'4<&-; exec "$@" --help >&5'), (1, b""))

    def test_un_tube_d_erreurs_sans_lecteur_ne_perd_que_les_messages(self):
        entree = os.path.join(self.dossier, "entree")
        with open(entree, "wb") as fichier:
            fichier.write(b"5 x 3 abc 0\nn\n")
        _, attendu, _ = executer([*LANCEUR, MODELE], entree)
        lecture, ecriture = os.pipe()
        os.close(lecture)
        with open(entree, "rb") as source:
            processus = subprocess.run([*LANCEUR, PROGRAMME], stdin=source, stdout=subprocess.PIPE,
                                       stderr=ecriture, timeout=60)
        os.close(ecriture)
        self.assertEqual((processus.returncode, processus.stdout), (0, attendu))

    def test_la_ligne_de_commande(self):
        """L'aide et la version ne lisent rien, la première demandée seule ; le reste est ignoré."""
        entree = os.path.join(self.dossier, "entree")
        with open(entree, "wb") as fichier:
            fichier.write(b"5 0\nn\n")
        _, dialogue, _ = executer([*LANCEUR, MODELE], entree)
        aide = re.escape(b"Usage : statistiques [-h | --help | --version]\n")
        for argument, premiere, lus in [("--help", aide, 0), ("-h", aide, 0),
                                        ("--version -h", rb"statistiques \d+\.\d+\.\d+\n\Z", 0),
                                        ("-x", re.escape(dialogue.split(b"\n")[0] + b"\n"), 6)]:
            with self.subTest(argument=argument), open(entree, "rb") as source:
                processus = subprocess.run([*LANCEUR, PROGRAMME, *argument.split()], stdin=source,
                                           capture_output=True, timeout=60)
                self.assertEqual(processus.returncode, 0)
                self.assertTrue(re.match(premiere, processus.stdout))
                self.assertEqual(os.lseek(source.fileno(), 0, os.SEEK_CUR), lus)



class RobustesseWindows(Robustesse):
    """Le programme Windows, sous son émulateur : la même fin que sous Linux.
    Ses outils sont ceux de Robustesse ; seul le test écrit ici est le sien."""

    def test_tube_ferme_et_entree_illisible(self):
        if not PROGRAMME.endswith(".exe"):
            self.skipTest("programme Windows seulement")
        self.assertEqual(self.lecteur_parti(False), (1, b""))
        statut, erreurs = self.sortie_perdue('exec "$@" < /')
        self.assertEqual(statut, 1)
        self.assertTrue(erreurs.startswith(b"statistiques : impossible de lire les saisies ("))


if __name__ == "__main__":
    PROGRAMME, MODELE = os.path.abspath(sys.argv.pop(1)), os.path.abspath(sys.argv.pop(1))
    while len(sys.argv) > 2 and sys.argv[1] in ("--memoire-max", "--lanceur"):
        option, valeur = sys.argv.pop(1), sys.argv.pop(1)
        if option == "--memoire-max":
            MEMOIRE_MAX = int(valeur)
        else:
            LANCEUR = valeur.split("|")
    # Une sélection qui ne choisit rien est un échec, pas un succès.
    resultat = unittest.main(verbosity=2, exit=False).result
    if resultat.testsRun == 0:
        sys.exit("aucun test choisi")
    sys.exit(0 if resultat.wasSuccessful() else 1)
