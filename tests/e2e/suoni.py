"""What the pupil hears: a sound for every answer, a description read aloud."""

import os
import time

import banco
from banco import aspetta, clic_centro, log, uguale, verifica
from sessione import caso, numero_del_testo, segnale_in

PASSO_RISPOSTE = 1.1  # seconds between answers: the longest sound lasts 0.8 s


@caso("suoni_ogni_risposta", audio=True)
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
