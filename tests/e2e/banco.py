"""The test bench of the end-to-end suite: a virtual display, a throw-away program
directory, the program itself, and the three ways of talking to it: real input (xdotool),
its accessibility tree (AT-SPI) and screenshots (xwd).

Every wait is bounded: `aspetta` polls a condition until a deadline and fails with a
description of what it was waiting for.
"""

import os
import random
import re
import shutil
import socket
import signal
import subprocess
import time

# ---------------------------------------------------------------------------- failures


class Fallimento(AssertionError):
    pass


class Saltato(Exception):
    """What the case needs is not here (or is busy): the case is skipped, not failed."""


def verifica(condizione, messaggio):
    if not condizione:
        raise Fallimento(messaggio)


def uguale(ottenuto, atteso, cosa):
    if ottenuto != atteso:
        raise Fallimento(f"{cosa}: atteso {atteso!r}, ottenuto {ottenuto!r}")


def aspetta(condizione, cosa, limite=10.0, passo=0.05):
    """Polls `condizione` until it returns something true; returns that value."""
    fine = time.monotonic() + limite
    ultimo_errore = None
    while True:
        try:
            valore = condizione()
            if valore:
                return valore
        except Fallimento:
            raise
        except Exception as errore:  # a widget that vanished while we looked at it
            ultimo_errore = errore
        if time.monotonic() > fine:
            extra = f" (ultimo errore: {ultimo_errore!r})" if ultimo_errore else ""
            raise Fallimento(f"tempo scaduto ({limite:.0f} s) aspettando: {cosa}{extra}")
        time.sleep(passo)


def log(*parti):
    print(f"[{time.strftime('%H:%M:%S')}]", *parti, flush=True)


# ---------------------------------------------------------------------------- test data

# 6 x 6 x 6 well-separated colours; signs take the first 144, the eight outer blocks of every
# picture (which the puzzle needs to tell its pieces apart) take the next eight.
_LIVELLI = (0, 51, 102, 153, 204, 255)
_TAVOLOZZA = [(r, g, b) for r in _LIVELLI for g in _LIVELLI for b in _LIVELLI]
# Spread the signs over the cube so that neighbouring indices are far apart.
_TAVOLOZZA = _TAVOLOZZA[::7] + [c for i, c in enumerate(_TAVOLOZZA) if i % 7]
COLORI_SEGNALI = {n: _TAVOLOZZA[n - 1] for n in range(1, 145)}
COLORI_POSTI = _TAVOLOZZA[144:152]  # block k of 0..8 without the centre (4)


def colore_blocco(n, blocco):
    """Colour of block `blocco` (0..8, row by row) of the picture of sign n."""
    if blocco == 4:
        return COLORI_SEGNALI[n]
    return COLORI_POSTI[blocco if blocco < 4 else blocco - 1]


def distanza(a, b):
    return sum((x - y) ** 2 for x, y in zip(a, b))


def segnale_del_colore(colore, tolleranza=40):
    """The sign whose colour this is, or None."""
    n, c = min(COLORI_SEGNALI.items(), key=lambda voce: distanza(voce[1], colore))
    return n if distanza(c, colore) <= tolleranza ** 2 else None


def blocco_del_colore(colore, n, tolleranza=40):
    """Which block (0..8) of the picture of sign n has this colour, or None."""
    migliore = min(range(9), key=lambda k: distanza(colore_blocco(n, k), colore))
    return migliore if distanza(colore_blocco(n, migliore), colore) <= tolleranza ** 2 else None


def scrivi_catalogo(percorso, testi=None, separatore=b"\r\n"):
    testi = testi if testi is not None else [f"Segnale {n}" for n in range(1, 145)]
    with open(percorso, "wb") as f:
        f.write(separatore.join(t.encode("cp1252") for t in testi) + separatore)


