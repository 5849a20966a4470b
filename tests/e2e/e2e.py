#!/usr/bin/env python3
"""End-to-end tests of the real program.

    e2e.py MODULO CASO --eseguibile build/cartavia --suoni build/suoni --cache DIR

The cases live in one module per concern (attivita.py, desktop.py, errori.py, suoni.py,
tastiera.py, esame.py), the session they share in sessione.py; MODULO names the module that holds CASO.

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
import importlib
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import banco  # noqa: E402
from banco import Fallimento, Saltato, log  # noqa: E402
from sessione import CASI, Sessione  # noqa: E402

SALTA = 77
# What a case with real speech needs beyond those that listen (ascolto.mancante).
PROGRAMMI_VOCE = ("speech-dispatcher", "espeak-ng")


def richiesti(caso):
    programmi = ["Xvfb", "xdpyinfo", "xdotool", "dbus-run-session", "import", "convert"]
    if caso.finestre:
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
    caso = CASI[argomenti.caso]
    mancante = richiesti(caso)
    if mancante:
        print(f"test saltato: {mancante}")
        return SALTA
    if caso.voce:
        mancanti = [p for p in PROGRAMMI_VOCE if not shutil.which(p)]
        modulo = os.path.join(os.path.dirname(argomenti.eseguibile), "libcartavia_voce.so")
        if not os.path.exists(modulo):
            mancanti.append("libcartavia_voce.so (libspeechd)")
        if not glob.glob("/usr/lib/speech-dispatcher-modules/sd_espeak-ng") + glob.glob(
                "/usr/lib/*/speech-dispatcher-modules/sd_espeak-ng"):
            mancanti.append("sd_espeak-ng (speech-dispatcher-espeak-ng)")
        if mancanti:
            print(f"test saltato: mancano {mancanti} per la sintesi vocale")
            return SALTA
    if caso.audio:
        import ascolto
        mancante = ascolto.mancante()
        if mancante:
            print(f"test saltato: {mancante}")
            return SALTA
    if caso.come_nessuno and os.geteuid() == 0 and not shutil.which("setpriv"):
        print("test saltato: serve setpriv per provare i file illeggibili da utente senza privilegi")
        return SALTA

    inizio = time.monotonic()
    radice = tempfile.mkdtemp(prefix=f"cartavia-e2e-{argomenti.caso}-")
    display = gestore = None
    try:
        os.chmod(radice, 0o755)
        moduli = ["libcartavia_voce.so"] if caso.voce else []
        cartella = banco.CartellaProgramma(radice, argomenti.eseguibile, argomenti.suoni,
                                           immagini_in_cache(argomenti.cache), moduli=moduli)
        if caso.prepara:
            caso.prepara(cartella)
        prima = cartella.istantanea()

        lavoro = os.path.join(radice, "lavoro")
        os.makedirs(lavoro, mode=0o700)
        ambiente = dict(os.environ, HOME=lavoro, XDG_RUNTIME_DIR=lavoro, PYTHONDONTWRITEBYTECODE="1")
        ambiente.pop("DBUS_SESSION_BUS_ADDRESS", None)
        ambiente.pop("SESSION_MANAGER", None)
        comando = ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__),
                   "--interno", argomenti.modulo, argomenti.caso, "--radice", radice]
        if caso.come_nessuno and os.geteuid() == 0:
            # root reads any file whatever its mode: the program runs as "nobody".
            os.chown(lavoro, 65534, 65534)
            comando = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"] + comando
        display = banco.Display(*caso.schermo)
        if caso.finestre:
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
    caso = CASI[argomenti.caso]
    sessione = None
    audio = None
    sintesi = None
    try:
        ambiente = None
        if caso.audio:
            import ascolto
            audio = ascolto.ServerAudio(os.path.join(cartella.radice, "lavoro", "pulse"))
            ambiente = {"PULSE_SERVER": audio.ambiente["PULSE_SERVER"]}
        if caso.voce:
            # Started before the program, speaking into the session's own sound server.
            sintesi = banco.SintesiVocale(os.environ["XDG_RUNTIME_DIR"], audio.ambiente)
        sessione = Sessione(cartella, ambiente=ambiente, eventi=caso.eventi, orca=caso.orca)
        sessione.audio, sessione.sintesi = audio, sintesi
        caso.esegui(sessione)
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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("modulo")
    parser.add_argument("caso")
    parser.add_argument("--eseguibile")
    parser.add_argument("--suoni")
    parser.add_argument("--cache")
    parser.add_argument("--limite", type=float, default=150)
    parser.add_argument("--interno", action="store_true")
    parser.add_argument("--radice")
    argomenti = parser.parse_args()
    importlib.import_module(argomenti.modulo)  # registers its cases
    if argomenti.caso not in CASI:
        parser.error(f"{argomenti.modulo}.py non ha il caso {argomenti.caso!r}: {sorted(CASI)}")
    return interno(argomenti) if argomenti.interno else esterno(argomenti)


if __name__ == "__main__":
    sys.exit(main())
