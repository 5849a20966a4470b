"""The activities with the mouse: splash, menu and help, the three quizzes, the review,
the puzzle."""

import os
import re
import subprocess
import time

import banco
from banco import Fallimento, aspetta, clic, clic_centro, log, tasto, trascina, uguale, verifica
from sessione import caso, descrizioni, numero_del_testo, segnale_in, schermata_salvata
from sessione import celle_puzzle, leggi_puzzle, linee_visibili


def contenuto(a, finestra):
    """The box of the controls a window shows (screen coordinates): what is not the window,
    its client area, its menus or a zero-size notification."""
    x, y, w, h = a.estensione(finestra)
    scatole = [a.estensione(n) for n in a.cerca(finestra, lambda n: a.visibile(n) and a.ruolo(n) not in (
        "filler", "menu bar", "menu", "menu item", "separator", "notification"))]
    scatole = [e for e in scatole if e[2] > 0 and e[3] > 0 and e[2:] != (w, h)]
    x0, y0 = min(e[0] for e in scatole), min(e[1] for e in scatole)
    return x0, y0, max(e[0] + e[2] for e in scatole) - x0, max(e[1] + e[3] for e in scatole) - y0


def altezza_testo(schermata, estensione, righe=1):
    """Pixels from the top of the first line of dark text (every channel under 110) in `estensione` to the bottom of line
    `righe` (lines are runs of rows with ink, apart by rows without)."""
    x, y, w, h = estensione
    inchiostro = [any(max(schermata.colore(c, r)) < 110 for c in range(x, x + w)) for r in range(y, y + h)]
    corse, inizio = [], None
    for r, pieno in enumerate(inchiostro + [False]):
        if pieno and inizio is None:
            inizio = r
        elif not pieno and inizio is not None:
            corse.append((inizio, r))
            inizio = None
    verifica(len(corse) >= righe, f"nessun testo in {estensione}")
    return corse[righe - 1][1] - corse[0][0]


