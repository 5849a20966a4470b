"""What the program shows, read through its accessibility interface (AT-SPI).

Imported only inside the test's own D-Bus session (see e2e.py), where the program and this
reader share one accessibility bus.
"""

import json
import os
import subprocess
import sys
import time

import pyatspi

from banco import Fallimento, aspetta, verifica


def ruolo(nodo):
    return nodo.getRoleName()


def stati(nodo):
    return nodo.getState()


def visibile(nodo):
    s = stati(nodo)
    return s.contains(pyatspi.STATE_SHOWING) and s.contains(pyatspi.STATE_VISIBLE)


def attivo(nodo):
    return stati(nodo).contains(pyatspi.STATE_ENABLED)


def spuntato(nodo):
    return stati(nodo).contains(pyatspi.STATE_CHECKED)


def estensione(nodo):
    e = nodo.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (e.x, e.y, e.width, e.height)


def testo(nodo):
    """The text the control shows (its text interface), else its name."""
    try:
        t = nodo.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return nodo.name


def figli(nodo):
    return [c for c in nodo if c is not None]


def discendenti(nodo, profondita=12):
    risultato = []
    if profondita == 0:
        return risultato
    for c in figli(nodo):
        risultato.append(c)
        risultato.extend(discendenti(c, profondita - 1))
    return risultato


class Applicazione:
    """The program as AT-SPI sees it."""

    def __init__(self, programma, limite=15.0):
        self.programma = programma
        self.desktop = pyatspi.Registry.getDesktop(0)

        def trovata():
            verifica(programma.attivo(),
                     f"il programma è terminato subito (codice {programma.processo.returncode})")
            for app in figli(self.desktop):
                try:
                    if app.get_process_id() == programma.processo.pid:
                        return app
                except Exception:
                    continue
            return None

        self.app = aspetta(trovata, "il programma nell'albero di accessibilità", limite)

    def finestre(self):
        """Top-level windows that are on screen."""
        return [f for f in figli(self.app) if visibile(f)]

    def finestra(self, condizione, cosa, limite=10.0):
        def una():
            trovate = [f for f in self.finestre() if condizione(f)]
            return trovate[0] if trovate else None
        return aspetta(una, cosa, limite)

    def sola_finestra(self, condizione, cosa, limite=10.0):
        """Waits until exactly one window is on screen and it satisfies the condition."""
        def una():
            f = self.finestre()
            return f[0] if len(f) == 1 and condizione(f[0]) else None
        try:
            return aspetta(una, cosa, limite)
        except Fallimento:
            descritte = [(ruolo(f), f.name) for f in self.finestre()]
            raise Fallimento(f"{cosa}: finestre sullo schermo {descritte}")

    def messaggio(self, limite=10.0):
        """The message box on screen: (window, its text)."""
        def box():
            for f in self.finestre():
                if ruolo(f) in ("dialog", "alert") :
                    return f
            return None
        finestra = aspetta(box, "una finestra di messaggio", limite)
        return finestra, testo_messaggio(finestra)


def testo_messaggio(finestra):
    """The text of a message box: its label that is not a button's."""
    etichette = [n for n in discendenti(finestra) if ruolo(n) == "label" and testo(n).strip()]
    verifica(etichette, "la finestra di messaggio non ha testo")
    # The main text is the longest label (the icon has none).
    return max((testo(n) for n in etichette), key=len)


def cerca(radice, condizione):
    return [n for n in discendenti(radice) if condizione(n)]


def uno(radice, condizione, cosa):
    trovati = cerca(radice, condizione)
    verifica(len(trovati) == 1, f"{cosa}: trovati {len(trovati)}")
    return trovati[0]


def per_nome(radice, nome, ruolo_atteso=None):
    return uno(radice, lambda n: n.name == nome and (ruolo_atteso is None or ruolo(n) == ruolo_atteso),
               f"controllo {nome!r} ({ruolo_atteso})")


def pulsante(radice, nome):
    return uno(radice, lambda n: n.name == nome and ruolo(n) in ("push button", "button"),
               f"pulsante {nome!r}")


def voce_menu(radice, nome):
    """A menu bar entry or menu item by its caption (trailing blanks included)."""
    return uno(radice, lambda n: n.name == nome and ruolo(n) in ("menu item", "menu", "check menu item", "radio menu item"),
               f"voce di menù {nome!r}")


def attendi_stabile(funzione, limite=5.0, ripetizioni=3, passo=0.05):
    """Polls until the function gives the same value several times in a row."""
    fine = time.monotonic() + limite
    precedente, uguali = object(), 0
    while time.monotonic() < fine:
        try:
            valore = funzione()
        except Exception:
            valore, uguali = object(), 0
        if valore == precedente:
            uguali += 1
            if uguali >= ripetizioni:
                return valore
        else:
            precedente, uguali = valore, 1
        time.sleep(passo)
    raise Fallimento("lo stato non si è stabilizzato")


class Ascoltatore:
    """AT-SPI events as a screen reader receives them, written down by ascoltatore.py.

    Start it before the program: the program then finds the listeners registered when it
    starts (Qt sends only the events somebody listens to). Events are told apart by their
    position in the record, as they arrived."""

    TIPI = ("object:state-changed:showing", "object:state-changed:focused",
            "object:property-change:accessible-name",
            "object:property-change:accessible-description", "window:activate")

    def __init__(self, lavoro, tipi=TIPI, limite=15.0):
        self.registro = os.path.join(lavoro, "eventi.jsonl")
        self.processo = subprocess.Popen(
            [sys.executable, os.path.join(os.path.dirname(os.path.abspath(__file__)), "ascoltatore.py"),
             self.registro, *tipi], start_new_session=True)
        aspetta(lambda: self._tutti(), "l'ascoltatore degli eventi pronto", limite)

    def _tutti(self):
        if self.processo.poll() is not None:
            raise Fallimento(f"l'ascoltatore è terminato (codice {self.processo.returncode})")
        try:
            with open(self.registro, encoding="utf-8") as f:
                righe = f.read().split("\n")[:-1]  # the last one may be still half written
        except FileNotFoundError:
            return []
        return [json.loads(r) for r in righe]

    def eventi(self, pid=None):
        """Every event so far (of the process `pid` if given), in order of arrival."""
        return [e for e in self._tutti()[1:] if pid is None or e.get("pid") == pid]

    def aspetta(self, condizione, cosa, da=0, pid=None, limite=10.0):
        """Waits for an event at position `da` or later satisfying `condizione`; returns its
        position (in the list that `eventi(pid)` gives)."""
        def trovato():
            for i, e in enumerate(self.eventi(pid)[da:], da):
                if condizione(e):
                    return i + 1
            return None
        try:
            return aspetta(trovato, f"l'evento: {cosa}", limite) - 1
        except Fallimento:
            sintesi = [(e.get("tipo"), e.get("d1"), e.get("ruolo"), e.get("nome"))
                       for e in self.eventi(pid)[da:]]
            raise Fallimento(f"nessun evento {cosa}; dopo la posizione {da}: {sintesi}")

    def chiudi(self):
        if self.processo.poll() is None:
            self.processo.terminate()
            self.processo.wait(10)
