#!/usr/bin/env python3
"""End-to-end tests of the real program.

    e2e.py CASO --eseguibile build/cartavia --suoni build/suoni --cache DIR

Each case builds its own throw-away program directory (a copy of the executable, a catalogue
"Segnale 1".."Segnale 144", 144 pictures whose colours tell which sign they are, the real
sounds), starts its own Xvfb and, inside its own D-Bus session, the program and the driver
that plays with it: real clicks, drags and key presses through xdotool; what is on screen is
read through AT-SPI and from screenshots. Afterwards the program directory must be exactly
as it was: the program writes nothing.

Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb, xdotool, D-Bus or pyatspi here).
"""

import argparse
import fcntl
import glob
import os
import re
import random
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import banco  # noqa: E402
from banco import (Fallimento, Saltato, aspetta, clic, clic_centro, log, tasto,  # noqa: E402
                   tasti, trascina, uguale, verifica)

SALTA = 77
CASI = {}


# What a case with real speech needs beyond those that listen (ascolto.mancante).
PROGRAMMI_VOCE = ("speech-dispatcher", "espeak-ng")
VOCE = {}  # cases that run with PulseAudio and speech-dispatcher in their session
# What a case may ask for besides the program: a window manager on the display, an AT-SPI
# event listener, Orca.
AMBIENTI = {}


def caso(nome, come_nessuno=False, prepara=None, voce=False, finestre=False, eventi=False,
         orca=False, schermo=(1280, 1024), gestore=False):
    """`schermo`: the display's size; `finestre`, `gestore` (or `orca`): run a window manager
    (openbox) on it; `eventi`: an AT-SPI event listener; `orca`: the Orca screen reader."""
    def registra(funzione):
        CASI[nome] = (funzione, prepara, come_nessuno)
        AMBIENTI[nome] = {"finestre": finestre or orca or gestore, "eventi": eventi, "orca": orca,
                          "schermo": schermo}
        if voce:
            VOCE[nome] = True
        return funzione
    return registra


# ============================================================================ helpers
# (used inside the D-Bus session only: they import accesso, hence pyatspi)


class Sessione:
    """The program under test and its accessibility tree."""

    def __init__(self, cartella, avvio_limite=15.0, ambiente=None, eventi=False, orca=False):
        import accesso
        self.a = accesso
        self.cartella = cartella
        self.ascoltatore = self.orca = self.programma = None
        lavoro = os.path.join(cartella.radice, "lavoro")
        try:
            # Both before the program, which then finds them listening from its start.
            if eventi:
                self.ascoltatore = accesso.Ascoltatore(lavoro)
            if orca:
                import lettore
                self.orca = lettore.Orca(lavoro)
            self.programma = banco.Programma(cartella, ambiente)
            self.app = accesso.Applicazione(self.programma, avvio_limite)
        except BaseException:
            self.chiudi()
            raise

    def chiudi(self):
        if self.programma:
            self.programma.chiudi()
        for aiuto in (self.ascoltatore, self.orca):
            if aiuto:
                aiuto.chiudi()

    def eventi(self):
        """The program's AT-SPI events so far."""
        return self.ascoltatore.eventi(self.programma.processo.pid)

    # ---- windows

    def splash(self, limite=15.0):
        return self.app.sola_finestra(lambda f: f.name == "Cartavia" and self.a.ruolo(f) != "alert",
                                      "la schermata iniziale, sola", limite)

    def menu(self):
        return self.app.sola_finestra(lambda f: f.name == "Cartavia: menù principale",
                                      "il menù principale, solo")

    def attivita(self):
        return self.app.sola_finestra(lambda f: self.a.ruolo(f) == "frame",
                                      "la finestra dell'attività, sola")

    def vai_al_menu(self):
        finestra = self.splash()
        immagini = self.a.cerca(finestra, lambda n: self.a.ruolo(n) == "image")
        uguale(len(immagini), 4, "figure della schermata iniziale")
        schermata = banco.Schermata()
        for figura in immagini:
            colore = schermata.colore_al_centro(self.a.estensione(figura))
            verifica(banco.segnale_del_colore(colore),
                     f"{figura.name}: il colore {colore} non è la figura di un segnale")
        # A click on the background, away from pictures and title.
        x, y, w, h = self.a.estensione(finestra)
        clic(x + w - 20, y + h - 20)
        return self.menu()

    def apri(self, didascalia):
        menu = self.menu()
        clic_centro(self.a.estensione(self.a.pulsante(menu, didascalia)))
        return self.attivita()

    # ---- keyboard

    def fuoco(self):
        """The control that has the keyboard focus, as AT-SPI tells it, or None."""
        for finestra in self.app.finestre():
            for n in [finestra] + self.a.discendenti(finestra):
                try:
                    if self.a.stati(n).contains(self.a.pyatspi.STATE_FOCUSED):
                        return n
                except Exception:  # gone while we looked
                    continue
        return None

    def aspetta_fuoco(self, condizione, cosa, limite=5.0):
        try:
            return aspetta(lambda: (lambda n: n if n is not None and condizione(n) else None)(self.fuoco()),
                           f"il fuoco su {cosa}", limite)
        except Fallimento:
            n = self.fuoco()
            raise Fallimento(f"il fuoco non è su {cosa} ma su "
                             f"{(self.a.ruolo(n), n.name) if n is not None else None}")

    def premi_fino_a(self, chiave, condizione, cosa, massimo=12):
        """Presses the key until the focus is on what `condizione` accepts; returns it."""
        for _ in range(massimo):
            n = self.fuoco()
            if n is not None and condizione(n):
                return n
            precedente = n
            tasto(chiave)
            aspetta(lambda: self.fuoco() != precedente, f"il fuoco che si sposta verso {cosa}", 5)
        return self.aspetta_fuoco(condizione, cosa, 1)

    def esci_con_tastiera(self, chiave="alt"):
        """'Esci' of the activity's menu bar by keyboard: Alt (or F10), Left (from the first
        entry to the last, "Esci"), Return, and Return again for Yes."""
        tasto(chiave)
        try:
            self.aspetta_fuoco(lambda n: self.a.ruolo(n) == "menu bar", "la barra dei menù")
        except Fallimento as mancato:
            # With Orca running, Qt hands every key to the AT-SPI registry first and waits for
            # its reply; on a loaded machine the reply can time out and a lone Alt gets lost
            # on the way back ("keyEventError NoReply"). A pupil presses it again, and so do we.
            verifica(self.orca is not None, str(mancato))
            log(f"{chiave} perso tra Orca e il programma: premuto di nuovo")
            tasto(chiave)
            self.aspetta_fuoco(lambda n: self.a.ruolo(n) == "menu bar", "la barra dei menù")
        tasto("Left")
        tasto("Return")
        self.rispondi("Vuoi tornare al menù?", "Return")
        return self.menu()

    # ---- message boxes

    def messaggio(self, atteso, limite=10.0):
        """Waits for the one box titled Cartavia and checks its text."""
        finestra, testo = self.app.messaggio(limite)
        uguale(finestra.name, "Cartavia", "titolo della finestra di messaggio")
        uguale(testo, atteso, "testo della finestra di messaggio")
        return finestra

    def rispondi(self, atteso, chiave):
        self.messaggio(atteso)
        tasto(chiave)
        # A program that has gone answers no question: ask it only while it runs.
        aspetta(lambda: not self.programma.attivo()
                or not [f for f in self.app.finestre() if self.a.ruolo(f) in ("alert", "dialog")],
                "la chiusura della finestra di messaggio")

    def esci_al_menu(self, finestra, prima_no=True):
        """'Esci' of an activity: No keeps it, Yes goes back to the menu."""
        if prima_no:
            clic_centro(self.a.estensione(self.a.voce_menu(finestra, "Esci")))
            self.rispondi("Vuoi tornare al menù?", "Escape")
            verifica(self.attivita() is not None, "dopo No l'attività deve restare")
        clic_centro(self.a.estensione(self.a.voce_menu(finestra, "Esci")))
        self.rispondi("Vuoi tornare al menù?", "Return")
        return self.menu()

    def esci_dal_programma(self):
        menu = self.menu()
        clic_centro(self.a.estensione(self.a.pulsante(menu, "Esci")))
        self.rispondi("Vuoi uscire dal programma?", "Escape")
        menu = self.menu()
        clic_centro(self.a.estensione(self.a.pulsante(menu, "Esci")))
        self.rispondi("Vuoi uscire dal programma?", "Return")
        self.programma.uscita_verificata(0)

    # ---- quiz frame

    def contatori(self, finestra):
        """(Esatti, Errati) as the counter labels tell a screen reader."""
        valori = []
        for nome in ("Esatti", "Errati"):
            etichette = self.a.cerca(finestra, lambda n: n.name == nome and self.a.ruolo(n) == "label")
            uguale(len(etichette), 2, f"etichette {nome!r}")
            contatore = max(etichette, key=lambda n: self.a.estensione(n)[0])
            valori.append(contatore.description)
        return tuple(valori)

    def aspetta_contatori(self, finestra, attesi):
        try:
            aspetta(lambda: self.contatori(finestra) == attesi, f"contatori {attesi}", 5)
        except Fallimento:
            raise Fallimento(f"contatori: attesi {attesi}, ottenuti {self.contatori(finestra)}")

    def scegli_categoria(self, finestra, voce):
        clic_centro(self.a.estensione(self.a.voce_menu(finestra, "Scegli i segnali" + " " * 10)))
        elemento = self.a.voce_menu(finestra, voce)
        aspetta(lambda: self.a.visibile(elemento), f"la voce {voce!r} sullo schermo")
        clic_centro(self.a.estensione(elemento))
        aspetta(lambda: not self.a.visibile(elemento) and self.a.spuntato(elemento),
                f"la voce {voce!r} spuntata e il menù chiuso")
        spuntate = [n.name for n in self.a.cerca(finestra, lambda n: self.a.ruolo(n) == "menu item"
                                                 and self.a.spuntato(n))]
        uguale(spuntate, [voce], "voci di categoria spuntate")

    def azzera(self, finestra, didascalia="Azzera conteggio" + " " * 10):
        clic_centro(self.a.estensione(self.a.voce_menu(finestra, didascalia)))

    def faccia(self, finestra):
        si = self.a.per_nome(finestra, "Risposta giusta", "push button")
        no = self.a.per_nome(finestra, "Risposta sbagliata", "push button")
        verifica(self.a.visibile(si) != self.a.visibile(no), "una e una sola faccia deve vedersi")
        return "si" if self.a.visibile(si) else "no"


def segnale_in(schermata, accesso, nodo):
    colore = schermata.colore_al_centro(accesso.estensione(nodo))
    n = banco.segnale_del_colore(colore)
    verifica(n is not None, f"{nodo.name}: il colore {colore} non è la figura di un segnale")
    return n


def numero_del_testo(testo):
    verifica(testo.startswith("Segnale "), f"testo inatteso {testo!r}")
    return int(testo.split()[1])


# ============================================================================ activities


def schermata_salvata(nome):
    """A screenshot kept beside the test's other pictures, to be looked at."""
    percorso = os.path.join(os.environ.get("CARTAVIA_E2E_SCHERMATE", "/tmp"),
                            f"cartavia-e2e-{nome}.png")
    subprocess.run(["import", "-silent", "-window", "root", percorso], check=True, timeout=20)
    log(f"schermata: {percorso}")