def crea_immagini(cartella_jpg):
    """144 JPEGs, 96 x 96: a 3 x 3 grid whose centre block has the sign's colour."""
    os.makedirs(cartella_jpg, exist_ok=True)
    # One process writes all of them: far quicker than 144 of them.
    comando = ["convert"]
    for n in range(1, 145):
        comando += ["(", "-size", "96x96", "xc:black"]
        for k in range(9):
            r, g, b = colore_blocco(n, k)
            x, y = (k % 3) * 32, (k // 3) * 32
            comando += ["-fill", f"rgb({r},{g},{b})", "-draw",
                        f"rectangle {x},{y} {x + 31},{y + 31}"]
        comando += [")"]
    comando += ["-quality", "95", "-sampling-factor", "1x1", "-scene", "1", "+adjoin",
                os.path.join(cartella_jpg, "%d.jpg")]
    subprocess.run(comando, check=True, timeout=120)
    verifica(len(os.listdir(cartella_jpg)) == 144, "non sono state create 144 immagini")


class CartellaProgramma:
    """A throw-away program directory with a copy of the executable, a catalogue
    "Segnale 1".."Segnale 144", 144 coloured pictures and the real sounds."""

    def __init__(self, radice, eseguibile, suoni, modello_jpg=None, moduli=()):
        self.radice = radice
        self.cartella = os.path.join(radice, "programma")
        os.makedirs(self.cartella)
        self.eseguibile = os.path.join(self.cartella, "cartavia")
        shutil.copy2(eseguibile, self.eseguibile)
        # The sound player, a module the program loads from beside itself.
        modulo = os.path.join(os.path.dirname(eseguibile), "libcartavia_suoni.so")
        if os.path.exists(modulo):
            shutil.copy2(modulo, os.path.join(self.cartella, "libcartavia_suoni.so"))
        # Modules the program loads from beside itself (libcartavia_voce.so ...), when asked.
        for modulo in moduli:
            shutil.copy2(os.path.join(os.path.dirname(eseguibile), modulo), self.file(modulo))
        scrivi_catalogo(self.file("lista.txt"))
        if modello_jpg:
            shutil.copytree(modello_jpg, self.file("jpg"))
        else:
            crea_immagini(self.file("jpg"))
        shutil.copytree(suoni, self.file("suoni"))

    @classmethod
    def esistente(cls, radice):
        """The directory another process made."""
        c = cls.__new__(cls)
        c.radice = radice
        c.cartella = os.path.join(radice, "programma")
        c.eseguibile = os.path.join(c.cartella, "cartavia")
        return c

    def file(self, *parti):
        return os.path.join(self.cartella, *parti)

    def istantanea(self):
        """Every entry under the directory with its kind, size, mode and times."""
        voci = {}
        for base, cartelle, files in os.walk(self.cartella):
            for nome in cartelle + files:
                p = os.path.join(base, nome)
                s = os.lstat(p)
                voci[os.path.relpath(p, self.cartella)] = (s.st_mode, s.st_size, s.st_mtime_ns)
        return voci


# ---------------------------------------------------------------------------- display


def _display_libero(numero):
    """No lock file and no listening socket, abstract or not, for display `numero`. (Another
    container on the same network namespace shows no lock file here but owns the abstract
    socket, and clients would reach its server.)"""
    if os.path.exists(f"/tmp/.X{numero}-lock") or os.path.exists(f"/tmp/.X11-unix/X{numero}"):
        return False
    prova = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    try:
        prova.bind(f"\0/tmp/.X11-unix/X{numero}")
        return True
    except OSError:
        return False
    finally:
        prova.close()


class Display:
    """Xvfb on a free display number. -noreset: a server that resets when its last client
    leaves (our readiness probe) refuses the next one for a moment."""

    def __init__(self, larghezza=1280, altezza=1024):
        caso = random.Random()
        for _ in range(20):
            numero = caso.randrange(200, 900)
            if not _display_libero(numero):
                continue
            self.nome = f":{numero}"
            self.processo = subprocess.Popen(
                ["Xvfb", self.nome, "-ac", "-noreset", "-nolisten", "tcp",
                 "-screen", "0", f"{larghezza}x{altezza}x24"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                aspetta(self.pronto, f"il display {self.nome} pronto", 10, 0.05)
                return
            except Fallimento:
                self.chiudi()
        raise Fallimento("nessun display libero per Xvfb")

    def pronto(self):
        verifica(self.processo.poll() is None, f"Xvfb su {self.nome} è terminato")
        return subprocess.run(["xdpyinfo", "-display", self.nome], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=10).returncode == 0

    def chiudi(self):
        termina(self.processo)


def termina(processo):
    """Ends a helper process: politely, then after five seconds by force."""
    if processo.poll() is None:
        processo.terminate()
        try:
            processo.wait(5)
        except subprocess.TimeoutExpired:
            processo.kill()
            processo.wait()


class GestoreFinestre:
    """Openbox on the display, as on a desktop: it gives the keyboard focus to each new
    window, so that keys reach the program without the pointer, and windows become active,
    which is when a screen reader looks at them."""

    def __init__(self, display):
        self.display = display
        ambiente = dict(os.environ, DISPLAY=display.nome)
        self.processo = subprocess.Popen(["openbox", "--sm-disable"], env=ambiente,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        aspetta(self.pronto, f"openbox sul display {display.nome}", 10, 0.05)

    def pronto(self):
        verifica(self.processo.poll() is None, "openbox è terminato")
        uscita = subprocess.run(["xprop", "-display", self.display.nome, "-root",
                                 "_NET_SUPPORTING_WM_CHECK"], stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, text=True, timeout=10).stdout
        return "window id" in uscita

    def chiudi(self):
        termina(self.processo)


def dimensioni_schermo():
    uscita = subprocess.run(["xdpyinfo"], check=True, timeout=10, stdout=subprocess.PIPE, text=True).stdout
    w, h = re.search(r"dimensions:\s+(\d+)x(\d+) pixels", uscita).groups()
    return int(w), int(h)


def cornici(pid):
    """The program's windows on screen: (window id, frame), the frame being the client area's
    (x, y, width, height) grown by the extents the window manager reports."""
    uscita = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)], timeout=10,
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True).stdout
    risultato = []
    for finestra in uscita.split():
        info = subprocess.run(["xwininfo", "-id", finestra], timeout=10, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True).stdout
        valori = dict(re.findall(r"^\s*(Absolute upper-left [XY]|Width|Height|Map State):\s*(\S+)",
                                 info, re.M))
        if valori.get("Map State") != "IsViewable":
            continue
        estensioni = subprocess.run(["xprop", "-id", finestra, "_NET_FRAME_EXTENTS"], timeout=10,
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True).stdout
        numeri = [int(v) for v in re.findall(r"\d+", estensioni.split("=", 1)[1])] if "=" in estensioni else []
        sinistra, destra, sopra, sotto = numeri if len(numeri) == 4 else (0, 0, 0, 0)
        x, y = int(valori["Absolute upper-left X"]), int(valori["Absolute upper-left Y"])
        risultato.append((finestra, (x - sinistra, y - sopra, int(valori["Width"]) + sinistra + destra,
                                     int(valori["Height"]) + sopra + sotto)))
    return risultato


def centro(rettangolo):
    x, y, w, h = rettangolo
    return (x + w / 2, y + h / 2)


# ---------------------------------------------------------------------------- input


def xdotool(*argomenti):
    subprocess.run(["xdotool", *map(str, argomenti)], check=True, timeout=20,
                   stdout=subprocess.DEVNULL)


def puntatore():
    uscita = subprocess.run(["xdotool", "getmouselocation", "--shell"], check=True, timeout=20,
                            stdout=subprocess.PIPE, text=True).stdout
    valori = dict(riga.split("=", 1) for riga in uscita.split())
    return int(valori["X"]), int(valori["Y"])


def muovi(x, y):
    """Moves the pointer and waits until it is there (`mousemove --sync` would wait for a
    move that never comes when the pointer already stands on the spot)."""
    x, y = int(x), int(y)
    xdotool("mousemove", x, y)
    aspetta(lambda: puntatore() == (x, y), f"il puntatore in {x},{y}", 5, 0.01)


# Qt's double-click time on X11 without a desktop's settings is 400 ms; a pause longer than
# that keeps two separate clicks from being one double-click.
PAUSA_TRA_CLIC = 0.5
_ultimo_clic = (None, 0.0)  # (x, y, button) of the last click, and when it ended


def clic(x, y, pulsante=1, volte=1):
    """A click, or a double or triple click with `volte`: the presses 80 ms apart, well within
    any double-click time. A click on the point of the one just before waits until it cannot
    make a double-click with it: the two are separate clicks, as a pupil's would be."""
    global _ultimo_clic
    dove, quando = _ultimo_clic
    if dove is not None and dove[2] == pulsante and abs(dove[0] - x) + abs(dove[1] - y) <= 10:
        time.sleep(max(0.0, quando + PAUSA_TRA_CLIC - time.monotonic()))
    muovi(x, y)
    xdotool("click", "--repeat", volte, "--delay", 80, pulsante)
    _ultimo_clic = ((x, y, pulsante), time.monotonic())


def clic_destro(x, y):
    muovi(x, y)
    xdotool("click", 3)


def clic_centro(estensione, pulsante=1, volte=1):
    x, y, w, h = estensione
    clic(x + w // 2, y + h // 2, pulsante, volte)


def tasto(nome):
    xdotool("key", nome)


def tasti(*nomi, ritardo_ms=50):
    """Several keys in a row, as a person types them (none at all is fine)."""
    if nomi:
        xdotool("key", "--delay", ritardo_ms, *nomi)


def trascina(da, a, passi=12, durante=None):
    """Press at `da`, move in steps to `a`, release: a real drag. `durante` runs at `a`, just
    before the release, while the drag is on."""
    (x0, y0), (x1, y1) = da, a
    muovi(x0, y0)
    xdotool("mousedown", 1)
    time.sleep(0.05)
    for i in range(1, passi + 1):
        x = x0 + (x1 - x0) * i / passi
        y = y0 + (y1 - y0) * i / passi
        xdotool("mousemove", int(x), int(y))
        time.sleep(0.03)
    muovi(x1, y1)
    time.sleep(0.1)
    if durante:
        durante()
    xdotool("mouseup", 1)


# ---------------------------------------------------------------------------- screenshots


class Schermata:
    """The whole screen, grabbed by ImageMagick as a binary PPM."""

    def __init__(self):
        dati = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"],
                              check=True, timeout=20, stdout=subprocess.PIPE).stdout
        campi, resto = [], dati
        while len(campi) < 4:  # P6, width, height, maximum value
            resto = resto.lstrip()
            if resto.startswith(b"#"):
                resto = resto.split(b"\n", 1)[1]
                continue
            campo, resto = resto.split(None, 1) if len(campi) < 3 else (resto.split(b"\n", 1)[0], b"")
            campi.append(campo)
        verifica(campi[0] == b"P6" and campi[3] == b"255", "schermata: formato inatteso")
        self.larghezza, self.altezza = int(campi[1]), int(campi[2])
        self.pixel = dati[len(dati) - self.larghezza * self.altezza * 3:]

    def colore(self, x, y):
        o = (int(y) * self.larghezza + int(x)) * 3
        return tuple(self.pixel[o:o + 3])

    def colore_medio(self, x, y, raggio=3):
        somma = [0, 0, 0]
        quanti = 0
        for dy in range(-raggio, raggio + 1):
            for dx in range(-raggio, raggio + 1):
                c = self.colore(x + dx, y + dy)
                somma = [s + v for s, v in zip(somma, c)]
                quanti += 1
        return tuple(round(s / quanti) for s in somma)

    def colore_al_centro(self, estensione):
        x, y, w, h = estensione
        return self.colore_medio(x + w // 2, y + h // 2)


# ---------------------------------------------------------------------------- the program


class Programma:
    """The real executable, started on the display with accessibility on."""

    def __init__(self, cartella, ambiente_extra=None):
        self.cartella = cartella
        ambiente = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                        QT_QPA_PLATFORM="xcb")
        # No sound server unless the case brings its own: never the desktop's, and none
        # started on demand (libpulse's autospawn).
        ambiente["PULSE_SERVER"] = "unix:" + os.path.join(cartella.radice, "lavoro", "nessun-audio")
        ambiente.update(ambiente_extra or {})
        if "ASAN_OPTIONS" in ambiente:
            # Under the sanitizers, memory errors stop the program as usual; leaks are checked by
            # the in-process tests, because LeakSanitizer's end-of-run scan of a whole X11 program
            # (its X, D-Bus, audio and worker threads) now and then crashes its own tracer.
            # The sanitizer's strstr() measures the whole haystack at every call: libspeechd
            # parses the list of voices (thousands with espeak-ng) with one strstr() per line,
            # which takes minutes that way. The program's own code uses no strstr().
            ambiente["ASAN_OPTIONS"] += ":detect_leaks=0:intercept_strstr=0"
        self.registro = open(os.path.join(cartella.radice, "lavoro", "programma.log"), "wb")
        # Started from elsewhere: the program must find its data beside itself.
        self.processo = subprocess.Popen([cartella.eseguibile], cwd="/", env=ambiente,
                                         stdout=self.registro, stderr=subprocess.STDOUT,
                                         start_new_session=True)
        self.inizio = time.monotonic()

    def attivo(self):
        return self.processo.poll() is None

    def aspetta_uscita(self, limite=10.0):
        try:
            return self.processo.wait(limite)
        except subprocess.TimeoutExpired:
            raise Fallimento(f"il programma non è terminato entro {limite:.0f} s")

    def chiudi(self):
        if self.processo.poll() is None:
            os.killpg(self.processo.pid, signal.SIGKILL)
            self.processo.wait()
        self.registro.close()

    def uscita_verificata(self, attesa, limite=10.0):
        codice = self.aspetta_uscita(limite)
        verifica(codice >= 0, f"il programma è morto per il segnale {-codice}")
        uguale(codice, attesa, "codice di uscita")


# ---------------------------------------------------------------------------- speech


class SintesiVocale:
    """speech-dispatcher of the case's own session (with the espeak-ng output module it
    finds), started before the program so that the program's first reading finds it."""

    def __init__(self, cartella_lavoro, ambiente):
        self.pid_file = os.path.join(cartella_lavoro, "speech-dispatcher", "pid",
                                     "speech-dispatcher.pid")
        # It forks itself into the background and ends alone after two minutes unused.
        subprocess.run(["speech-dispatcher", "-t", "120"], check=True, timeout=30, env=ambiente,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        aspetta(lambda: os.path.exists(self.pid_file), "speech-dispatcher avviato", 15)

    def chiudi(self):
        try:
            with open(self.pid_file) as f:
                os.kill(int(f.read().strip()), signal.SIGTERM)
        except (OSError, ValueError):
            pass
