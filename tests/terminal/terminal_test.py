#!/usr/bin/env python3
"""Le programme dans un vrai terminal (un pseudo-terminal), mené comme par une
personne : on ne tape qu'après avoir lu l'invite ou la question attendue, avec
un délai de quelques secondes. Une invite restée dans un tampon fait échouer
le test au lieu de le laisser passer par chance.

    python3 terminal_test.py chemin/du/programme [EnTerminal.test_...]
    python3 terminal_test.py --windows wine programme.exe [ConsoleWindows.test_...]
"""
import fcntl
import os
import resource
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import termios
import time
import unittest

PROGRAMME = LANCEUR = None
EFFACEMENT = b"\x1b[H\x1b[2J"
INVITE = b"Entrer un nombre entier : "
QUESTION = b"Voulez-vous continuer? (o/n) "
PAUSE = b"Appuyez sur une touche pour continuer..."
DELAI = 5.0


# Les appels système où un programme attend ce qu'on tape, par leur numéro sur
# la machine (amd64 ; ailleurs, le seul état endormi suffit).
NUMEROS_D_APPELS = {"x86_64": {0: "read", 1: "write", 7: "poll", 23: "select", 270: "pselect6",
                               271: "ppoll"}}
LECTURES = {"read", "poll", "select", "pselect6", "ppoll", "?"}


def etat_du_processus(pid):
    """L'appel système où dort le processus (None s'il ne dort pas, « ? » si
    la machine ne le dit pas) et ses signaux en attente."""
    try:
        with open(f"/proc/{pid}/stat") as stat:
            if stat.read().rpartition(")")[2].split()[0] != "S":
                return None, 0
        with open(f"/proc/{pid}/status") as status:
            signaux = sum(int(ligne.split()[1], 16) for ligne in status
                          if ligne.startswith(("SigPnd:", "ShdPnd:")))
        with open(f"/proc/{pid}/syscall") as appel:
            numero = appel.read().split()[0]
    except (OSError, IndexError):
        return "?", 0
    noms = NUMEROS_D_APPELS.get(os.uname().machine)
    return (noms.get(int(numero)) if noms and numero.isdigit() else "?"), signaux


class Terminal:
    """Un programme lancé sur un pseudo-terminal, qui en est le terminal de contrôle."""

    def __init__(self, env=None, sortie_tube=False, commande=None, ignores=(), nonbloquant=False):
        self.maitre, self.esclave = os.openpty()
        self.reglages_avant = termios.tcgetattr(self.esclave)
        self.ignores = ignores
        if nonbloquant:
            fcntl.fcntl(self.esclave, fcntl.F_SETFL, os.O_NONBLOCK)
        environnement = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "TERM": "xterm",
                         "LANG": "C.UTF-8"}
        environnement.update(env or {})
        environnement = {k: v for k, v in environnement.items() if v is not None}
        self.processus = subprocess.Popen(
            commande or [PROGRAMME], stdin=self.esclave,
            stdout=subprocess.PIPE if sortie_tube else self.esclave,
            stderr=self.esclave, env=environnement, preexec_fn=self._prendre_le_terminal)
        self.lu = b""
        self.position = 0

    def _prendre_le_terminal(self):
        # Ctrl-\ laisserait sinon un fichier core derrière lui.
        resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
        for numero in self.ignores:
            signal.signal(numero, signal.SIG_IGN)
        os.setsid()
        fcntl.ioctl(0, termios.TIOCSCTTY, 0)

    def _lire(self, delai):
        prets, _, _ = select.select([self.maitre], [], [], delai)
        if prets:
            try:
                self.lu += os.read(self.maitre, 65536)
            except OSError:
                pass

    def attendre(self, texte, delai=DELAI):
        """Lit jusqu'à voir texte après ce qui a déjà été attendu ; rend ce qui le précède."""
        fin = time.monotonic() + delai
        while texte not in self.lu[self.position:]:
            reste = fin - time.monotonic()
            if reste <= 0:
                raise AssertionError(f"{texte!r} jamais affiché ; lu : {self.lu[self.position:]!r}")
            self._lire(reste)
        debut = self.lu.index(texte, self.position)
        avant = self.lu[self.position:debut]
        self.position = debut + len(texte)
        return avant

    def taper(self, texte):
        os.write(self.maitre, texte)

    def attendre_l_etat(self, condition, quoi, pid=None, delai=DELAI):
        """Attend que le processus (le programme, ou pid) soit endormi dans
        l'état voulu : condition reçoit le nom de son appel système en cours et
        ses signaux en attente. Échoue s'il finit avant."""
        pid = pid or self.processus.pid
        fin = time.monotonic() + delai
        while not condition(*etat_du_processus(pid)):
            if self.processus.poll() is not None:
                raise AssertionError(f"fini (statut {self.processus.returncode}) avant {quoi}")
            if time.monotonic() > fin:
                raise AssertionError(f"jamais {quoi} ; état : {etat_du_processus(pid)}")
            time.sleep(0.01)

    def attendre_la_touche(self, pid=None):
        """Attend que la pause lise sa touche : terminal sans mode ligne, et le
        programme endormi sur la lecture."""
        def en_attente(appel, signaux):
            mode_ligne = termios.tcgetattr(self.esclave)[3] & termios.ICANON
            return not mode_ligne and appel in LECTURES and not signaux
        self.attendre_l_etat(en_attente, "en attente de la touche", pid)

    def reste_a_lire(self):
        """Ce que le programme a laissé dans l'entrée du terminal."""
        reglages = termios.tcgetattr(self.esclave)
        reglages[3] &= ~termios.ICANON
        reglages[6][termios.VMIN], reglages[6][termios.VTIME] = 0, 0
        termios.tcsetattr(self.esclave, termios.TCSANOW, reglages)
        return os.read(self.esclave, 100)

    def terminer(self, delai=DELAI):
        statut = self.processus.wait(delai)
        self._lire(0.05)
        return statut

    def fermer(self):
        if self.processus.poll() is None:
            self.processus.kill()
            self.processus.wait()
        if self.processus.stdout:
            self.processus.stdout.close()
        os.close(self.maitre)
        os.close(self.esclave)