def schermo_intero(s, finestra, pulsante):
    """F11 spreads the window over the whole 1920 x 1080 screen: the layout grows by one
    factor and stands in the middle, on the window's colour; F11 again gives back the
    natural size."""
    a = s.a
    fx, fy, fw, fh = a.estensione(finestra)
    px, py, pw, ph = a.estensione(a.pulsante(finestra, pulsante))
    tasto("F11")
    aspetta(lambda: a.estensione(finestra) == (0, 0, 1920, 1080), "la finestra a schermo intero")
    f = min(1920 / fw, 1080 / fh)
    mx, my = (1920 - round(fw * f)) // 2, (1080 - round(fh * f)) // 2
    atteso = (mx + (px - fx) * f, my + (py - fy) * f, pw * f, ph * f)

    def al_posto():
        visto = a.estensione(a.pulsante(finestra, pulsante))
        return all(abs(v - w) <= 1.5 for v, w in zip(visto, atteso))
    try:
        aspetta(al_posto, f"{pulsante!r} ingrandito {f:.3f} volte", 5)
    except Fallimento:
        raise Fallimento(f"{pulsante!r}: atteso {atteso}, "
                         f"visto {a.estensione(a.pulsante(finestra, pulsante))}")
    schermata = banco.Schermata()
    schermata_salvata("schermo-intero")
    # The margins left and right (or above and below) show the window's own colour.
    sfondo = schermata.colore(mx + 3, my + 3)
    for x, y in ((mx // 2, 540), (1919 - mx // 2, 540), (960, my // 2), (960, 1079 - my // 2)):
        uguale(schermata.colore(x, y), sfondo, f"colore del margine in {x},{y}")
    tasto("F11")
    aspetta(lambda: a.estensione(finestra)[2:] == (fw, fh), "la finestra alla sua misura")


GUIDA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "guida")


def guida(finestra):
    """The help of a screen as F1 shows it: the version line, then the text in the sources."""
    with open(os.path.join(GUIDA, finestra + ".txt"), encoding="utf-8") as testo:
        return "Cartavia 1.00 - guida\n\n" + testo.read().strip()


@caso("avvio_menu_esci", schermo=(1920, 1080), gestore=True)
def avvio_menu_esci(s):
    """Splash, main menu, their help (F1, read by a screen reader), full screen and back (F11,
    under a window manager), About box, Esci with No and with Yes."""
    s.splash()
    tasto("F1")
    s.rispondi(guida("FormAvvio"), "Return")
    menu = s.vai_al_menu()
    # A click on the menu's empty middle band gives it the keyboard.
    x, y, w, h = s.a.estensione(menu)
    clic(x + w // 2, y + h * 3 // 5)
    tasto("F1")
    s.rispondi(guida("FormMenu"), "Escape")
    menu = s.menu()
    schermo_intero(s, menu, "Esci")
    clic_centro(s.a.estensione(s.a.pulsante(menu, "Informazioni")))
    s.rispondi("Orvella  \n ----------------------- \nhttps://cartavia.example.org\n"
               "mail: info@cartavia.example.org", "Return")
    s.esci_dal_programma()


@caso("definizione")
def definizione(s):
    s.vai_al_menu()
    f = s.apri("definire il segnale")
    a = s.a
    etichette = descrizioni(s, f)
    figura = a.per_nome(f, "Segnale", "image")
    avanti = a.pulsante(f, "avanti")
    s.aspetta_contatori(f, ("0", "0"))
    verifica(not a.attivo(avanti), "all'apertura \"avanti\" è disattivo")
    uguale(s.faccia(f), "no", "faccia all'apertura")
    uguale([n.name for n in a.cerca(f, lambda n: a.spuntato(n))], ["tutti i segnali"],
           "categoria all'apertura")

    def esercizio():
        n = segnale_in(banco.Schermata(), a, figura)
        giuste = [e for e in etichette if e.name == f"Segnale {n}"]
        verifica(giuste, f"nessuna descrizione dice \"Segnale {n}\"")
        return n, giuste[0], [e for e in etichette if e.name != f"Segnale {n}"]

    def rispondi_giusto(giusta, esatti, errati):
        clic_centro(a.estensione(giusta))
        s.aspetta_contatori(f, (str(esatti), str(errati)))
        aspetta(lambda: a.attivo(avanti), "\"avanti\" attivo")
        uguale(s.faccia(f), "si", "faccia dopo una risposta giusta")
        verifica(not any(a.attivo(e) for e in etichette), "dopo la risposta giusta le descrizioni sono disattive")
        x, y, w, h = a.estensione(giusta)
        rosso = banco.Schermata().colore(x + w - 6, y + h - 6)
        verifica(banco.distanza(rosso, (255, 0, 0)) < 30 ** 2,
                 f"la descrizione giusta deve diventare rossa, è {rosso}")

    # A wrong answer, then the right one.
    n, giusta, sbagliate = esercizio()
    clic_centro(a.estensione(sbagliate[0]))
    s.aspetta_contatori(f, ("0", "1"))
    uguale(s.faccia(f), "no", "faccia dopo una risposta sbagliata")
    verifica(all(a.attivo(e) for e in etichette) and not a.attivo(avanti),
             "dopo una risposta sbagliata l'esercizio resta aperto")
    clic_centro(a.estensione(sbagliate[0]))
    s.aspetta_contatori(f, ("0", "2"))
    rispondi_giusto(giusta, 1, 2)
    # Disabled descriptions take no clicks.
    clic_centro(a.estensione(sbagliate[-1]))
    time.sleep(0.3)
    s.aspetta_contatori(f, ("1", "2"))

    clic_centro(a.estensione(avanti))
    aspetta(lambda: not a.attivo(avanti) and all(a.attivo(e) for e in etichette),
            "dopo \"avanti\" descrizioni attive e \"avanti\" disattivo")
    uguale(s.faccia(f), "si", "la faccia resta quella dell'ultima risposta")

    # A category: every picture comes from 39..52.
    s.scegli_categoria(f, "segnali di precedenza")
    for volta in range(3):
        n, giusta, _ = esercizio()
        verifica(39 <= n <= 52, f"segnali di precedenza: mostrato il segnale {n}")
        rispondi_giusto(giusta, 2 + volta, 2)
        clic_centro(a.estensione(avanti))
        aspetta(lambda: not a.attivo(avanti), "\"avanti\" disattivo")

    s.azzera(f)
    s.aspetta_contatori(f, ("0", "0"))
    # No keeps the exercise as it is.
    testi = [e.name for e in etichette]
    clic_centro(a.estensione(a.voce_menu(f, "Esci")))
    s.rispondi("Vuoi tornare al menù?", "Escape")
    uguale([e.name for e in etichette], testi, "dopo No l'esercizio non cambia")
    s.esci_al_menu(f, prima_no=False)
    s.esci_dal_programma()


@caso("ripasso_definizione")
def ripasso_definizione(s):
    """Two signs missed in the definition quiz come back in "segnali da ripassare"."""
    s.vai_al_menu()
    f = s.apri("definire il segnale")
    a = s.a
    etichette = descrizioni(s, f)
    figura = a.per_nome(f, "Segnale", "image")
    avanti = a.pulsante(f, "avanti")
    voce = a.voce_menu(f, "segnali da ripassare (0)")
    verifica(not a.attivo(voce), "senza errori \"segnali da ripassare\" è disattiva")

    def esercizio():
        n = segnale_in(banco.Schermata(), a, figura)
        giuste = [e for e in etichette if e.name == f"Segnale {n}"]
        verifica(giuste, f"nessuna descrizione dice \"Segnale {n}\"")
        return n, giuste, [e for e in etichette if e.name != f"Segnale {n}"]

    def rispondi_giusto(giusta):
        clic_centro(a.estensione(giusta))
        aspetta(lambda: a.attivo(avanti), "\"avanti\" attivo")

    def prossimo():
        clic_centro(a.estensione(avanti))
        aspetta(lambda: not a.attivo(avanti), "\"avanti\" disattivo")

    sbagliati, esatti, errati = [], 0, 0
    while len(sbagliati) < 2:
        n, giuste, altre = esercizio()
        if n not in sbagliati:
            clic_centro(a.estensione(altre[0]))
            errati += 1
            s.aspetta_contatori(f, (str(esatti), str(errati)))
            sbagliati.append(n)
        rispondi_giusto(giuste[0])
        esatti += 1
        prossimo()
    log("sbagliati:", sbagliati)

    s.scegli_categoria(f, "segnali da ripassare (2)")
    chiesti = []
    for volta in range(2):
        n, giuste, _ = esercizio()
        verifica(n in sbagliati and n not in chiesti, f"ripasso: chiesto {n}, sbagliati {sbagliati}")
        uguale(len(giuste), 1, "nel ripasso nessun'altra descrizione ripete quella giusta")
        chiesti.append(n)
        rispondi_giusto(giuste[0])
        esatti += 1
        s.aspetta_contatori(f, (str(esatti), str(errati)))
        if volta == 0:
            prossimo()
    s.rispondi("Hai ripassato tutti i segnali sbagliati!", "Return")
    uguale([n.name for n in a.cerca(f, lambda n: a.ruolo(n) == "menu item" and a.spuntato(n))],
           ["tutti i segnali"], "categoria dopo il ripasso")
    aspetta(lambda: not a.attivo(a.voce_menu(f, "segnali da ripassare (0)")),
            "\"segnali da ripassare (0)\" disattiva")
    s.esci_al_menu(f, prima_no=False)
    s.esci_dal_programma()


@caso("lettura_voce", voce=True)
def lettura_voce(s):
    """A right click on a description is heard; one on the picture is not."""
    import ascolto
    import numpy as np
    s.vai_al_menu()
    f = s.apri("definire il segnale")
    a = s.a
    etichette = [n for n in a.cerca(f, lambda n: a.ruolo(n) == "label" and n.name.startswith("Segnale "))]
    verifica(etichette, "nessuna descrizione")
    figura = a.per_nome(f, "Segnale", "image")
    registrazione = ascolto.Registrazione(s.audio, os.path.join(s.audio.cartella, "voce.raw"))

    def suono_dal(campione):
        """Seconds of sound recorded since sample `campione`."""
        with open(registrazione.file, "rb") as r:
            dati = r.read()
        campioni = np.frombuffer(dati[:len(dati) // 2 * 2], dtype="<i2").astype(np.float64) / 32768.0
        return sum(ascolto.durata(b) for b in ascolto.raffiche(campioni[campione:])), len(campioni)

    # The picture: nothing is read (a reading starts well within three seconds).
    x, y, w, h = a.estensione(figura)
    banco.clic_destro(x + w // 2, y + h // 2)
    time.sleep(3)
    silenzio, fine = suono_dal(0)
    uguale(silenzio, 0, "secondi di suono dopo un clic destro sulla figura")

    # A description: a voice, at least a third of a second of it, and nothing counted.
    x, y, w, h = a.estensione(etichette[0])
    banco.clic_destro(x + w // 2, y + h // 2)
    parlato = aspetta(lambda: (lambda d: d if d > 0.3 else 0)(suono_dal(fine)[0]),
                      "la descrizione letta ad alta voce", 20)
    log(f"secondi di voce dopo il clic destro: {parlato:.2f}")
    registrazione.ferma()
    s.aspetta_contatori(f, ("0", "0"))
    s.esci_al_menu(f, prima_no=False)
    s.esci_dal_programma()


@caso("riconoscimento")
def riconoscimento(s):
    s.vai_al_menu()
    f = s.apri("riconoscere il segnale")
    a = s.a
    figure = sorted(a.cerca(f, lambda n: a.ruolo(n) == "image"), key=lambda n: n.name)
    uguale([n.name for n in figure], [f"Segnale {k}" for k in range(1, 7)], "figure")
    avanti = a.pulsante(f, "avanti")
    categoria = a.uno(f, lambda n: n.name.startswith("selezionati "), "etichetta della categoria")
    uguale(categoria.name, "selezionati tutti i segnali", "categoria all'apertura")
    s.aspetta_contatori(f, ("0", "0"))
    uguale(s.faccia(f), "no", "faccia all'apertura")

    def testo():
        sotto = [n for n in a.cerca(f, lambda n: a.ruolo(n) == "label" and n.name.startswith("Segnale "))]
        uguale(len(sotto), 1, "descrizione")
        return numero_del_testo(sotto[0].name)

    def esercizio():
        schermata = banco.Schermata()
        mostrati = [segnale_in(schermata, a, fig) for fig in figure]
        uguale(len(set(mostrati)), 6, f"sei segnali diversi {mostrati}")
        n = testo()
        verifica(n in mostrati, f"il segnale descritto ({n}) non è tra le figure {mostrati}")
        return mostrati, mostrati.index(n)

    def rispondi_giusto(k, esatti, errati):
        x, y, w, h = a.estensione(figure[k])
        bordo_prima = banco.Schermata().colore_medio(x + 4, y + h // 2, 1)
        clic_centro((x, y, w, h))
        s.aspetta_contatori(f, (str(esatti), str(errati)))
        aspetta(lambda: a.attivo(avanti), "\"avanti\" attivo")
        verifica(not any(a.attivo(fig) for fig in figure), "figure disattive dopo la risposta giusta")
        uguale(s.faccia(f), "si", "faccia dopo la risposta giusta")
        bordo_dopo = aspetta(lambda: (lambda c: c if banco.distanza(c, bordo_prima) > 40 ** 2 else None)(
            banco.Schermata().colore_medio(x + 4, y + h // 2, 1)), "la cornice sulla figura giusta", 3)
        log("cornice:", bordo_prima, "->", bordo_dopo)

    mostrati, k = esercizio()
    sbagliata = (k + 1) % 6
    clic_centro(a.estensione(figure[sbagliata]))
    s.aspetta_contatori(f, ("0", "1"))
    uguale(s.faccia(f), "no", "faccia dopo una risposta sbagliata")
    verifica(all(a.attivo(fig) for fig in figure) and not a.attivo(avanti),
             "dopo una risposta sbagliata si può ancora rispondere")
    rispondi_giusto(k, 1, 1)
    clic_centro(a.estensione(figure[sbagliata]))  # disabled: no count
    time.sleep(0.3)
    s.aspetta_contatori(f, ("1", "1"))
    clic_centro(a.estensione(avanti))
    aspetta(lambda: not a.attivo(avanti) and all(a.attivo(fig) for fig in figure),
            "dopo \"avanti\" figure attive")

    voce = "segnali di fermata, sosta e parcheggio"
    s.scegli_categoria(f, voce)
    uguale(categoria.name, "selezionati " + voce, "etichetta della categoria")
    for volta in range(2):
        mostrati, k = esercizio()
        verifica(all(82 <= n <= 89 for n in mostrati), f"{voce}: mostrati {mostrati}")
        rispondi_giusto(k, 2 + volta, 1)
        clic_centro(a.estensione(avanti))
        aspetta(lambda: not a.attivo(avanti), "\"avanti\" disattivo")

    s.azzera(f, "Azzera conteggio" + " " * 11)
    s.aspetta_contatori(f, ("0", "0"))
    # Score, leave, come back: the score and the category start afresh.
    mostrati, k = esercizio()
    rispondi_giusto(k, 1, 0)
    s.esci_al_menu(f)
    f = s.apri("riconoscere il segnale")
    s.aspetta_contatori(f, ("0", "0"))
    categoria = a.uno(f, lambda n: n.name.startswith("selezionati "), "etichetta della categoria")
    uguale(categoria.name, "selezionati tutti i segnali", "categoria alla riapertura")
    s.esci_al_menu(f, prima_no=False)
    s.esci_dal_programma()


@caso("abbinamento")
def abbinamento(s):
    s.vai_al_menu()
    f = s.apri("abbinare segnale e definizione")
    a = s.a
    figure = sorted(a.cerca(f, lambda n: a.ruolo(n) == "image"), key=lambda n: n.name)
    caselle = sorted(a.cerca(f, lambda n: n.name.startswith("Casella ")), key=lambda n: n.name)
    uguale(len(figure), 3, "figure")
    uguale(len(caselle), 3, "caselle")
    avanti = a.pulsante(f, "avanti")
    verifica(not a.visibile(avanti), "all'apertura \"avanti\" è nascosto")
    area = a.uno(f, lambda n: a.ruolo(n) == "filler", "area della finestra")

    def definizioni():
        return [n for n in a.cerca(f, lambda n: a.ruolo(n) == "label" and n.name.startswith("Segnale ")
                                   and a.visibile(n))]

    def sfondo():
        x, y, _, _ = a.estensione(area)
        return banco.Schermata().colore_medio(x + 3, y + 4, 1)

    def punteggio(esatti, errati):
        clic_centro(a.estensione(a.voce_menu(f, "Esercizi eseguiti" + " " * 11)))
        s.rispondi(f"hai eseguito  {esatti} esercizi esatti con  {errati} errori", "Return")

    def esercizio():
        schermata = banco.Schermata()
        segnali = [segnale_in(schermata, a, fig) for fig in figure]
        uguale(len(set(segnali)), 3, f"tre segnali diversi {segnali}")
        testi = sorted(numero_del_testo(d.name) for d in definizioni())
        uguale(testi, sorted(segnali), "le definizioni sono quelle dei tre segnali")
        return segnali

    def metti(numero, casella):
        d = [d for d in definizioni() if d.name == f"Segnale {numero}"][0]
        x, y, w, h = a.estensione(d)
        cx, cy, cw, ch = a.estensione(caselle[casella])
        trascina((x + w // 2, y + h // 2), (cx + cw // 2, cy + ch // 2))
        return d

    segnali = esercizio()
    colore = sfondo()
    verifica(colore != (0, 0, 0), "lo sfondo di un esercizio nuovo non è nero")
    # Wrong: the first definition onto the second box.
    d = metti(segnali[0], 1)
    aspetta(lambda: sfondo() == (0, 0, 0) or banco.distanza(sfondo(), (0, 0, 0)) < 10 ** 2,
            "lo sfondo nero dopo un rilascio sbagliato", 5)
    verifica(a.visibile(d) and d.name == f"Segnale {segnali[0]}", "la definizione resta al suo posto")
    punteggio(0, 1)
    # Right: the second definition onto its own box.
    metti(segnali[1], 1)
    aspetta(lambda: len(definizioni()) == 2, "la definizione giusta entra nella casella")
    # Dropped on a picture: nothing happens.
    d = [d for d in definizioni() if d.name == f"Segnale {segnali[0]}"][0]
    x, y, w, h = a.estensione(d)
    trascina((x + w // 2, y + h // 2), (a.estensione(figure[2])[0] + 50, a.estensione(figure[2])[1] + 50))
    time.sleep(0.3)
    uguale(len(definizioni()), 2, "un rilascio su una figura non fa nulla")
    punteggio(0, 1)
    metti(segnali[0], 0)
    aspetta(lambda: len(definizioni()) == 1, "seconda definizione a posto")
    verifica(not a.visibile(avanti), "\"avanti\" resta nascosto finché manca una definizione")
    metti(segnali[2], 2)
    aspetta(lambda: len(definizioni()) == 0 and a.visibile(avanti), "esercizio completo, \"avanti\" visibile")
    verifica(banco.distanza(sfondo(), (0, 0, 0)) < 10 ** 2, "lo sfondo resta nero fino al prossimo esercizio")
    punteggio(1, 1)

    clic_centro(a.estensione(avanti))
    aspetta(lambda: not a.visibile(avanti) and len(definizioni()) == 3, "un esercizio nuovo")
    verifica(banco.distanza(sfondo(), (0, 0, 0)) > 10 ** 2, "il nuovo esercizio ha un colore nuovo")

    s.scegli_categoria(f, "segnali di pericolo")
    segnali = esercizio()
    verifica(all(1 <= n <= 38 for n in segnali), f"segnali di pericolo: mostrati {segnali}")
    for k in (2, 0):
        metti(segnali[k], k)
    # The last one by two clicks: the definition, then its box.
    d = [d for d in definizioni() if d.name == f"Segnale {segnali[1]}"][0]
    clic_centro(a.estensione(d))
    time.sleep(0.3)
    uguale(len(definizioni()), 1, "un clic sulla definizione la prende, non la posa")
    clic_centro(a.estensione(caselle[1]))
    aspetta(lambda: a.visibile(avanti), "esercizio completo")
    punteggio(2, 1)
    s.azzera(f)
    punteggio(0, 0)
    s.esci_al_menu(f)
    s.esci_dal_programma()


# ---- puzzle

def fascia(i, n, lunghezza, linea):
    utile = max(lunghezza - (n - 1) * linea, n)
    return i * linea + i * utile // n, i * linea + (i + 1) * utile // n


def celle_puzzle(estensione):
    x, y, w, h = estensione
    celle = []
    for c in range(9):
        x0, x1 = fascia(c % 3, 3, w, 2)
        y0, y1 = fascia(c // 3, 3, h, 2)
        celle.append((x + x0, y + y0, x1 - x0, y1 - y0))
    return celle


VUOTO = (205, 205, 205)


def leggi_puzzle(celle, n):
    """Which piece (block of the picture) each cell shows; 8 for the empty cell."""
    schermata = banco.Schermata()
    disposizione = []
    for cella in celle:
        colore = schermata.colore_al_centro(cella)
        if banco.distanza(colore, VUOTO) < 12 ** 2:
            disposizione.append(None)
            continue
        # A piece on the move or picked out shows other colours for a moment.
        blocco = banco.blocco_del_colore(colore, n)
        disposizione.append("?" if blocco is None else blocco)
    return tuple(disposizione)


def linee_visibili(celle):
    """Are the lines between the pieces drawn (dark grey between cells 0 and 1)?"""
    x, y, w, h = celle[0]
    return banco.distanza(banco.Schermata().colore(x + w + 1, y + h // 2), (48, 48, 48)) < 12 ** 2


def soluzione_scivolamento(partenza):
    """Shortest list of cells to click, by breadth-first search (at most 9!/2 states)."""
    meta = (0, 1, 2, 3, 4, 5, 6, 7, None)
    precedente = {partenza: None}
    coda = [partenza]
    for stato in coda:
        if stato == meta:
            break
        vuota = stato.index(None)
        for cella in range(9):
            if abs(cella // 3 - vuota // 3) + abs(cella % 3 - vuota % 3) != 1:
                continue
            nuovo = list(stato)
            nuovo[vuota], nuovo[cella] = nuovo[cella], None
            nuovo = tuple(nuovo)
            if nuovo not in precedente:
                precedente[nuovo] = (stato, cella)
                coda.append(nuovo)
    verifica(meta in precedente, "puzzle a scivolamento irrisolvibile")
    mosse, stato = [], meta
    while precedente[stato] is not None:
        stato, cella = precedente[stato]
        mosse.append(cella)
    return mosse[::-1]


@caso("puzzle")
def puzzle(s):
    s.vai_al_menu()
    f = s.apri("gioca con i segnali")
    a = s.a
    gioco = a.per_nome(f, "Puzzle")
    testo = a.uno(f, lambda n: a.ruolo(n) == "label" and n.name.startswith("Segnale "), "testo del segnale")
    n = numero_del_testo(testo.name)
    scambio = a.per_nome(f, "puzzle a scambio", "radio button")
    scivolamento = a.per_nome(f, "puzzle a scivolamento", "radio button")
    verifica(a.spuntato(scambio) and not a.spuntato(scivolamento), "all'apertura: puzzle a scambio")
    uguale(gioco.description.split(";")[0], "puzzle a scambio", "modo del puzzle")
    celle = celle_puzzle(a.estensione(gioco))

    def stabile():
        disposizione = a.attendi_stabile(lambda: leggi_puzzle(celle, n), limite=5)
        verifica("?" not in disposizione, f"pezzi sconosciuti nel puzzle: {disposizione}")
        return disposizione

    # Swap game: put each piece in its place, two clicks per swap.
    disposizione = stabile()
    uguale(sorted(disposizione), list(range(9)), "pezzi del puzzle a scambio")
    verifica(disposizione != tuple(range(9)), "il puzzle non comincia risolto")
    verifica(linee_visibili(celle), "durante il gioco le linee separano i pezzi")
    scambi = 0
    for cella in range(9):
        if disposizione[cella] == cella:
            continue
        altra = disposizione.index(cella)
        clic_centro(celle[cella])
        clic_centro(celle[altra])
        scambi += 1
        atteso = list(disposizione)
        atteso[cella], atteso[altra] = atteso[altra], atteso[cella]
        aspetta(lambda: leggi_puzzle(celle, n) == tuple(atteso), f"lo scambio delle celle {cella} e {altra}", 5)
        disposizione = tuple(atteso)
    log(f"puzzle a scambio risolto con {scambi} scambi")
    aspetta(lambda: not linee_visibili(celle) and leggi_puzzle(celle, n) == tuple(range(9)),
            "il puzzle risolto, intero e senza linee", 5)

    # Sliding game: same sign, a new game with one empty cell.
    clic_centro(a.estensione(scivolamento))
    aspetta(lambda: gioco.description.split(";")[0] == "puzzle a scivolamento", "il modo a scivolamento")
    uguale(testo.name, f"Segnale {n}", "cambiare modo non cambia segnale")
    disposizione = stabile()
    uguale(sorted(disposizione, key=lambda v: 9 if v is None else v), list(range(8)) + [None],
           "pezzi del puzzle a scivolamento")
    mosse = soluzione_scivolamento(disposizione)
    log(f"puzzle a scivolamento: {len(mosse)} mosse")
    for cella in mosse:
        vuota = disposizione.index(None)
        atteso = list(disposizione)
        atteso[vuota], atteso[cella] = atteso[cella], None
        if atteso == list(range(8)) + [None]:
            atteso = list(range(9))  # solved: the control shows the whole picture
        clic_centro(celle[cella])
        aspetta(lambda: leggi_puzzle(celle, n) == tuple(atteso), f"il pezzo della cella {cella} scivola", 5)
        disposizione = tuple(atteso)
    aspetta(lambda: not linee_visibili(celle) and leggi_puzzle(celle, n) == tuple(range(9)),
            "il puzzle a scivolamento risolto, intero", 5)

    # A new puzzle keeps the mode.
    clic_centro(a.estensione(a.pulsante(f, "nuovo puzzle")))
    aspetta(lambda: linee_visibili(celle), "un nuovo puzzle")
    n = numero_del_testo(testo.name)
    uguale(gioco.description.split(";")[0], "puzzle a scivolamento", "il modo resta dopo \"nuovo puzzle\"")
    disposizione = stabile()
    verifica(None in disposizione, "il nuovo puzzle è a scivolamento")
    s.esci_al_menu(f)
    s.esci_dal_programma()


# ============================================================================ a real desktop
# Under openbox, with the clicks and keys a pupil makes.


def sola_cornice(s):
    """(window id, frame) of the program's one window on screen, once it stays put."""
    def una():
        c = banco.cornici(s.programma.processo.pid)
        return c[0] if len(c) == 1 else None
    aspetta(una, "una sola finestra del programma sullo schermo")
    return s.a.attendi_stabile(una, limite=5) or aspetta(una, "una sola finestra, ferma")


def sullo_schermo(cornice, cosa):
    larghezza, altezza = banco.dimensioni_schermo()
    x, y, w, h = cornice
    verifica(x >= 0 and y >= 0 and x + w <= larghezza and y + h <= altezza,
             f"{cosa}: la cornice {cornice} esce dallo schermo {larghezza}x{altezza}")


def centrata(cornice, centro, cosa, tolleranza=2):
    cx, cy = banco.centro(cornice)
    verifica(abs(cx - centro[0]) <= tolleranza and abs(cy - centro[1]) <= tolleranza,
             f"{cosa}: la cornice {cornice} ha il centro in {(cx, cy)}, atteso {centro}")


def dentro(punto, estensione):
    x, y, w, h = estensione
    return x <= punto[0] < x + w and y <= punto[1] < y + h


def descrizioni(s, f):
    """The six descriptions of the definition quiz: the labels of the left column."""
    a = s.a
    etichette = a.cerca(f, lambda n: a.ruolo(n) == "label")
    sinistra = min(a.estensione(n)[0] for n in etichette)
    colonna = [n for n in etichette if a.estensione(n)[0] == sinistra]
    uguale(len(colonna), 6, "descrizioni")
    return colonna


def contatori_fermi(s, f, attesi):
    """The counters read `attesi`, and still do a moment later: nothing more is counted."""
    s.aspetta_contatori(f, attesi)
    time.sleep(0.6)
    uguale(s.contatori(f), attesi, "contatori")


@caso("desktop_posizioni", schermo=(1024, 768), gestore=True)
def posizioni(s):
    """The splash opens centred on the screen, every later window centred on the one it
    replaces, and a window that would not fit there is moved onto the screen."""
    larghezza, altezza = banco.dimensioni_schermo()
    s.splash()
    _, avvio = sola_cornice(s)
    # Placed before the window manager has framed it: centred to within half a title bar.
    centrata(avvio, (larghezza / 2, altezza / 2), "schermata iniziale", 15)
    s.vai_al_menu()
    _, menu = sola_cornice(s)
    centrata(menu, banco.centro(avvio), "menù dopo la schermata iniziale")
    sullo_schermo(menu, "menù")
    f = s.apri("definire il segnale")
    _, quiz = sola_cornice(s)
    centrata(quiz, banco.centro(menu), "quiz dopo il menù")
    sullo_schermo(quiz, "quiz")
    s.esci_al_menu(f, prima_no=False)
    finestra, menu = sola_cornice(s)
    centrata(menu, banco.centro(quiz), "menù dopo il quiz")

    # The pupil moves the menu: the next window opens where the menu now is.
    banco.xdotool("windowmove", finestra, 40, 120)
    _, spostato = aspetta(lambda: (lambda c: c if c[1] != menu else None)(sola_cornice(s)),
                          "il menù spostato")
    f = s.apri("gioca con i segnali")
    _, puzzle = sola_cornice(s)
    centrata(puzzle, banco.centro(spostato), "puzzle dopo il menù spostato")
    sullo_schermo(puzzle, "puzzle")
    s.esci_al_menu(f, prima_no=False)

    # Near the bottom right corner, partly off the screen: the next window stays on it.
    finestra, menu = sola_cornice(s)
    banco.xdotool("windowmove", finestra, larghezza - 320, altezza - 230)
    aspetta(lambda: (lambda c: c if c[1] != menu else None)(sola_cornice(s)), "il menù nell'angolo")
    f = s.apri("riconoscere il segnale")
    _, quiz = sola_cornice(s)
    sullo_schermo(quiz, "quiz dopo il menù nell'angolo")
    s.esci_al_menu(f, prima_no=False)
    s.esci_dal_programma()


@caso("desktop_avvio_altri_pulsanti", schermo=(1024, 768), gestore=True)
def avvio_altri_pulsanti(s):
    """Any mouse button opens the menu from the splash: the right one on a picture."""
    finestra = s.splash()
    figura = s.a.cerca(finestra, lambda n: s.a.ruolo(n) == "image")[2]
    clic_centro(s.a.estensione(figura), pulsante=3)
    s.menu()
    s.esci_dal_programma()


@caso("desktop_avvio_doppio_clic", schermo=(1024, 768), gestore=True)
def avvio_doppio_clic(s):
    """A double-click on the splash opens the menu, and its second click does not land on the
    menu, though a button of the menu comes up right under the pointer."""
    s.splash()
    _, avvio = sola_cornice(s)
    cx, cy = banco.centro(avvio)
    punto = (int(cx) - 175, int(cy) - 180)  # where "definire il segnale" comes up
    banco.clic(*punto, volte=2)
    menu = s.menu()
    sotto = [d for d in ("definire il segnale", "abbinare segnale e definizione",
                         "riconoscere il segnale", "gioca con i segnali")
             if dentro(punto, s.a.estensione(s.a.pulsante(menu, d)))]
    verifica(sotto, f"il secondo clic in {punto} doveva cadere su un pulsante del menù")
    time.sleep(1)
    s.menu()
    s.esci_dal_programma()


@caso("desktop_doppio_clic_risposte", schermo=(1024, 768), gestore=True)
def doppio_clic_risposte(s):
    """A double-click counts as one click, a triple-click too: on the menu's buttons, on the
    descriptions and the pictures of the quizzes, on the definitions of the matching quiz and
    on the puzzle's pieces."""
    s.vai_al_menu()
    a = s.a
    pulsante = a.estensione(a.pulsante(s.menu(), "definire il segnale"))
    punto = (pulsante[0] + pulsante[2] // 2, pulsante[1] + pulsante[3] // 2)
    # The quiz opens with a description under the pointer: the second click counts nothing.
    banco.clic(*punto, volte=2)
    f = s.attivita()
    etichette = descrizioni(s, f)
    verifica(any(dentro(punto, a.estensione(e)) for e in etichette),
             f"il secondo clic in {punto} doveva cadere su una descrizione")
    contatori_fermi(s, f, ("0", "0"))
    n = segnale_in(banco.Schermata(), a, a.per_nome(f, "Segnale", "image"))
    sbagliate = [e for e in etichette if e.name != f"Segnale {n}"]
    giusta = [e for e in etichette if e.name == f"Segnale {n}"][0]
    clic_centro(a.estensione(sbagliate[0]), volte=2)
    contatori_fermi(s, f, ("0", "1"))
    clic_centro(a.estensione(sbagliate[1]), volte=3)
    contatori_fermi(s, f, ("0", "2"))
    clic_centro(a.estensione(giusta), volte=2)
    contatori_fermi(s, f, ("1", "2"))
    s.esci_al_menu(f, prima_no=False)

    f = s.apri("riconoscere il segnale")
    figure = sorted(a.cerca(f, lambda n: a.ruolo(n) == "image"), key=lambda n: n.name)
    mostrati = [segnale_in(banco.Schermata(), a, fig) for fig in figure]
    descritto = [n for n in a.cerca(f, lambda n: a.ruolo(n) == "label" and n.name.startswith("Segnale "))]
    k = mostrati.index(numero_del_testo(descritto[0].name))
    clic_centro(a.estensione(figure[(k + 1) % 6]), volte=2)
    contatori_fermi(s, f, ("0", "1"))
    clic_centro(a.estensione(figure[(k + 2) % 6]), volte=3)
    contatori_fermi(s, f, ("0", "2"))
    s.esci_al_menu(f, prima_no=False)

    # A double-click on a definition moves nothing; the definition is dragged home afterwards,
    # and the window manager's close request that comes during that drag is refused: no
    # question, no window gone under the drag.
    f = s.apri("abbinare segnale e definizione")
    caselle = sorted(a.cerca(f, lambda n: n.name.startswith("Casella ")), key=lambda n: n.name)
    figure = sorted(a.cerca(f, lambda n: a.ruolo(n) == "image"), key=lambda n: n.name)
    segnali = [segnale_in(banco.Schermata(), a, fig) for fig in figure]
    definizione = a.uno(f, lambda n: a.ruolo(n) == "label" and n.name == f"Segnale {segnali[0]}",
                        "definizione")
    x, y, w, h = a.estensione(definizione)
    clic_centro((x, y, w, h), volte=2)
    time.sleep(0.5)
    cx, cy, cw, ch = a.estensione(caselle[0])
    def chiudi_durante():
        # The quiz, not the small window that carries the dragged outline.
        quiz = max(banco.cornici(s.programma.processo.pid), key=lambda c: c[1][2] * c[1][3])[0]
        subprocess.run(["wmctrl", "-i", "-c", quiz], check=True, timeout=10)
        time.sleep(0.5)
        verifica(not [g for g in s.app.finestre() if a.ruolo(g) in ("alert", "dialog")],
                 "una domanda durante il trascinamento")
    trascina((x + w // 2, y + h // 2), (cx + cw // 2, cy + ch // 2), durante=chiudi_durante)
    aspetta(lambda: not a.visibile(definizione) or definizione.name == "",
            "la definizione trascinata nella sua casella", 5)
    verifica(s.attivita() is not None, "il quiz deve restare aperto")
    clic_centro(a.estensione(a.voce_menu(f, "Esercizi eseguiti" + " " * 11)))
    s.rispondi("hai eseguito  0 esercizi esatti con  0 errori", "Return")
    s.esci_al_menu(f, prima_no=False)

    # Swap puzzle: a double-click picks a piece (and does not drop it); a click on another swaps.
    f = s.apri("gioca con i segnali")
    gioco = a.per_nome(f, "Puzzle")
    n = numero_del_testo(a.uno(f, lambda n: a.ruolo(n) == "label" and n.name.startswith("Segnale "),
                               "testo del segnale").name)
    celle = celle_puzzle(a.estensione(gioco))
    disposizione = a.attendi_stabile(lambda: leggi_puzzle(celle, n), limite=5)
    cella = next(c for c in range(9) if disposizione[c] != c)
    altra = disposizione.index(cella)
    clic_centro(celle[cella], volte=2)
    time.sleep(0.5)
    clic_centro(celle[altra])
    atteso = list(disposizione)
    atteso[cella], atteso[altra] = atteso[altra], atteso[cella]
    aspetta(lambda: leggi_puzzle(celle, n) == tuple(atteso),
            f"lo scambio delle celle {cella} e {altra} dopo un doppio clic e un clic", 5)
    s.esci_al_menu(f, prima_no=False)
    s.esci_dal_programma()


def focalizza(s, nodo):
    nodo.queryComponent().grabFocus()
    aspetta(lambda: s.a.stati(nodo).contains(s.a.pyatspi.STATE_FOCUSED), f"il fuoco su {nodo.name!r}")


FRECCE = {"Left": (0, 1), "Right": (0, -1), "Up": (1, 0), "Down": (-1, 0)}


def freccia_per(disposizione):
    """An arrow that slides a piece into the gap, and the cell of that piece."""
    vuota = disposizione.index(None)
    for nome, (dr, dc) in FRECCE.items():
        r, c = vuota // 3 + dr, vuota % 3 + dc
        if 0 <= r < 3 and 0 <= c < 3:
            return nome, r * 3 + c


@caso("desktop_tasti", schermo=(1024, 768), gestore=True)
def desktop_tasti(s):
    """Return and keypad Enter press the focused button, as Space does; after a click on a
    puzzle option or on "nuovo puzzle" the arrow keys move the pieces."""
    s.vai_al_menu()
    a = s.a
    menu = s.menu()
    definire = a.pulsante(menu, "definire il segnale")
    aspetta(lambda: a.stati(definire).contains(a.pyatspi.STATE_FOCUSED), "il fuoco su \"definire il segnale\"")
    tasto("Return")
    f = s.attivita()
    etichette = descrizioni(s, f)
    n = segnale_in(banco.Schermata(), a, a.per_nome(f, "Segnale", "image"))
    clic_centro(a.estensione([e for e in etichette if e.name == f"Segnale {n}"][0]))
    avanti = a.pulsante(f, "avanti")
    aspetta(lambda: a.attivo(avanti), "\"avanti\" attivo")
    focalizza(s, avanti)
    tasto("KP_Enter")
    aspetta(lambda: not a.attivo(avanti) and all(a.attivo(e) for e in etichette),
            "il tasto Invio del tastierino preme \"avanti\"")
    s.esci_al_menu(f, prima_no=False)

    focalizza(s, a.pulsante(s.menu(), "gioca con i segnali"))
    tasto("Return")
    f = s.attivita()
    gioco = a.per_nome(f, "Puzzle")
    testo = a.uno(f, lambda n: a.ruolo(n) == "label" and n.name.startswith("Segnale "), "testo del segnale")
    celle = celle_puzzle(a.estensione(gioco))

    def disposizione():
        d = a.attendi_stabile(lambda: leggi_puzzle(celle, numero_del_testo(testo.name)), limite=5)
        verifica("?" not in d, f"pezzi sconosciuti nel puzzle: {d}")
        return d

    def freccia_muove(dopo_cosa):
        prima = disposizione()
        nome, cella = freccia_per(prima)
        tasto(nome)
        atteso = list(prima)
        vuota = prima.index(None)
        atteso[vuota], atteso[cella] = atteso[cella], None
        aspetta(lambda: leggi_puzzle(celle, numero_del_testo(testo.name)) in (tuple(atteso), tuple(range(9))),
                f"la freccia {nome} fa scivolare un pezzo dopo {dopo_cosa}", 5)
        uguale(gioco.description.split(";")[0], "puzzle a scivolamento", f"modo dopo la freccia {nome}")

    clic_centro(a.estensione(a.per_nome(f, "puzzle a scivolamento", "radio button")))
    aspetta(lambda: gioco.description.split(";")[0] == "puzzle a scivolamento", "il modo a scivolamento")
    freccia_muove("un clic su \"puzzle a scivolamento\"")
    nuovo = a.pulsante(f, "nuovo puzzle")
    prima = disposizione()
    clic_centro(a.estensione(nuovo))
    aspetta(lambda: leggi_puzzle(celle, numero_del_testo(testo.name)) != prima, "un nuovo puzzle")
    freccia_muove("un clic su \"nuovo puzzle\"")
    prima = disposizione()
    focalizza(s, nuovo)
    tasto("Return")
    aspetta(lambda: leggi_puzzle(celle, numero_del_testo(testo.name)) != prima,
            "il tasto Invio preme \"nuovo puzzle\"")
    s.esci_al_menu(f, prima_no=False)
    s.esci_dal_programma()


# ============================================================================ bad data


def catalogo_corto(c):
    banco.scrivi_catalogo(c.file("lista.txt"), [f"Segnale {n}" for n in range(1, 144)])


def catalogo_virgolette(c):
    testi = [f"Segnale {n}" for n in range(1, 145)]
    testi[99] = '"Segnale 100'  # never closed: the rest of the file is its text
    banco.scrivi_catalogo(c.file("lista.txt"), testi)


def catalogo_binario(c):
    with open(c.file("lista.txt"), "wb") as f:
        f.write(random.Random(20240607).randbytes(64 * 1024))


def catalogo_binario_senza_separatori(c):
    dati = random.Random(20240607).randbytes(64 * 1024)
    with open(c.file("lista.txt"), "wb") as f:
        # Printable bytes only and no separator: one endless first entry.
        f.write(bytes(b for b in dati if b > 0x20 and b != 0x7F and b not in b',"'))


def catalogo_enorme_una_riga(c):
    with open(c.file("lista.txt"), "wb") as f:
        pezzo = b"x" * (1 << 20)
        for _ in range(200):
            f.write(pezzo)


def catalogo_enorme_buono(c):
    banco.scrivi_catalogo(c.file("lista.txt"))
    with open(c.file("lista.txt"), "ab") as f:
        riga = b"Altro testo che il programma non legge mai\r\n"
        pezzo = riga * ((1 << 20) // len(riga))
        for _ in range(200):
            f.write(pezzo)


def catalogo_cartella(c):
    os.remove(c.file("lista.txt"))
    os.mkdir(c.file("lista.txt"))


def senza_immagini(c):
    for nome in os.listdir(c.file("jpg")):
        os.remove(c.file("jpg", nome))


def immagini_troncate(c):
    for nome in os.listdir(c.file("jpg")):
        p = c.file("jpg", nome)
        with open(p, "rb") as f:
            dati = f.read()
        with open(p, "wb") as f:
            f.write(dati[:len(dati) // 2])


def immagini_corrotte(c):
    # Start and end of a JPEG, garbage between: the frame header cannot be read.
    caso = random.Random(7)
    for nome in os.listdir(c.file("jpg")):
        p = c.file("jpg", nome)
        with open(p, "rb") as f:
            dati = bytearray(f.read())
        dati[2:len(dati) - 2] = caso.randbytes(len(dati) - 4)
        with open(p, "wb") as f:
            f.write(bytes(dati))


def immagini_cartelle(c):
    for nome in os.listdir(c.file("jpg")):
        os.remove(c.file("jpg", nome))
        os.mkdir(c.file("jpg", nome))


def catalogo_pipe(c):
    # A named pipe that nobody writes to: opening it for reading would wait forever.
    os.remove(c.file("lista.txt"))
    os.mkfifo(c.file("lista.txt"))


def immagini_pipe(c):
    # Every picture a symbolic link to one named pipe.
    os.mkfifo(c.file("pipe"))
    for nome in os.listdir(c.file("jpg")):
        os.remove(c.file("jpg", nome))
        os.symlink(os.path.join("..", "pipe"), c.file("jpg", nome))


def catalogo_illeggibile(c):
    os.chmod(c.file("lista.txt"), 0)


def immagini_illeggibili(c):
    for nome in os.listdir(c.file("jpg")):
        os.chmod(c.file("jpg", nome), 0)


def senza_suoni(c):
    shutil.rmtree(c.file("suoni"))


def errore_atteso(s, causa, file=None, prefisso_file=None, dietro=()):
    """The one box titled Cartavia, naming cause and file, alone on the screen but for the
    windows named in `dietro`; a real key press answers it and the program ends with status 1."""
    finestra, testo = s.app.messaggio(20)
    uguale(finestra.name, "Cartavia", "titolo della finestra di messaggio")
    uguale(sorted(f.name for f in s.app.finestre() if f != finestra), sorted(dietro),
           "sullo schermo c'è solo la finestra di messaggio (e ciò che le sta dietro)")
    uguale(len([f for f in s.app.finestre() if s.a.ruolo(f) == "alert"]), 1,
           "una sola finestra di messaggio")
    righe = testo.split("\n")
    uguale(len(righe), 3, f"il testo è causa, riga vuota, file: {testo!r}")
    uguale(righe[0], causa, "causa")
    uguale(righe[1], "", "riga vuota")
    if file is not None:
        uguale(righe[2], s.cartella.file(file), "file nominato")
    if prefisso_file is not None:
        verifica(righe[2].startswith(s.cartella.file(prefisso_file)) and righe[2].endswith(".jpg"),
                 f"file nominato {righe[2]!r}")
    log("messaggio:", repr(testo), f"dopo {time.monotonic() - s.programma.inizio:.2f} s")
    tasto("Return")
    s.programma.uscita_verificata(1, 10)
    return righe[2]


def caso_errore(nome, prepara, causa, file=None, prefisso_file=None, come_nessuno=False):
    def esegui(s):
        nominato = errore_atteso(s, causa, file, prefisso_file)
        return nominato
    caso(nome, come_nessuno, prepara)(esegui)


caso_errore("dati_senza_lista", lambda c: os.remove(c.file("lista.txt")), "File non trovato", "lista.txt")
caso_errore("dati_143_campi", catalogo_corto, "Input oltre la fine del file", "lista.txt")
caso_errore("dati_virgolette_aperte", catalogo_virgolette, "Input oltre la fine del file", "lista.txt")
caso_errore("dati_binario_senza_separatori", catalogo_binario_senza_separatori,
            "Voce 1 del catalogo troppo lunga", "lista.txt")
caso_errore("dati_200mb_una_riga", catalogo_enorme_una_riga, "Voce 1 del catalogo troppo lunga",
            "lista.txt")
caso_errore("dati_lista_cartella", catalogo_cartella, "Impossibile leggere il file", "lista.txt")
caso_errore("dati_immagine_mancante", senza_immagini, "File non trovato", prefisso_file="jpg/")
caso_errore("dati_jpeg_troncato", immagini_troncate, "Immagine non valida", prefisso_file="jpg/")
caso_errore("dati_jpeg_corrotto", immagini_corrotte, "Immagine non valida", prefisso_file="jpg/")
caso_errore("dati_immagine_cartella", immagini_cartelle, "Impossibile leggere il file",
            prefisso_file="jpg/")
caso_errore("dati_lista_pipe", catalogo_pipe, "Impossibile leggere il file", "lista.txt")
caso_errore("dati_immagini_pipe", immagini_pipe, "Impossibile leggere il file", prefisso_file="jpg/")
caso_errore("dati_lista_illeggibile", catalogo_illeggibile, "Impossibile leggere il file",
            "lista.txt", come_nessuno=True)
caso_errore("dati_immagini_illeggibili", immagini_illeggibili, "Impossibile leggere il file",
            prefisso_file="jpg/", come_nessuno=True)


@caso("dati_immagini_tolte_dal_menu")
def immagini_tolte_dal_menu(s):
    """The pictures go while the menu is open: the quiz that a click opens fails inside a
    button's slot, and that failure still ends in the one box and exit status 1."""
    s.vai_al_menu()
    # Moved out of the program directory, and back once the program has ended, so that the
    # directory is as it was.
    jpg = s.cartella.file("jpg")
    tempi = os.stat(jpg)
    altrove = jpg.rstrip("/") + ".via"
    os.rename(jpg, altrove)
    try:
        menu = s.menu()
        clic_centro(s.a.estensione(s.a.pulsante(menu, "definire il segnale")))
        # The menu that asked for the quiz stays behind the box until the program ends.
        return errore_atteso(s, "File non trovato", prefisso_file="jpg/",
                             dietro=["Cartavia: menù principale"])
    finally:
        os.rename(altrove, jpg)
        os.utime(jpg, ns=(tempi.st_atime_ns, tempi.st_mtime_ns))

@caso("dati_200mb_buono", prepara=catalogo_enorme_buono)
def enorme_buono(s):
    """200 MB whose first 144 lines are good: the program starts at once."""
    s.splash()
    log(f"schermata iniziale dopo {time.monotonic() - s.programma.inizio:.2f} s")
    s.vai_al_menu()
    s.esci_dal_programma()


def causa_binario(s):
    """Random bytes hold control characters: the reader names the first entry that has one."""
    causa = s.app.messaggio(20)[1].split("\n")[0]
    verifica(re.fullmatch(r"Carattere non valido nella voce \d+ del catalogo", causa) is not None,
             f"causa {causa!r}")
    return causa


@caso("dati_binario", prepara=catalogo_binario)
def binario(s):
    """Random bytes are no catalogue: the one error box naming lista.txt."""
    errore_atteso(s, causa_binario(s), "lista.txt")


@caso("dati_senza_suoni", prepara=senza_suoni)
def suoni_mancanti(s):
    """No suoni folder: answering works and counts, with no message at all."""
    s.vai_al_menu()
    f = s.apri("definire il segnale")
    a = s.a
    etichette = [n for n in a.cerca(f, lambda n: a.ruolo(n) == "label")
                 if a.estensione(n)[0] == min(a.estensione(m)[0] for m in a.cerca(f, lambda m: a.ruolo(m) == "label"))]
    n = segnale_in(banco.Schermata(), a, a.per_nome(f, "Segnale", "image"))
    giusta = [e for e in etichette if e.name == f"Segnale {n}"][0]
    sbagliata = [e for e in etichette if e.name != f"Segnale {n}"][0]
    clic_centro(a.estensione(sbagliata))
    s.aspetta_contatori(f, ("0", "1"))
    clic_centro(a.estensione(giusta))
    s.aspetta_contatori(f, ("1", "1"))
    verifica(not [w for w in s.app.finestre() if a.ruolo(w) == "alert"], "nessun messaggio")
    s.attivita()
    s.esci_al_menu(f, prima_no=False)
    s.esci_dal_programma()


# ============================================================================ sound


# Cases that run with their own PulseAudio server (ascolto.ServerAudio); every other case runs
# with no sound server at all.
CON_AUDIO = {"suoni_ogni_risposta", "lettura_voce"}
PASSO_RISPOSTE = 1.1  # seconds between answers: the longest sound lasts 0.8 s


@caso("suoni_ogni_risposta")
def suoni_ogni_risposta(s):
    """Every answer is heard: 31 answers in one session (six wrong ones in a row on the same
    description, right ones, a trip to the menu and back, a wrong answer cut off 0.2 s later
    by a right one), recorded from a null sink's monitor and matched against the sounds."""
    import ascolto
    a = s.a
    reg = ascolto.Registrazione(s.audio, os.path.join(s.cartella.radice, "lavoro", "suoni.raw"))
    risposte = []  # (monotonic time of the click, "no" or "si")

    def clicca(estensione, tipo, attesi, finestra):
        x, y, w, h = estensione
        banco.muovi(x + w // 2, y + h // 2)
        risposte.append((time.monotonic(), tipo))
        banco.xdotool("click", 1)
        s.aspetta_contatori(finestra, attesi)

    def pausa():
        resto = risposte[-1][0] + PASSO_RISPOSTE - time.monotonic()
        if resto > 0:
            time.sleep(resto)

    s.vai_al_menu()
    esatti = errati = 0
    for attivita in ("definire il segnale", "riconoscere il segnale"):
        f = s.apri(attivita)
        avanti = a.pulsante(f, "avanti")
        if attivita == "definire il segnale":
            risposte_possibili = [n for n in a.cerca(f, lambda n: a.ruolo(n) == "label"
                                                     and n.name.startswith("Segnale "))]
            uguale(len(risposte_possibili), 6, "descrizioni")
            figura = a.per_nome(f, "Segnale", "image")

            def giusta():
                n = segnale_in(banco.Schermata(), a, figura)
                return [e for e in risposte_possibili if e.name == f"Segnale {n}"][0]
        else:
            risposte_possibili = sorted(a.cerca(f, lambda n: a.ruolo(n) == "image"), key=lambda n: n.name)
            uguale(len(risposte_possibili), 6, "figure")

            def giusta():
                sotto = [n for n in a.cerca(f, lambda n: a.ruolo(n) == "label"
                                            and n.name.startswith("Segnale "))]
                n = numero_del_testo(sotto[0].name)
                schermata = banco.Schermata()
                return [fig for fig in risposte_possibili if segnale_in(schermata, a, fig) == n][0]
        esatti = errati = 0
        # Wrong answers in a row on the same control, then the right one: per exercise.
        sbagliate_di_fila = [6, 1, 0, 2, 1, 0, 1] if attivita == "definire il segnale" else [3, 1, 1, 0, 2]
        for k, quante in enumerate(sbagliate_di_fila):
            g = giusta()
            # A description drawn for another label may be the asked sign's too: it is just as
            # right, so it is no wrong answer.
            sbagliate = [e for e in risposte_possibili
                         if e != g and not (attivita == "definire il segnale" and e.name == g.name)]
            sbagliata = sbagliate[k % len(sbagliate)]
            for _ in range(quante):
                errati += 1
                clicca(a.estensione(sbagliata), "no", (str(esatti), str(errati)), f)
                pausa()
            esatti += 1
            clicca(a.estensione(g), "si", (str(esatti), str(errati)), f)
            aspetta(lambda: a.attivo(avanti), "\"avanti\" attivo")
            pausa()
            clic_centro(a.estensione(avanti))
            aspetta(lambda: not a.attivo(avanti), "\"avanti\" disattivo")
        if attivita == "definire il segnale":
            s.esci_al_menu(f, prima_no=False)  # the trip to the menu and back
    # A wrong answer, and 0.2 s later the right one: its sound cuts off the other.
    g = giusta()
    sbagliata = [e for e in risposte_possibili if e != g][0]
    (xs, ys, ws, hs), (xg, yg, wg, hg) = a.estensione(sbagliata), a.estensione(g)
    banco.muovi(xs + ws // 2, ys + hs // 2)
    risposte.append((time.monotonic(), "no"))
    banco.xdotool("click", 1)
    banco.xdotool("mousemove", xg + wg // 2, yg + hg // 2)
    time.sleep(max(0.0, risposte[-1][0] + 0.2 - time.monotonic()))
    risposte.append((time.monotonic(), "si"))
    banco.xdotool("click", 1)
    esatti += 1
    errati += 1
    s.aspetta_contatori(f, (str(esatti), str(errati)))
    pausa()
    campioni = reg.ferma()
    s.esci_al_menu(f, prima_no=False)
    s.esci_dal_programma()
    verifica(len(risposte) >= 30, f"solo {len(risposte)} risposte")
    controlla_suoni(campioni, reg.inizio, risposte, s.cartella.file("suoni"))


def controlla_suoni(campioni, inizio, risposte, cartella_suoni):
    """One burst per answer, each the right sound, whole; a sound asked for within 0.4 s of
    the previous one cuts it off: the burst starts as the first sound and goes on as the
    second alone."""
    import ascolto
    modelli = {n: ascolto.Modello(os.path.join(cartella_suoni, n))
               for n in ("no.wav", "si1.wav", "si2.wav", "si3.wav", "si4.wav")}
    raffiche = ascolto.raffiche(campioni)
    descritte = [ascolto.descrivi(campioni, r, modelli.values()) for r in raffiche]
    tempi = [t - inizio for t, _ in risposte]
    errori = []
    for i, (t, tipo) in enumerate(zip(tempi, (tipo for _, tipo in risposte))):
        fine = tempi[i + 1] if i + 1 < len(tempi) else float("inf")
        if fine - t < 0.4:
            continue  # cut off: checked with the next answer
        interrotta = i > 0 and t - tempi[i - 1] < 0.4
        # A sound cut off and the one that cut it make one burst, from the first click.
        da = tempi[i - 1] if interrotta else t
        mie = [d for d in descritte if da - 0.1 <= d["inizio"] < fine - 0.1]
        log(f"risposta {i + 1} ({tipo}) a {t:.2f} s:",
            "; ".join(f"{d['suono']} a {d['inizio']:.2f} s, {d['durata']:.2f} s, {d['altezza']:.0f} Hz, "
                      f"somiglianza {d['somiglianza']:.2f}" for d in mie) or "silenzio")
        if len(mie) != 1:
            errori.append(f"risposta {i + 1} ({tipo}): {len(mie)} raffiche di suono invece di una")
            continue
        d = mie[0]
        if interrotta:
            # The first sound until the click, then the second one alone.
            prima = modelli["no.wav"] if risposte[i - 1][1] == "no" else None
            t0 = d["inizio"]
            a = int(t0 * ascolto.FREQUENZA)
            pezzo = campioni[a:a + 2 * ascolto.FREQUENZA]
            taglio = t - tempi[i - 1]
            if prima is not None:
                corto = prima.campioni[prima.inizio:prima.inizio + int((taglio - 0.02) * ascolto.FREQUENZA)]
                simile = ascolto.somiglianza(pezzo, corto)
                if simile < 0.9:
                    errori.append(f"risposta {i}: il suono interrotto non è {prima.nome} ({simile:.2f})")
            candidati = [m for n, m in modelli.items() if (n == "no.wav") == (tipo == "no")]
            trovati = [(m.nome, *m.cerca(pezzo, taglio - 0.1, taglio + 0.25)) for m in candidati]
            nome, dove, simile = max(trovati, key=lambda v: v[2])
            log(f"  interrotta dopo {taglio:.2f} s: {nome} da +{dove:.2f} s, somiglianza {simile:.2f}")
            # Mixed with the rest of the first sound, the second one would match far less.
            if simile < 0.9:
                errori.append(f"risposta {i + 1} ({tipo}): dopo {taglio:.2f} s non si sente solo il "
                              f"nuovo suono ({nome}, somiglianza {simile:.2f})")
            continue
        attesi = ["no.wav"] if tipo == "no" else ["si1.wav", "si2.wav", "si3.wav", "si4.wav"]
        m = modelli[d["suono"]]
        if d["suono"] not in attesi or d["somiglianza"] < 0.9:
            errori.append(f"risposta {i + 1} ({tipo}): si sente {d['suono']} "
                          f"(somiglianza {d['somiglianza']:.2f})")
        elif abs(d["altezza"] - m.altezza) > 0.03 * m.altezza:
            errori.append(f"risposta {i + 1}: altezza {d['altezza']:.0f} Hz, {m.nome} ha {m.altezza:.0f} Hz")
        elif abs(d["durata"] - m.durata) > 0.05:
            errori.append(f"risposta {i + 1}: dura {d['durata']:.2f} s, {m.nome} {m.durata:.2f} s")
    estranee = [d for d in descritte if d["inizio"] < tempi[0] - 0.1]
    if estranee:
        errori.append(f"{len(estranee)} suoni prima della prima risposta")
    verifica(not errori, "suoni:\n  " + "\n  ".join(errori))


# ---- keyboard and screen reader


def apri_con_tastiera(s, didascalia):
    s.premi_fino_a("Tab", lambda n: n.name == didascalia and s.a.ruolo(n) == "push button", didascalia)
    tasto("space")
    return s.attivita()


def stessa(a, n, m):
    """The same control (compared by role, name and place on the screen)."""
    return a.ruolo(n) == a.ruolo(m) and n.name == m.name and a.estensione(n) == a.estensione(m)


def verdetto(giusta, esatti, errati):
    return f"Risposta {'giusta' if giusta else 'sbagliata'}. Esatti {esatti}, errati {errati}"


def annunciato(s, testo, da):
    """The program announced `testo` (a notification that appears) at position `da` or later."""
    return s.ascoltatore.aspetta(lambda e: e["tipo"] == "object:state-changed:showing" and e["d1"] == 1
                             and e.get("ruolo") == "notification" and e.get("nome") == testo,
                             f"l'annuncio {testo!r}", da, s.programma.processo.pid)


def mosse_griglia(da, a_):
    """Arrow keys from picture `da` to picture `a_` in the 2 x 3 grid (row by row)."""
    righe, colonne = a_ // 3 - da // 3, a_ % 3 - da % 3
    return (["Down"] * righe if righe > 0 else ["Up"] * -righe) + \
        (["Right"] * colonne if colonne > 0 else ["Left"] * -colonne)


@caso("tastiera", finestre=True, eventi=True)
def tastiera(s):
    """The keyboard alone, with no pointer event at all: splash, menu, a wrong and a right
    answer in the definition and the recognition quiz, a matching exercise completed after a
    wrong drop, back with the menu bar's "Esci" (opened by Alt or F10); every verdict announced
    to a screen reader, and a quiz opening with its name and first answer."""
    a = s.a
    pid = s.programma.processo.pid
    puntatore = banco.puntatore()
    s.splash()
    tasto("Return")
    s.menu()

    # Definition quiz.
    da = len(s.eventi())
    f = apri_con_tastiera(s, "definire il segnale")
    uguale(f.name, "Cartavia - definire il segnale", "nome della finestra per il lettore")
    etichette = sorted([n for n in a.cerca(f, lambda n: n.name.startswith("Segnale ") and a.ruolo(n) != "image"
                        and a.visibile(n))], key=lambda n: a.estensione(n)[1])
    uguale(len(etichette), 6, "descrizioni")
    s.aspetta_fuoco(lambda n: stessa(a, n, etichette[0]), "la prima descrizione")
    # What a screen reader hears first: the window, then the first description; no verdict.
    attivata = s.ascoltatore.aspetta(lambda e: e["tipo"] == "window:activate"
                                 and e.get("nome") == "Cartavia - definire il segnale",
                                 "la finestra attivata", da, pid)
    s.ascoltatore.aspetta(lambda e: e["tipo"] == "object:state-changed:focused" and e["d1"] == 1
                      and e.get("nome") == etichette[0].name, "il fuoco sulla prima descrizione",
                      attivata, pid)
    verifica(not [e for e in s.eventi()[da:] if e.get("ruolo") == "notification"
                  or (e["tipo"] == "object:state-changed:focused" and e.get("nome") == "Risposta sbagliata")],
             "all'apertura nessun verdetto")
    figura = a.per_nome(f, "Segnale", "image")
    n = segnale_in(banco.Schermata(), a, figura)
    k = [e.name for e in etichette].index(f"Segnale {n}")
    sbagliata = next(i for i in range(6) if etichette[i].name != f"Segnale {n}")
    da = len(s.eventi())
    tasti(*["Down"] * sbagliata)
    s.aspetta_fuoco(lambda n_: stessa(a, n_, etichette[sbagliata]), "la descrizione sbagliata")
    tasto("space")
    s.aspetta_contatori(f, ("0", "1"))
    da = annunciato(s, verdetto(False, 0, 1), da)
    tasti(*(["Down"] * (k - sbagliata) if k > sbagliata else ["Up"] * (sbagliata - k)))
    s.aspetta_fuoco(lambda n_: stessa(a, n_, etichette[k]), "la descrizione giusta")
    tasto("Return")
    s.aspetta_contatori(f, ("1", "1"))
    annunciato(s, verdetto(True, 1, 1), da)
    s.aspetta_fuoco(lambda n_: n_.name == "avanti", "\"avanti\"")
    tasto("space")
    s.aspetta_fuoco(lambda n_: stessa(a, n_, etichette[0]), "la prima descrizione dopo \"avanti\"")
    s.esci_con_tastiera()

    # Recognition quiz.
    f = apri_con_tastiera(s, "riconoscere il segnale")
    uguale(f.name, "Cartavia - riconoscere il segnale", "nome della finestra per il lettore")
    figure = sorted(a.cerca(f, lambda n: a.ruolo(n) == "image"), key=lambda n: n.name)
    s.aspetta_fuoco(lambda n_: n_.name == "Segnale 1", "la prima figura")
    schermata = banco.Schermata()
    mostrati = [segnale_in(schermata, a, fig) for fig in figure]
    sotto = a.uno(f, lambda n_: a.ruolo(n_) == "label" and n_.name.startswith("Segnale "), "descrizione")
    k = mostrati.index(numero_del_testo(sotto.name))
    sbagliata = 5 - k if 5 - k != k else (k + 1) % 6  # a wrong one some keys away
    da = len(s.eventi())
    tasti(*mosse_griglia(0, sbagliata))
    s.aspetta_fuoco(lambda n_: n_.name == f"Segnale {sbagliata + 1}", "la figura sbagliata")
    tasto("Return")
    s.aspetta_contatori(f, ("0", "1"))
    da = annunciato(s, verdetto(False, 0, 1), da)
    tasti(*mosse_griglia(sbagliata, k))
    s.aspetta_fuoco(lambda n_: n_.name == f"Segnale {k + 1}", "la figura giusta")
    tasto("space")
    s.aspetta_contatori(f, ("1", "1"))
    annunciato(s, verdetto(True, 1, 1), da)
    s.aspetta_fuoco(lambda n_: n_.name == "avanti", "\"avanti\"")
    tasto("space")
    s.aspetta_fuoco(lambda n_: n_.name == "Segnale 1", "la prima figura dopo \"avanti\"")
    s.esci_con_tastiera()

    # Matching quiz: a wrong drop, a definition put back with Escape, then every definition in
    # its box; out through the menu bar opened with F10.
    f = apri_con_tastiera(s, "abbinare segnale e definizione")
    uguale(f.name, "Cartavia - abbinare segnale e definizione", "nome della finestra per il lettore")
    figure = sorted(a.cerca(f, lambda n_: a.ruolo(n_) == "image"), key=lambda n_: n_.name)
    schermata = banco.Schermata()
    segnali = [segnale_in(schermata, a, fig) for fig in figure]
    area = a.uno(f, lambda n_: a.ruolo(n_) == "filler", "area della finestra")

    def sfondo():
        x, y, _, _ = a.estensione(area)
        return banco.Schermata().colore_medio(x + 3, y + 4, 1)

    def casella(k):
        return a.uno(f, lambda n_: n_.name.startswith(f"Casella {k + 1}"), f"la casella {k + 1}")

    def definizione(numero):
        return lambda n_: n_.name == f"Segnale {numero}" and a.ruolo(n_) == "label"

    def prendi(numero):
        s.premi_fino_a("Tab", definizione(numero), f"la definizione di Segnale {numero}")
        tasto("space")

    def posa(k):
        s.premi_fino_a("Tab", lambda n_: n_.name.startswith(f"Casella {k + 1}"), f"la casella {k + 1}")
        tasto("Return")

    s.aspetta_fuoco(lambda n_: n_.name.startswith("Segnale ") and a.ruolo(n_) == "label", "una definizione")
    colore = sfondo()
    verifica(banco.distanza(colore, (0, 0, 0)) > 10 ** 2, "lo sfondo di un esercizio nuovo non è nero")
    da = len(s.eventi())
    prendi(segnali[0])
    posa(1)
    aspetta(lambda: banco.distanza(sfondo(), (0, 0, 0)) < 10 ** 2, "lo sfondo nero dopo un rilascio sbagliato", 5)
    da = annunciato(s, verdetto(False, 0, 1), da)
    s.aspetta_fuoco(definizione(segnali[0]), "la definizione, di nuovo al suo posto")
    prendi(segnali[1])
    tasto("Escape")
    posa(1)  # nothing in hand: nothing happens
    for k in (1, 0, 2):
        prendi(segnali[k])
        posa(k)
        aspetta(lambda: casella(k).name == f"Casella {k + 1}: Segnale {segnali[k]}", f"la casella {k + 1} piena")
        da = annunciato(s, verdetto(True, 1 if k == 2 else 0, 1), da)
    s.aspetta_fuoco(lambda n_: n_.name == "avanti", "\"avanti\"")
    # One announcement for each drop: the Escape and the drop with nothing in hand said nothing.
    verdetti = [e.get("nome") for e in s.eventi() if e["tipo"] == "object:state-changed:showing"
                and e["d1"] == 1 and e.get("ruolo") == "notification"
                and str(e.get("nome", "")).startswith("Risposta")]
    uguale(verdetti[-4:], [verdetto(False, 0, 1), verdetto(True, 0, 1), verdetto(True, 0, 1),
                           verdetto(True, 1, 1)], "i verdetti dell'abbinamento")
    s.esci_con_tastiera("F10")

    # The menu's "Esci", Yes.
    s.premi_fino_a("Tab", lambda n_: n_.name == "Esci" and a.ruolo(n_) == "push button", "Esci")
    tasto("space")
    s.rispondi("Vuoi uscire dal programma?", "Return")
    s.programma.uscita_verificata(0)
    uguale(banco.puntatore(), puntatore, "il puntatore, mai mosso")


@caso("lettore", orca=True)
def lettore(s):
    """Orca, as a blind pupil hears the definition quiz: its name and the first answer when it
    opens, then each verdict with the counters."""
    a = s.a
    s.splash()
    tasto("Return")
    s.menu()
    da = len(s.orca.detti())
    f = apri_con_tastiera(s, "definire il segnale")
    etichette = sorted([n for n in a.cerca(f, lambda n: n.name.startswith("Segnale ") and a.ruolo(n) != "image"
                        and a.visibile(n))], key=lambda n: a.estensione(n)[1])
    nome = s.orca.aspetta_detto("Cartavia - definire il segnale", "il nome dell'attività", da)
    primo = s.orca.aspetta_detto(etichette[0].name, "la prima descrizione", nome + 1)
    verifica(not [t for t in s.orca.detti()[da:primo + 1] if "Risposta" in t],
             f"all'apertura nessun verdetto: {s.orca.detti()[da:primo + 1]}")
    n = segnale_in(banco.Schermata(), a, a.per_nome(f, "Segnale", "image"))
    k = [e.name for e in etichette].index(f"Segnale {n}")
    sbagliata = next(i for i in range(6) if etichette[i].name != f"Segnale {n}")
    tasti(*["Down"] * sbagliata)
    s.aspetta_fuoco(lambda n_: stessa(a, n_, etichette[sbagliata]), "la descrizione sbagliata")
    da = len(s.orca.detti())
    tasto("space")
    da = s.orca.aspetta_detto(verdetto(False, 0, 1), "il verdetto sbagliato", da) + 1
    tasti(*(["Down"] * (k - sbagliata) if k > sbagliata else ["Up"] * (sbagliata - k)))
    s.aspetta_fuoco(lambda n_: stessa(a, n_, etichette[k]), "la descrizione giusta")
    tasto("space")
    s.orca.aspetta_detto(verdetto(True, 1, 1), "il verdetto giusto", da)
    log("Orca ha detto:", s.orca.detti())
    s.esci_con_tastiera()


# ============================================================================ running


def richiesti(caso):
    programmi = ["Xvfb", "xdpyinfo", "xdotool", "dbus-run-session", "import", "convert"]
    if AMBIENTI.get(caso, {}).get("finestre"):
        programmi += ["openbox", "xprop", "xwininfo", "wmctrl"]
    for programma in programmi:
        if not shutil.which(programma):
            return f"manca {programma}"
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        return f"manca pyatspi per {sys.executable} (pacchetto python3-pyatspi)"
    return None


def immagini_in_cache(cache):
    """The 144 pictures, made once and shared by every case."""
    os.makedirs(cache, exist_ok=True)
    finale = os.path.join(cache, "jpg")
    with open(os.path.join(cache, "jpg.lock"), "w") as blocco:
        fcntl.flock(blocco, fcntl.LOCK_EX)
        if not os.path.isdir(finale) or len(os.listdir(finale)) != 144:
            shutil.rmtree(finale, ignore_errors=True)
            provvisoria = tempfile.mkdtemp(dir=cache)
            banco.crea_immagini(os.path.join(provvisoria, "jpg"))
            os.rename(os.path.join(provvisoria, "jpg"), finale)
            os.rmdir(provvisoria)
    return finale


def esterno(argomenti):
    mancante = richiesti(argomenti.caso)
    if mancante:
        print(f"test saltato: {mancante}")
        return SALTA
    esegui, prepara, come_nessuno = CASI[argomenti.caso]
    if argomenti.caso in VOCE:
        mancanti = [p for p in PROGRAMMI_VOCE if not shutil.which(p)]
        modulo = os.path.join(os.path.dirname(argomenti.eseguibile), "libcartavia_voce.so")
        if not os.path.exists(modulo):
            mancanti.append("libcartavia_voce.so (Qt TextToSpeech)")
        if not glob.glob("/usr/lib/speech-dispatcher-modules/sd_espeak-ng") + glob.glob(
                "/usr/lib/*/speech-dispatcher-modules/sd_espeak-ng"):
            mancanti.append("sd_espeak-ng (speech-dispatcher-espeak-ng)")
        if mancanti:
            print(f"test saltato: mancano {mancanti} per la sintesi vocale")
            return SALTA
    if argomenti.caso in CON_AUDIO:
        import ascolto
        mancante = ascolto.mancante()
        if mancante:
            print(f"test saltato: {mancante}")
            return SALTA
    if come_nessuno and os.geteuid() == 0 and not shutil.which("setpriv"):
        print("test saltato: serve setpriv per provare i file illeggibili da utente senza privilegi")
        return SALTA

    inizio = time.monotonic()
    radice = tempfile.mkdtemp(prefix=f"cartavia-e2e-{argomenti.caso}-")
    display = gestore = None
    try:
        os.chmod(radice, 0o755)
        moduli = ["libcartavia_voce.so"] if argomenti.caso in VOCE else []
        cartella = banco.CartellaProgramma(radice, argomenti.eseguibile, argomenti.suoni,
                                           immagini_in_cache(argomenti.cache), moduli=moduli)
        if prepara:
            prepara(cartella)
        prima = cartella.istantanea()

        lavoro = os.path.join(radice, "lavoro")
        os.makedirs(lavoro, mode=0o700)
        ambiente = dict(os.environ, HOME=lavoro, XDG_RUNTIME_DIR=lavoro, PYTHONDONTWRITEBYTECODE="1")
        ambiente.pop("DBUS_SESSION_BUS_ADDRESS", None)
        ambiente.pop("SESSION_MANAGER", None)
        comando = ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__),
                   "--interno", argomenti.caso, "--radice", radice]
        if come_nessuno and os.geteuid() == 0:
            # root reads any file whatever its mode: the program runs as "nobody".
            os.chown(lavoro, 65534, 65534)
            comando = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"] + comando
        display = banco.Display(*AMBIENTI.get(argomenti.caso, {}).get("schermo", (1280, 1024)))
        if AMBIENTI.get(argomenti.caso, {}).get("finestre"):
            gestore = banco.GestoreFinestre(display)
        ambiente["DISPLAY"] = display.nome
        log(f"caso {argomenti.caso} sul display {display.nome}")
        try:
            codice = subprocess.run(comando, env=ambiente, timeout=argomenti.limite).returncode
        except subprocess.TimeoutExpired:
            print(f"FALLITO: il caso non è finito entro {argomenti.limite} s")
            return 1
        if codice == SALTA:
            log(f"caso {argomenti.caso}: saltato")
            return SALTA
        if codice == 0:
            dopo = cartella.istantanea()
            if dopo != prima:
                cambiati = sorted(set(prima.items()) ^ set(dopo.items()))
                print(f"FALLITO: la cartella del programma è cambiata: {cambiati[:10]}")
                codice = 1
        registro = os.path.join(lavoro, "programma.log")
        if codice != 0 and os.path.exists(registro):
            with open(registro, errors="replace") as f:
                print("--- uscita del programma ---\n" + f.read()[-4000:])
        log(f"caso {argomenti.caso}: {'superato' if codice == 0 else 'FALLITO'} "
            f"in {time.monotonic() - inizio:.1f} s")
        return 0 if codice == 0 else 1
    finally:
        if gestore:
            gestore.chiudi()
        if display:
            display.chiudi()
        for base, cartelle, files in os.walk(radice):
            for nome in cartelle + files:
                try:
                    os.chmod(os.path.join(base, nome), 0o755, follow_symlinks=False)
                except (OSError, NotImplementedError):  # a symbolic link has no mode here
                    pass
        shutil.rmtree(radice, ignore_errors=True)


def interno(argomenti):
    cartella = banco.CartellaProgramma.esistente(argomenti.radice)
    esegui = CASI[argomenti.caso][0]
    sessione = None
    audio = None
    sintesi = None
    try:
        ambiente = None
        if argomenti.caso in CON_AUDIO:
            import ascolto
            audio = ascolto.ServerAudio(os.path.join(cartella.radice, "lavoro", "pulse"))
            ambiente = {"PULSE_SERVER": audio.ambiente["PULSE_SERVER"]}
        if argomenti.caso in VOCE:
            # Started before the program, speaking into the session's own sound server.
            sintesi = banco.SintesiVocale(os.environ["XDG_RUNTIME_DIR"], audio.ambiente)
        sessione = Sessione(cartella, ambiente=ambiente,
                            **{k: v for k, v in AMBIENTI.get(argomenti.caso, {}).items()
                               if k in ("eventi", "orca")})
        sessione.audio, sessione.sintesi = audio, sintesi
        esegui(sessione)
        return 0
    except Saltato as motivo:
        print(f"test saltato: {motivo}")
        return SALTA
    except Fallimento as errore:
        print(f"FALLITO: {errore}")
        traceback.print_exc()
        if sessione:
            try:
                finestre = [(sessione.a.ruolo(f), f.name) for f in sessione.app.finestre()]
                print(f"finestre sullo schermo: {finestre}")
                subprocess.run(["import", "-silent", "-window", "root",
                                os.path.join(os.environ.get("CARTAVIA_E2E_SCHERMATE", "/tmp"),
                                             f"cartavia-e2e-{argomenti.caso}.png")], timeout=20)
            except Exception:
                pass
        return 1
    finally:
        if sessione:
            sessione.chiudi()
        if sintesi:
            sintesi.chiudi()
        if audio:
            audio.chiudi()


import guasti  # noqa: E402,F401  (its cases: failing sound and speech servers)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("caso", choices=sorted(CASI))
    parser.add_argument("--eseguibile")
    parser.add_argument("--suoni")
    parser.add_argument("--cache")
    parser.add_argument("--limite", type=float, default=150)
    parser.add_argument("--interno", action="store_true")
    parser.add_argument("--radice")
    argomenti = parser.parse_args()
    return interno(argomenti) if argomenti.interno else esterno(argomenti)


if __name__ == "__main__":
    sys.exit(main())
