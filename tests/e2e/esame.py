"""The exam test, by keyboard alone: opened from the menu, 30 statements answered, handed in,
the result and the errors read through the accessibility tree."""

import banco
from banco import aspetta, tasto, uguale, verifica
from sessione import caso, numero_del_testo, schermata_salvata, segnale_in
from tastiera import apri_con_tastiera

DOMANDE = 30


@caso("esame", finestre=True, eventi=True)
def esame(s):
    """Statement 1 answered wrong, statement 2 left unanswered, the other 28 right, moving
    on with Right and Page Down: handing in asks first, the result is "Promosso" with 2
    errors and is announced, and each error shows its statement and both answers."""
    a = s.a
    s.splash()
    tasto("Return")
    s.menu()
    f = apri_con_tastiera(s, "prova d'esame")
    uguale(f.name, "Cartavia - prova d'esame", "nome della finestra per il lettore")

    def affermazione(k):
        return aspetta(lambda: next((n for n in a.cerca(f, lambda n: a.ruolo(n) == "label" and a.visibile(n))
                                     if n.name.startswith(f"Domanda {k} di {DOMANDE}.")), None),
                       f"la domanda {k}")

    attese = {}
    for k in range(1, DOMANDE + 1):
        testo = affermazione(k).name
        figura = a.uno(f, lambda n: a.ruolo(n) == "image" and a.visibile(n), "la figura")
        uguale(figura.name, f"Segnale della domanda {k}", "il nome della figura non dice il segnale")
        citato = numero_del_testo(testo.split("«")[1].rstrip("»"))
        vera = citato == segnale_in(banco.Schermata(), a, figura)
        attese[k] = (testo.split(". ", 1)[1], vera)
        if k != 2:
            tasto("v" if vera == (k != 1) else "f")
            casella = f"Domanda {k}: {'Vero' if vera == (k != 1) else 'Falso'}"
            aspetta(lambda: a.cerca(f, lambda n: n.name == casella), f"la casella {casella!r}")
        if k == 3:
            schermata_salvata("esame-domanda")
        if k < DOMANDE:
            tasto("Right" if k % 2 else "Next")

    da = len(s.eventi())
    s.premi_fino_a("Tab", lambda n: n.name == "Consegna", "\"Consegna\"")
    tasto("Return")
    s.rispondi("Una domanda è senza risposta e conta come errore. Vuoi consegnare lo stesso?", "Return")
    esito = aspetta(lambda: next((n for n in a.cerca(f, lambda n: a.visibile(n) and n.name in ("Promosso", "Respinto"))),
                                 None), "il risultato")
    uguale(esito.name, "Promosso", "risultato con 2 errori")
    s.ascoltatore.aspetta(lambda e: e["tipo"] == "object:state-changed:showing" and e["d1"] == 1
                          and e.get("ruolo") == "notification"
                          and (e.get("nome") or "").startswith("Promosso. Errori: 2 su 30"),
                          "il risultato annunciato", da, s.programma.processo.pid)

    def errore(k, risposta):
        affermazione_k, vera = attese[k]
        giusta = "Vero" if vera else "Falso"
        righe = [f"Domanda {k}. {affermazione_k}", f"La tua risposta: {risposta}", f"Risposta giusta: {giusta}"]
        return aspetta(lambda: next((n for n in a.cerca(f, lambda n: a.ruolo(n) == "label" and a.visibile(n))
                                     if a.testo(n).split("\n")[:3] == righe), None),
                       f"l'errore della domanda {k}: {righe}")

    primo = errore(1, "Falso" if attese[1][1] else "Vero")
    schermata_salvata("esame-risultato")
    if not attese[1][1]:
        verifica("Il segnale indica: «Segnale " in a.testo(primo), "il vero nome del segnale")
    tasto("Right")
    errore(2, "nessuna risposta")
    s.esci_con_tastiera()
    s.menu()
