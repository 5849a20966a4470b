"""A real desktop: under openbox, with the clicks and keys a pupil makes."""

import subprocess
import time

import banco
from banco import aspetta, clic_centro, tasto, trascina, uguale, verifica
from sessione import caso, descrizioni, numero_del_testo, segnale_in
from sessione import celle_puzzle, leggi_puzzle


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