def schermo_intero(s, finestra, pulsante, durante=lambda: None):
    """F11 spreads the window over the whole 1920 x 1080 screen: the layout grows by one
    factor and the box of its controls stands in the middle of the client area (within 2
    pixels), on the window's colour; `durante()` runs then; F11 again gives back the natural
    size. Returns the factor and what `durante` returned."""
    a = s.a
    fx, fy, fw, fh = a.estensione(finestra)
    barre = a.cerca(finestra, lambda n: a.ruolo(n) == "menu bar")
    barra = a.estensione(barre[0])[3] if barre else 0
    pw, ph = a.estensione(a.pulsante(finestra, pulsante))[2:]
    tasto("F11")
    aspetta(lambda: a.estensione(finestra) == (0, 0, 1920, 1080), "la finestra a schermo intero")
    cima = a.estensione(barre[0])[3] if barre else 0
    f = min(1920 / fw, (1080 - cima) / (fh - barra))

    def al_posto():
        return all(abs(v - w * f) <= 1.5 for v, w in zip(a.estensione(a.pulsante(finestra, pulsante))[2:], (pw, ph)))
    try:
        aspetta(al_posto, f"{pulsante!r} ingrandito {f:.3f} volte", 5)
    except Fallimento:
        raise Fallimento(f"{pulsante!r}: atteso {pw * f} x {ph * f}, "
                         f"visto {a.estensione(a.pulsante(finestra, pulsante))}")
    x, y, w, h = contenuto(a, finestra)
    margini = (x, 1920 - x - w, y - cima, 1080 - y - h)
    log(f"schermo intero: fattore {f:.3f}, margini sinistro, destro, sopra, sotto {margini}")
    verifica(abs(margini[0] - margini[1]) <= 2 and abs(margini[2] - margini[3]) <= 2,
             f"i controlli non stanno al centro: margini {margini}")
    schermata = banco.Schermata()
    schermata_salvata("schermo-intero")
    # The margins left and right (or above and below) show the window's own colour.
    sfondo = schermata.colore(x - 3, y + h // 2)
    for px, py in ((x // 2, y + h // 2), (1919 - margini[1] // 2, y + h // 2)):
        uguale(schermata.colore(px, py), sfondo, f"colore del margine in {px},{py}")
    risultato = durante()
    tasto("F11")
    aspetta(lambda: a.estensione(finestra)[2:] == (fw, fh), "la finestra alla sua misura")
    return f, risultato


SORGENTI = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def guida(finestra):
    """The help of a screen as F1 shows it: the version line (of the project, CMakeLists.txt),
    then the text in the sources."""
    with open(os.path.join(SORGENTI, "CMakeLists.txt"), encoding="utf-8") as cmake:
        versione = re.search(r"project\(Cartavia VERSION (\S+)", cmake.read()).group(1)
    with open(os.path.join(SORGENTI, "resources", "guida", finestra + ".txt"), encoding="utf-8") as testo:
        return f"Cartavia {versione} - guida\n\n" + testo.read().strip()


@caso("avvio_menu_esci", schermo=(1920, 1080), gestore=True)
def avvio_menu_esci(s):
    """Splash, main menu, their help (F1, read by a screen reader), full screen and back (F11,
    under a window manager), About box, Esci with No and with Yes."""
    s.splash()
    tasto("F1")
    s.rispondi(guida("FormAvvio"), "Return")
    menu = s.vai_al_menu()
    # A click on the menu's empty bottom band (the exam button fills the middle) gives it the keyboard.
    x, y, w, h = s.a.estensione(menu)
    clic(x + w // 2, y + h - 8)
    tasto("F1")
    s.rispondi(guida("FormMenu"), "Escape")
    menu = s.menu()
    schermo_intero(s, menu, "Esci")
    clic_centro(s.a.estensione(s.a.pulsante(menu, "Informazioni")))
    s.rispondi("Orvella  \n ----------------------- \nhttps://cartavia.example.org\n"
               "mail: info@cartavia.example.org", "Return")
    s.esci_dal_programma()


@caso("schermo_intero_quiz", schermo=(1920, 1080), gestore=True)
def schermo_intero_quiz(s):
    """Full screen at 1920 x 1080 over the recognition quiz: its controls in the middle, and
    the menu bar and the help (F1) grown with them, to be read from the back of a class."""
    a = s.a
    s.vai_al_menu()
    f = s.apri("riconoscere il segnale")

    def misure():
        barra = altezza_testo(banco.Schermata(), a.estensione(
            a.figli(a.cerca(f, lambda n: a.ruolo(n) == "menu bar")[0])[0]))  # "Azzera conteggio"
        tasto("F1")
        box = s.messaggio(guida("formDisegni"))
        testo = a.estensione(max(a.cerca(box, lambda n: a.ruolo(n) == "label"), key=lambda n: len(a.testo(n))))
        schermata = banco.Schermata()
        schermata_salvata(f"guida-{a.estensione(f)[2]}")
        tasto("Return")
        aspetta(lambda: not [w for w in s.app.finestre() if a.ruolo(w) in ("alert", "dialog")], "la guida chiusa")
        return barra, altezza_testo(schermata, testo, 3)
    naturali = misure()
    fattore, grandi = schermo_intero(s, f, "avanti", misure)
    log(f"fattore {fattore:.2f}; barra dei menù e guida (tre righe), in pixel: {naturali} -> {grandi}")
    verifica(all(g >= 1.8 * n for n, g in zip(naturali, grandi)),
             f"testi non ingranditi: {naturali} -> {grandi}")
    s.esci_con_tastiera("F10")


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


def soluzione_scivolamento(partenza):
    """The cells to click, in order, from the tests' solver (tests/supporto/Risolutore.h)."""
    uscita = subprocess.run([os.environ["CARTAVIA_E2E_RISOLUTORE"]]
                            + [str(8 if p is None else p) for p in partenza],
                            capture_output=True, text=True, timeout=60)
    verifica(uscita.returncode == 0, f"puzzle a scivolamento irrisolvibile: {partenza}")
    return [int(c) for c in uscita.stdout.split()]


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
