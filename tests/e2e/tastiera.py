"""The keyboard alone, and what a screen reader is told and says."""

import banco
from banco import aspetta, log, tasto, tasti, uguale, verifica
from sessione import caso, numero_del_testo, segnale_in


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
    opens, then each verdict with the counters, a right one whole before the focus moves on."""
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
    # The verdict comes first, then the focus on "avanti".
    giusto = s.orca.aspetta_detto(verdetto(True, 1, 1), "il verdetto giusto", da)
    avanti = s.orca.aspetta_detto("avanti", "il pulsante avanti", da)
    verifica(giusto < avanti, f"il verdetto dopo il fuoco su avanti: {s.orca.detti()[da:]}")
    verifica(not s.orca.fermato_dopo(giusto, avanti), "Orca interrompe il verdetto per dire avanti")
    log("Orca ha detto:", s.orca.detti())
    s.esci_con_tastiera()
