"""Orca, the screen reader, in the test's own session: what it says is what a blind pupil hears.

Orca is started with `orca --replace --debug-file F` and logs every utterance as a line
"SPEECH OUTPUT: '...'". Its clock is not the test's, so utterances are told apart by their
position in the log: `detti()` lists them in order, `aspetta_detto` waits for one after a
given position. Speech goes to `voce_muta` (beside this file), which drops the sound and
writes the log out at once.
"""

import fcntl
import json
import os
import shutil
import subprocess
import time

from banco import Fallimento, Saltato, aspetta, log

CARTELLA = os.path.dirname(os.path.abspath(__file__))
SEGNO = "SPEECH OUTPUT: '"
FERMA = "SPEECH STOP"  # written by voce_muta when Orca stops speaking


def utterance(riga):
    """The text of one SPEECH OUTPUT line (without the voice and the settings after it)."""
    resto = riga.split(SEGNO, 1)[1].rstrip("\n")
    # 'text'{...} or 'text' voice=NAME{...}: the last quote that the settings follow.
    for fine in range(len(resto) - 1, -1, -1):
        if resto[fine] == "'" and (resto[fine + 1:].startswith("{") or resto[fine + 1:].startswith(" voice=")):
            return resto[:fine]
    return resto


# Orca allows one of itself per user on the whole machine ("--replace" kills the others with
# SIGKILL): the cases that run it take turns through this lock, and one that finds an Orca it
# did not start (someone's own screen reader) skips rather than kill it.
BLOCCO = "/tmp/cartavia-e2e-orca.lock"


def altre_orca():
    uscita = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], stdout=subprocess.PIPE,
                            text=True, timeout=10).stdout
    return [int(p) for p in uscita.split()]


class Orca:
    """Orca running in this session, with its settings in HOME (the case's work folder)."""

    def __init__(self, lavoro, limite=30.0, attesa_turno=300.0):
        if not shutil.which("orca"):
            raise Saltato("manca orca")
        self.blocco = open(BLOCCO, "a")
        fine = time.monotonic() + attesa_turno
        while True:
            try:
                fcntl.flock(self.blocco, fcntl.LOCK_EX | fcntl.LOCK_NB)
                break
            except BlockingIOError:
                if time.monotonic() > fine:
                    raise Saltato("un'altra prova con Orca non ha lasciato il turno")
                time.sleep(0.5)
        if altre_orca():
            self.blocco.close()
            raise Saltato(f"Orca è già in esecuzione per questo utente (pid {altre_orca()})")
        self.registro = os.path.join(lavoro, "orca.log")
        impostazioni = os.path.join(os.environ["HOME"], ".local", "share", "orca")
        os.makedirs(impostazioni, exist_ok=True)
        with open(os.path.join(impostazioni, "user-settings.conf"), "w") as f:
            json.dump({"general": {"speechServerFactory": "voce_muta", "speechServerInfo": None,
                                   "enableKeyEcho": False, "enableEchoByCharacter": False,
                                   "enableEchoByWord": False},
                       "profiles": {"default": {"profile": ["Default", "default"]}},
                       "pronunciations": {}, "keybindings": {}}, f)
        ambiente = dict(os.environ, PYTHONPATH=CARTELLA)
        self.uscita = open(os.path.join(lavoro, "orca.out"), "wb")
        self.processo = subprocess.Popen(["orca", "--replace", "--debug-file", self.registro],
                                         env=ambiente, stdout=self.uscita, stderr=subprocess.STDOUT,
                                         start_new_session=True)
        # Its first words ("Screen reader on.") come once its listeners are registered.
        aspetta(lambda: self._vivo() and self.detti(), "Orca pronto", limite, 0.1)
        log("Orca pronto:", self.detti())

    def _vivo(self):
        if self.processo.poll() is not None:
            raise Fallimento(f"Orca è terminato (codice {self.processo.returncode})")
        return True

    def detti(self):
        """Every utterance so far, in order."""
        try:
            with open(self.registro, encoding="utf-8", errors="replace") as f:
                return [utterance(r) for r in f if SEGNO in r]
        except FileNotFoundError:
            return []

    def fermato_dopo(self, posizione, prima_di):
        """Whether Orca stopped speaking after utterance `posizione` and before `prima_di`:
        the utterance was cut off."""
        n = -1
        with open(self.registro, encoding="utf-8", errors="replace") as f:
            for r in f:
                if SEGNO in r:
                    n += 1
                elif FERMA in r and posizione <= n < prima_di:
                    return True
        return False

    def aspetta_detto(self, condizione, cosa, da=0, limite=10.0):
        """Waits for an utterance at position `da` or later that satisfies `condizione` (a
        function of the text, or a text it must contain); returns its position."""
        if isinstance(condizione, str):
            testo = condizione
            condizione = lambda t: testo in t  # noqa: E731

        def trovato():
            self._vivo()
            for i, t in enumerate(self.detti()[da:], da):
                if condizione(t):
                    return i + 1  # a true value even for position 0
            return None

        try:
            return aspetta(trovato, f"Orca dice {cosa}", limite) - 1
        except Fallimento:
            raise Fallimento(f"Orca non ha detto {cosa}; dopo la posizione {da} ha detto "
                             f"{self.detti()[da:]}")

    def chiudi(self):
        if self.processo.poll() is None:
            self.processo.terminate()
            try:
                self.processo.wait(10)
            except subprocess.TimeoutExpired:
                os.killpg(self.processo.pid, 9)
                self.processo.wait()
        self.uscita.close()
        self.blocco.close()
