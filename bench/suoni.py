#!/usr/bin/python3
"""Sound players side by side: each candidate plays no.wav TIMES times, INTERVAL ms apart,
then si1.wav and, 0.2 s later, no.wav (which must cut it off), through a private PulseAudio
null sink whose monitor parec records. Prints one table row per player.

    bench/suoni.py [TIMES] [INTERVAL_MS]        (defaults 10, 1500; needs build/)
"""

import os
import subprocess
import sys
import tempfile
import time

QUI = os.path.dirname(os.path.abspath(__file__))
RADICE = os.path.dirname(QUI)
sys.path.insert(0, os.path.join(RADICE, "tests", "e2e"))
import ascolto  # noqa: E402
import numpy as np  # noqa: E402

BUILD = os.path.join(RADICE, "build")
os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")  # no window: sound only
PROGRAMMA = os.path.join(BUILD, "bench", "bench_suoni")


def esegui(modo, volte, passo, ambiente):
    uscita = subprocess.run([PROGRAMMA, modo, BUILD, str(volte), str(passo)], env=ambiente,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, timeout=120)
    chiamate = [r.split() for r in uscita.stdout.splitlines()]
    return [(int(i), nome, float(t), float(ms)) for i, nome, t, ms in chiamate], uscita.stderr


def main():
    volte = int(sys.argv[1]) if len(sys.argv) > 1 else 10
    passo = int(sys.argv[2]) if len(sys.argv) > 2 else 1500
    mancante = ascolto.mancante()
    if mancante:
        sys.exit(mancante)
    modelli = [ascolto.Modello(os.path.join(BUILD, "suoni", n))
               for n in ("no.wav", "si1.wav", "si2.wav", "si3.wav", "si4.wav")]
    no = modelli[0]
    modi = sys.argv[3].split(",") if len(sys.argv) > 3 else ["effetto", "effetto_nuovo", "pulse", "canberra"]
    print(f"no.wav {volte} times, {passo} ms apart; then si1.wav cut by no.wav after 0.2 s")
    print("| player | no.wav heard | right pitch and length | cut pair | call median ms | call max ms | onset spread ms |")
    print("|---|---:|---:|---|---:|---:|---:|")
    with tempfile.TemporaryDirectory() as cartella:
        os.environ["XDG_RUNTIME_DIR"] = cartella
        for modo in modi:
            server = ascolto.ServerAudio(os.path.join(cartella, modo))
            try:
                reg = ascolto.Registrazione(server, os.path.join(cartella, modo + ".raw"))
                chiamate, errori = esegui(modo, volte, passo, server.ambiente)
                campioni = reg.ferma()
            finally:
                server.chiudi()
            if not chiamate:
                print(f"| {modo} | not run: {errori.strip()[:80]} |")
                continue
            raff = ascolto.raffiche(campioni)
            descritte = [ascolto.descrivi(campioni, r, modelli) for r in raff]
            # Each burst belongs to the last call made before it started.
            tempi = [t - reg.inizio for _, _, t, _ in chiamate]
            per_chiamata = {}
            for d in descritte:
                prima = [i for i, t in enumerate(tempi) if t <= d["inizio"] + 0.01]
                if prima:
                    per_chiamata.setdefault(prima[-1], d)
            sentiti = [i for i in range(volte) if i in per_chiamata]
            if os.environ.get("DETTAGLI"):
                for i in sorted(per_chiamata):
                    d = per_chiamata[i]
                    print(f"  {modo} {i}: {d['suono']} {d['durata']:.3f} s {d['altezza']:.0f} Hz "
                          f"{d['somiglianza']:.2f}, {1000 * (d['inizio'] - tempi[i]):.0f} ms after the call")
            giusti = [i for i in sentiti
                      if per_chiamata[i]["suono"] == "no.wav" and per_chiamata[i]["somiglianza"] > 0.8
                      and abs(per_chiamata[i]["durata"] - no.durata) < 0.05
                      and abs(per_chiamata[i]["altezza"] - no.altezza) < 0.03 * no.altezza]
            coppia = per_chiamata.get(volte)
            if coppia is None:
                taglio = "si1 not heard"
            else:
                # The burst starts as si1.wav; alone after the cut, no.wav matches itself,
                # mixed with si1.wav's tail it does not.
                a = int(coppia["inizio"] * ascolto.FREQUENZA)
                pezzo = campioni[a:a + ascolto.FREQUENZA * 2]
                si1 = modelli[1]
                inizio = ascolto.somiglianza(pezzo, si1.campioni[si1.inizio:si1.inizio + int(0.18 * ascolto.FREQUENZA)])
                dove, valore = no.cerca(pezzo, 0.1, 0.4)
                taglio = f"si1.wav {inizio:.2f}, then no.wav at +{dove:.2f} s {valore:.2f}"
            ritardi = [per_chiamata[i]["inizio"] - tempi[i] for i in sentiti]
            durate = [ms for *_, ms in chiamate]
            spread = (max(ritardi) - min(ritardi)) * 1000 if ritardi else float("nan")
            print(f"| {modo} | {len(sentiti)}/{volte} | {len(giusti)}/{volte} | {taglio} | "
                  f"{np.median(durate):.2f} | {max(durate):.2f} | {spread:.0f} |")
            if errori.strip():
                print(f"  ({modo} stderr: {errori.strip().splitlines()[-1][:120]})")
        # No sound server at all: every call must return at once.
        ambiente = dict(os.environ, PULSE_SERVER=f"unix:{cartella}/nessuno")
        for modo in modi:
            inizio = time.monotonic()
            chiamate, _ = esegui(modo, 3, 300, ambiente)
            if chiamate:
                durate = [ms for *_, ms in chiamate]
                print(f"no server, {modo}: call max {max(durate):.2f} ms, "
                      f"run {time.monotonic() - inizio:.1f} s (of which 2.9 s planned)")


if __name__ == "__main__":
    main()