class EnTerminal(unittest.TestCase):
    def lancer(self, **options):
        terminal = Terminal(**options)
        self.addCleanup(terminal.fermer)
        return terminal

    def finir_par_la_pause(self, terminal):
        terminal.attendre(b"Aurevoir!!!")
        terminal.attendre(PAUSE)
        terminal.attendre_la_touche()

    def jusqu_a_la_pause(self, **options):
        """Une série vide, n, et le programme attend sa touche."""
        t = self.lancer(**options)
        t.attendre(INVITE)
        t.taper(b"0\n")
        t.attendre(QUESTION)
        t.taper(b"n\n")
        self.finir_par_la_pause(t)
        return t

    def test_efface_l_ecran_avant_chaque_serie(self):
        for env in ({}, {"TERM": None}):
            with self.subTest(env=env):
                t = self.lancer(env=env)
                self.assertTrue(t.attendre(INVITE).endswith(EFFACEMENT))
                t.taper(b"0\n")
                t.attendre(QUESTION)
                t.taper(b"o\n")
                self.assertTrue(t.attendre(INVITE).endswith(EFFACEMENT))
                t.taper(b"0\n")
                t.attendre(QUESTION)
                t.taper(b"n\n")
                self.finir_par_la_pause(t)
                t.taper(b"x")
                self.assertEqual(t.terminer(), 0)
                self.assertEqual(t.lu.count(EFFACEMENT), 2)

    def test_rien_n_est_efface_sur_un_terminal_muet(self):
        t = self.lancer(env={"TERM": "dumb"})
        t.taper(b"4 0\n")
        t.attendre(QUESTION)
        t.taper(b"n\n")
        self.finir_par_la_pause(t)
        t.taper(b" ")
        self.assertEqual(t.terminer(), 0)
        self.assertNotIn(b"\x1b", t.lu)

    def test_serie_sur_deux_lignes_et_encodage(self):
        for env, e_aigu in [({"LANG": "C.UTF-8"}, b"\xc3\xa9"),
                            ({"LANG": "fr_FR.UTF-8", "LC_ALL": None}, b"\xc3\xa9"),
                            ({"LANG": "C.UTF-8", "LC_ALL": "C"}, b"\xe9"),
                            # Des locales absentes de la machine : leur nom suffit.
                            ({"LANG": "C", "LC_CTYPE": "xx_XX.UTF-8"}, b"\xc3\xa9"),
                            ({"LANG": "xx_XX.UTF-8@euro", "LC_ALL": ""}, b"\xc3\xa9"),
                            ({"LANG": None}, b"\xe9")]:
            with self.subTest(env=env):
                t = self.lancer(env=env)
                t.attendre(INVITE)
                t.taper(b"5 -3\n")
                t.attendre(INVITE + INVITE)
                t.taper(b"8 0\n")
                t.attendre(INVITE)
                rapport = t.attendre(QUESTION)
                self.assertIn(b"les 3 nombres entr" + e_aigu + b"s totalisent \t: 10", rapport)
                self.assertIn(b"la moyenne est 3.33333", rapport)
                t.taper(b"n\n")
                self.finir_par_la_pause(t)
                t.taper(b"\n")  # Entrée seule est une touche aussi
                self.assertEqual(t.terminer(), 0)

    def test_la_pause_attend_une_seule_touche_et_rend_le_terminal(self):
        for touche, nonbloquant in [(b"k", False), (b"k", True), (b"\x1b[A", False),
                                    (b"\x1bOP", False), (b"\x1bO5P", False), ("é".encode(), False),
                                    (b"\x1b[15~", False), (b"\x1b[[A", False), (b"\x1b", False),
                                    ("€".encode(), False), ("🙂".encode(), False)]:
            with self.subTest(touche=touche, nonbloquant=nonbloquant):
                t = self.jusqu_a_la_pause(nonbloquant=nonbloquant)
                t.taper(touche)
                self.assertEqual(t.terminer(), 0)
                self.assertEqual(t.lu[t.position:], b"\r\n", "la touche s'affiche")
                self.assertEqual(termios.tcgetattr(t.esclave), t.reglages_avant)
                self.assertEqual(t.reste_a_lire(), b"")

    def test_une_touche_tapee_d_avance_finit_la_pause(self):
        t = self.lancer()
        t.attendre(INVITE)
        t.taper(b"0\n")
        t.attendre(QUESTION)
        t.taper(b"n\nk")
        self.assertEqual(t.terminer(), 0)
        self.assertEqual(t.reste_a_lire(), b"")

    def test_une_ecriture_interrompue_reprend(self):
        t = self.jusqu_a_la_pause()
        t.taper(b"\x13k")  # sortie arrêtée (XOFF) : la fin de ligne de la pause attend
        t.attendre_l_etat(lambda appel, _: appel in ("write", "?"), "bloqué en écriture")
        t.processus.send_signal(signal.SIGTSTP)
        t.attendre_l_etat(lambda appel, signaux: appel in ("write", "?") and not signaux,
                          "de nouveau en écriture après le signal")
        t.taper(b"\x11")
        self.assertEqual(t.terminer(), 0)
        self.assertEqual(t.lu[t.position:], b"\r\n")

    def test_un_signal_ignore_par_l_appelant_le_reste(self):
        t = self.jusqu_a_la_pause(ignores=(signal.SIGINT,))
        # Le terminal traite les octets dans l'ordre : si Ctrl-C arrêtait le
        # programme, la touche qui suit ne le finirait pas par le statut 0.
        t.taper(b"\x03")
        t.taper(b"k")
        self.assertEqual(t.terminer(), 0, "Ctrl-C ignoré a arrêté le programme")

    def test_suspendu_puis_repris_pendant_la_pause(self):
        t = self.lancer(commande=["bash", "--norc", "--noprofile", "-i"], env={"PS1": "$ "})
        t.taper(f"'{PROGRAMME}'\n".encode())
        t.attendre(INVITE)
        t.taper(b"0\n")
        t.attendre(QUESTION)
        t.taper(b"n\n")
        t.attendre(PAUSE)
        # Le programme est le groupe au premier plan du terminal, hors du shell.
        programme = os.tcgetpgrp(t.maitre)
        self.assertNotEqual(programme, t.processus.pid)
        for _ in range(2):  # la pause se suspend autant de fois qu'on veut
            t.attendre_la_touche(programme)
            t.taper(b"\x1a")
            t.attendre(b"Stopped")
            t.taper(b"fg\n")
            t.attendre(b"fg\r\n")
            t.attendre(b"statistiques'\r\n")
            t.attendre_la_touche(programme)
            t._lire(0)
            self.assertNotIn(b"$ ", t.lu[t.position:], "la reprise a fini la pause")
        t.taper(b"k")
        t.attendre(b"$ ")
        t.taper(b"echo statut=$?\n")
        t.attendre(b"statut=0")

    def test_un_signal_pendant_la_pause_rend_le_terminal(self):
        facons = [("Ctrl-C", signal.SIGINT, lambda t: t.taper(b"\x03")),
                  ("SIGTERM", signal.SIGTERM, lambda t: t.processus.send_signal(signal.SIGTERM)),
                  ("SIGHUP", signal.SIGHUP, lambda t: t.processus.send_signal(signal.SIGHUP)),
                  ("Ctrl-\\", signal.SIGQUIT, lambda t: t.taper(b"\x1c"))]
        for nom, numero, envoyer in facons:
            with self.subTest(signal=nom):
                t = self.jusqu_a_la_pause()
                envoyer(t)
                self.assertEqual(t.terminer(), -numero)
                self.assertEqual(termios.tcgetattr(t.esclave), t.reglages_avant)

    def test_arrete_quand_la_pause_rend_le_terminal(self):
        cale = os.environ.get("STATISTIQUES_CALE_ARRET")
        if not cale:
            self.skipTest("pas de cale sur ce système")
        t = self.jusqu_a_la_pause(env={"LD_PRELOAD": cale,
                                       "ASAN_OPTIONS": "verify_asan_link_order=0"})
        t.taper(b"k")
        self.assertEqual(t.terminer(), 0)
        self.assertEqual(termios.tcgetattr(t.esclave), t.reglages_avant, "terminal laissé brut")

    def test_ctrl_d_termine_la_serie_puis_repond_non(self):
        t = self.lancer()
        t.attendre(INVITE)
        t.taper(b"5 3\n")
        t.attendre(INVITE + INVITE)
        # Un signe puis deux Ctrl-D : la fin de l'entrée est définitive.
        t.taper(b"-\x04\x04")
        rapport = t.attendre(QUESTION)
        self.assertIn(b"les 2 nombres", rapport)
        self.finir_par_la_pause(t)
        t.taper(b"q")
        self.assertEqual(t.terminer(), 0)
        self.assertEqual(termios.tcgetattr(t.esclave), t.reglages_avant)

    def test_un_rejet_s_ecrit_apres_son_invite(self):
        t = self.lancer()
        t.attendre(INVITE)
        t.taper(b"5 x 0\n")
        t.attendre(INVITE + b"statistiques : ce n'est pas un nombre entier")

    def test_sortie_dans_un_tube_et_clavier_au_terminal(self):
        t = self.lancer(sortie_tube=True)
        t.taper(b"5 -3 8 0\nn\n")
        t.attendre(PAUSE)
        t.attendre_la_touche()
        t.taper(b"z")
        journal = t.processus.stdout.read()
        self.assertEqual(t.terminer(), 0)
        self.assertNotIn(b"\x1b", journal)
        self.assertNotIn(PAUSE, journal)
        self.assertTrue(journal.startswith(INVITE * 4 + b"les 3 nombres entr\xe9s"))
        self.assertTrue(journal.endswith(QUESTION + b"\nAurevoir!!!\n"))
        self.assertEqual(termios.tcgetattr(t.esclave), t.reglages_avant)


