"""The session of an end-to-end case, shared by every module of cases.

`caso` registers a case and what it needs; `Sessione` is the program under test seen through
its accessibility tree (it imports accesso, hence pyatspi: only inside the case's own D-Bus
session); the functions below read what every screen shows.
"""

import os
import subprocess
import types

import banco
from banco import Fallimento, aspetta, clic, clic_centro, log, tasto, uguale, verifica

CASI = {}  # name -> the case's function (esegui) and what it asks for


def caso(nome, come_nessuno=False, prepara=None, voce=False, finestre=False, eventi=False,
         orca=False, schermo=(1280, 1024), gestore=False, audio=False):
    """Registers the function as case `nome`. `prepara(cartella)` spoils the program directory
    before the start; `come_nessuno`: run as user 65534 when the tests run as root; `schermo`:
    the display's size; `finestre`, `gestore` (or `orca`): run a window manager (openbox) on it;
    `eventi`: an AT-SPI event listener; `orca`: the Orca screen reader; `audio`: a PulseAudio
    server of the session's own (every other case runs with no sound server at all); `voce`:
    that and speech-dispatcher, with the speech module beside the program."""
    def registra(funzione):
        CASI[nome] = types.SimpleNamespace(
            esegui=funzione, prepara=prepara, come_nessuno=come_nessuno, eventi=eventi, orca=orca,
            finestre=finestre or orca or gestore, schermo=schermo, audio=audio or voce, voce=voce)
        return funzione
    return registra


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


def schermata_salvata(nome):
    """A screenshot kept beside the test's other pictures, to be looked at."""
    percorso = os.path.join(os.environ.get("CARTAVIA_E2E_SCHERMATE", "/tmp"),
                            f"cartavia-e2e-{nome}.png")
    subprocess.run(["import", "-silent", "-window", "root", percorso], check=True, timeout=20)
    log(f"schermata: {percorso}")


def descrizioni(s, f):
    """The six descriptions of the definition quiz: the labels of the left column."""
    a = s.a
    etichette = a.cerca(f, lambda n: a.ruolo(n) == "label")
    sinistra = min(a.estensione(n)[0] for n in etichette)
    colonna = [n for n in etichette if a.estensione(n)[0] == sinistra]
    uguale(len(colonna), 6, "descrizioni")
    return colonna


# ---- the puzzle

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