class ConsoleWindows(unittest.TestCase):
    """Le programme Windows dans la console de Wine, sur un terminal mené par tmux."""
    def setUp(self):
        # Un serveur tmux par test : celui du test d'avant finit peut-être encore.
        self.socle = f"statistiques-{os.getpid()}-{self._testMethodName}"

    def tmux(self, *arguments):
        return subprocess.run(["tmux", "-L", self.socle, *arguments], check=True,
                              capture_output=True).stdout.decode("utf-8", "replace")

    def attendre(self, condition, quoi, delai=DELAI):
        fin = time.monotonic() + delai
        while not condition(ecran := self.tmux("capture-pane", "-p", "-J")):
            if time.monotonic() > fin:
                raise AssertionError(f"{quoi} jamais à l'écran ; écran :\n{ecran}")
            time.sleep(0.1)
        return ecran

    def lancer(self, redirection="", avant=""):
        self.tmux("new-session", "-d", "-x", "200", "-y", "50", "-e", "LANG=C.UTF-8",
                  f"{avant}{LANCEUR} '{PROGRAMME}'{redirection}; echo statut=$?; sleep 600")
        self.addCleanup(subprocess.run, ["tmux", "-L", self.socle, "kill-server"])

    def finir_par_la_pause(self):
        """La pause attend sa touche, puis le programme finit, statut 0 ; rend
        l'écran tel qu'il était pendant la pause."""
        ecran = self.attendre(lambda e: PAUSE.decode() in e, "le message de la pause", 120)
        time.sleep(1)
        self.assertNotIn("statut=", self.tmux("capture-pane", "-p", "-J"), "la pause n'a pas attendu")
        self.tmux("send-keys", "k")
        self.assertIn("statut=0", self.attendre(lambda e: "statut=" in e, "le statut"))
        return ecran

    def test_deux_series_et_la_pause(self):
        self.lancer()
        # Un premier démarrage de Wine prépare son dossier : il prend son temps.
        self.attendre(lambda e: "Entrer un nombre entier" in e, "l'invite", 120)
        self.tmux("send-keys", "5 -3 8 0", "Enter")
        ecran = self.attendre(lambda e: "continuer?" in e, "la question")
        self.assertIn("les 3 nombres entrés totalisent", ecran)
        self.tmux("send-keys", "o", "Enter")
        self.attendre(lambda e: "Entrer" in e and "les 3" not in e, "un écran effacé")
        self.tmux("send-keys", "0", "Enter")
        self.attendre(lambda e: "continuer?" in e, "la question")
        self.tmux("send-keys", "n", "Enter")
        self.attendre(lambda e: "Aurevoir!!!" in e, "l'au revoir")
        self.finir_par_la_pause()

    def test_sortie_dans_un_fichier_et_clavier_a_la_console(self):
        """Le fichier ne reçoit que le dialogue ; la pause parle à la fenêtre."""
        dossier = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, dossier)
        fichier = os.path.join(dossier, "journal.txt")
        # Rien ne paraît avant la pause : on tape d'avance. Le terminal garde
        # alors les touches telles quelles, Entrée comprise, pour la console.
        self.lancer(f" > '{fichier}'", "stty -icanon -echo -icrnl; echo clavier-pret; ")
        self.attendre(lambda e: "clavier-pret" in e, "le terminal réglé", 120)
        cas = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "cas",
                           "parcours-complet")
        with open(cas + ".entree") as entree:
            for ligne in entree.read().split():
                self.tmux("send-keys", "--", ligne, "Enter")
        ecran = self.finir_par_la_pause()
        self.assertNotIn("Entrer un nombre entier", ecran)
        with open(fichier, "rb") as journal, open(cas + ".sortie", "rb") as attendu:
            self.assertEqual(journal.read(), attendu.read().replace(b"\n", b"\r\n"))

    def test_ctrl_c_a_l_invite_arrete_sans_rapport(self):
        """Ctrl-C n'est pas la fin de l'entrée : ni rapport ni au revoir."""
        dossier = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, dossier)
        fichier = os.path.join(dossier, "journal.txt")
        # Tapé d'avance, sur le terminal déjà réglé, comme plus haut : sinon,
        # Wine perd parfois ce qui arrive pendant qu'il prend la console.
        self.lancer(f" > '{fichier}'", "stty -icanon -echo -icrnl; echo clavier-pret; ")
        self.attendre(lambda e: "clavier-pret" in e, "le terminal réglé", 120)
        self.tmux("send-keys", "5", "Enter")
        def invites(nombre, delai):  # le fichier dit quand le programme attend
            fin = time.monotonic() + delai
            while time.monotonic() < fin:
                if os.path.exists(fichier) and open(fichier, "rb").read().count(INVITE) >= nombre:
                    return
                time.sleep(0.1)
            raise AssertionError(f"jamais {nombre} invites dans le fichier")
        invites(2, 120)
        self.tmux("send-keys", "C-c")
        self.assertNotIn("statut=0", self.attendre(lambda e: "statut=" in e, "le statut"))
        with open(fichier, "rb") as journal:
            self.assertEqual(journal.read(), INVITE * 2)


def lancer_les_tests(classe):
    """Les tests nommés après le programme, sinon toute la classe ; une
    sélection qui ne choisit rien est un échec, pas un succès."""
    programme = unittest.main(defaultTest=classe, verbosity=2, exit=False)
    resultat = programme.result
    if resultat.testsRun == 0:
        sys.exit("aucun test choisi")
    sys.exit(0 if resultat.wasSuccessful() else 1)


if __name__ == "__main__":
    if sys.argv[1] == "--windows":
        LANCEUR = sys.argv.pop(2)
        sys.argv.pop(1)
        absents = [outil for outil in ("tmux", LANCEUR) if shutil.which(outil) is None]
        if absents:
            print(f"console Windows non testée, il manque : {', '.join(absents)}")
            sys.exit(77)
        CLASSE = "ConsoleWindows"
    else:
        CLASSE = "EnTerminal"
    PROGRAMME = os.path.abspath(sys.argv.pop(1))
    lancer_les_tests(CLASSE)
