#!/usr/bin/python3
"""The program under stress, measured: signals in every state, a killed X server, a hung
accessibility bus, and a long session of answers with the sound on.

    bench/resistenza.py segnali [RUNS]       # SIGTERM and SIGINT in each state; X server killed RUNS times (3)
    bench/resistenza.py bus [KEYS] [STEP_MS]  # keys with the accessibility bus stopped (defaults 30, 250)
    bench/resistenza.py resistenza MINUTES    # answers in the three quizzes; VmRSS every 30 s

Each part runs the real build/cartavia through the end-to-end bench of tests/e2e (private
Xvfb with openbox, private D-Bus session with AT-SPI, the coloured test pictures), prints its
figures and exits with 1 when a promise fails: a process that outlives its signal, a key lost,
resident memory that grows. Needs Debian's python3 (pyatspi, numpy) and build/.
"""

import ctypes
import os
import select
import signal
import subprocess
import sys
import tempfile
import threading
import time

QUI = os.path.dirname(os.path.abspath(__file__))
RADICE = os.path.dirname(QUI)
E2E = os.path.join(RADICE, "tests", "e2e")
sys.path.insert(0, E2E)
import banco  # noqa: E402
from banco import Fallimento, aspetta, clic_centro, log, tasti, tasto, verifica  # noqa: E402

BUILD = os.path.join(RADICE, "build")
ESEGUIBILE = os.path.join(BUILD, "cartavia")
CACHE = os.path.join(tempfile.gettempdir(), "cartavia-resistenza-cache")
LIMITE_USCITA = 10.0  # seconds a signalled program may take before it counts as hung


# ---------------------------------------------------------------------------- outside the session

def sessione_esterna(parte, argomenti, voce=False, xvfb_in_ambiente=False):
    """A throw-away program directory, Xvfb with openbox, and inside a private D-Bus session
    this script again with --interno. Returns its exit status."""
    import e2e
    radice = tempfile.mkdtemp(prefix=f"cartavia-resistenza-{parte}-")
    display = gestore = None
    try:
        os.chmod(radice, 0o755)
        moduli = ["libcartavia_voce.so"] if voce else []
        banco.CartellaProgramma(radice, ESEGUIBILE, os.path.join(BUILD, "suoni"),
                                e2e.immagini_in_cache(CACHE), moduli=moduli)
        lavoro = os.path.join(radice, "lavoro")
        os.makedirs(lavoro, mode=0o700)
        ambiente = dict(os.environ, HOME=lavoro, XDG_RUNTIME_DIR=lavoro, PYTHONDONTWRITEBYTECODE="1")
        ambiente.pop("DBUS_SESSION_BUS_ADDRESS", None)
        ambiente.pop("SESSION_MANAGER", None)
        display = banco.Display()
        gestore = banco.GestoreFinestre(display)
        ambiente["DISPLAY"] = display.nome
        if xvfb_in_ambiente:
            ambiente["CARTAVIA_XVFB_PID"] = str(display.processo.pid)
        comando = ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__),
                   "--interno", parte, radice, *map(str, argomenti)]
        return subprocess.run(comando, env=ambiente).returncode
    finally:
        if gestore:
            gestore.chiudi()
        if display:
            display.chiudi()
        subprocess.run(["rm", "-rf", radice])


# ---------------------------------------------------------------------------- processes

def stat(pid):
    """(ppid, session) of a process, or None when it is gone."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            campi = f.read().rsplit(")", 1)[1].split()
        return int(campi[1]), int(campi[3])
    except (OSError, IndexError, ValueError):
        return None


def processi():
    return [int(p) for p in os.listdir("/proc") if p.isdigit()]


def figli(pid):
    return [p for p in processi() if (stat(p) or (None,))[0] == pid]


def nella_sessione(sid):
    return [p for p in processi() if p != sid and (stat(p) or (None, None))[1] == sid]


def riga_comando(pid):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            return f.read().replace(b"\0", b" ").decode(errors="replace").strip()
    except OSError:
        return ""


def vmrss_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for riga in f:
            if riga.startswith("VmRSS:"):
                return int(riga.split()[1]) / 1024
    raise Fallimento("VmRSS mancante")


def pile(pid):
    """Every thread's stack, from gdb."""
    uscita = subprocess.run(["gdb", "-p", str(pid), "-batch", "-ex", "thread apply all bt"],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=120)
    return uscita.stdout


def fine_misurata(programma, colpo):
    """Runs `colpo()` (which sends a signal) and waits for the program's end. Returns a dict:
    how it ended, in how many ms, and what of it is left."""
    processo = programma.processo
    pid = processo.pid
    descrittore = os.pidfd_open(pid)
    try:
        fili = len(os.listdir(f"/proc/{pid}/task"))
        figli_prima = figli(pid)
        inizio = time.monotonic()
        colpo()
        pronto, _, _ = select.select([descrittore], [], [], LIMITE_USCITA)
        ms = (time.monotonic() - inizio) * 1000
    finally:
        os.close(descrittore)
    esito = {"fili": fili, "figli": len(figli_prima), "ms": ms}
    if not pronto:
        esito["appeso"] = pile(pid)
        os.kill(pid, signal.SIGKILL)
        processo.wait()
        esito["come"] = f"HUNG after {LIMITE_USCITA:.0f} s (killed)"
        esito["rimasti"] = []
        return esito
    codice = processo.wait()
    esito["come"] = f"signal {-codice} ({signal.Signals(-codice).name})" if codice < 0 else f"status {codice}"
    time.sleep(0.2)  # a child the program left has had time to be seen
    esito["rimasti"] = sorted(set(p for p in figli_prima if stat(p)) | set(nella_sessione(pid)))
    esito["rimasti"] = [f"{p} {riga_comando(p)[:60]}" for p in esito["rimasti"]]
    return esito


# ---------------------------------------------------------------------------- pixels

class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


class Pixel:
    """Small parts of the screen read straight from the X server (a screenshot of the whole
    screen by ImageMagick takes a tenth of a second; this a millisecond)."""

    def __init__(self):
        x = self.x = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XGetImage.restype = ctypes.POINTER(_XImage)
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        self.display = x.XOpenDisplay(None)
        verifica(self.display, "XOpenDisplay")
        self.radice = x.XDefaultRootWindow(self.display)

    def regione(self, x, y, w, h):
        """The pixels as bytes, 4 per pixel (blue, green, red, unused), row after row."""
        immagine = self.x.XGetImage(self.display, self.radice, int(x), int(y), int(w), int(h),
                                    0xFFFFFFFF, 2)  # AllPlanes, ZPixmap
        verifica(immagine, "XGetImage")
        try:
            i = immagine.contents
            verifica(i.bits_per_pixel == 32, f"{i.bits_per_pixel} bit per pixel")
            righe = ctypes.string_at(i.data, i.bytes_per_line * i.height)
            return b"".join(righe[r * i.bytes_per_line:r * i.bytes_per_line + 4 * w] for r in range(h))
        finally:
            self.x.XDestroyImage(immagine)

    def colore_al_centro(self, estensione, raggio=3):
        x, y, w, h = estensione
        dati = self.regione(x + w // 2 - raggio, y + h // 2 - raggio, 2 * raggio + 1, 2 * raggio + 1)
        n = len(dati) // 4
        return tuple(round(sum(dati[c::4]) / n) for c in (2, 1, 0))


def segnale(pixel, estensione):
    return banco.segnale_del_colore(pixel.colore_al_centro(estensione))


# ---------------------------------------------------------------------------- 1. signals

def sbagliata_definizione(s, f):
    a = s.a
    n = segnale(Pixel(), a.estensione(a.per_nome(f, "Segnale", "image")))
    etichette = [e for e in a.cerca(f, lambda e: a.ruolo(e) == "label" and e.name.startswith("Segnale "))]
    return [e for e in etichette if e.name != f"Segnale {n}"][0]


def stato_definizione(s):
    s.vai_al_menu()
    f = s.apri("definire il segnale")
    clic_centro(s.a.estensione(sbagliata_definizione(s, f)))
    s.aspetta_contatori(f, ("0", "1"))
    return f


def stato_riconoscimento(s):
    a = s.a
    s.vai_al_menu()
    f = s.apri("riconoscere il segnale")
    figure = [n for n in a.cerca(f, lambda n: a.ruolo(n) == "image")]
    testo = a.uno(f, lambda n: a.ruolo(n) == "label" and n.name.startswith("Segnale "), "la descrizione")
    px = Pixel()
    sbagliata = next(fig for fig in figure if f"Segnale {segnale(px, a.estensione(fig))}" != testo.name)
    clic_centro(a.estensione(sbagliata))
    s.aspetta_contatori(f, ("0", "1"))


def stato_abbinamento(s):
    a = s.a
    s.vai_al_menu()
    f = s.apri("abbinare segnale e definizione")
    definizione = [n for n in a.cerca(f, lambda n: a.ruolo(n) == "label" and n.name.startswith("Segnale "))][0]
    clic_centro(a.estensione(definizione))  # picked up, not yet put down
    time.sleep(0.3)


def stato_puzzle(s):
    from sessione import celle_puzzle
    s.vai_al_menu()
    f = s.apri("gioca con i segnali")
    clic_centro(celle_puzzle(s.a.estensione(s.a.per_nome(f, "Puzzle")))[0])  # one tile picked out
    time.sleep(0.3)


def stato_esame(s):
    a = s.a
    s.vai_al_menu()
    f = s.apri("prova d'esame")
    tasto("v")
    aspetta(lambda: a.cerca(f, lambda n: n.name == "Domanda 1: Vero"), "la prima risposta data")


def stato_modale(s):
    a = s.a
    f = stato_definizione(s)
    clic_centro(a.estensione(a.voce_menu(f, "Esci")))
    s.messaggio("Vuoi tornare al menù?")


def stato_guida(s):
    stato_definizione(s)
    tasto("F1")
    s.app.messaggio()


def stato_lettura(s):
    import ascolto
    import numpy as np
    a = s.a
    f = stato_definizione(s)
    registrazione = ascolto.Registrazione(s.audio, os.path.join(s.audio.cartella, "lettura.raw"))
    try:
        x, y, w, h = a.estensione(sbagliata_definizione(s, f))
        banco.clic_destro(x + w // 2, y + h // 2)

        def voce():
            with open(registrazione.file, "rb") as r:
                dati = r.read()
            campioni = np.frombuffer(dati[:len(dati) // 2 * 2], dtype="<i2").astype(np.float64) / 32768.0
            return sum(ascolto.durata(b) for b in ascolto.raffiche(campioni)) >= 0.1
        aspetta(voce, "la lettura ad alta voce cominciata", 20, 0.02)
    finally:
        registrazione.processo.terminate()
        registrazione.processo.wait(5)
        registrazione.uscita.close()


STATI = [
    ("splash", lambda s: s.splash()),
    ("main menu", lambda s: s.vai_al_menu()),
    ("definition quiz, after a wrong answer", stato_definizione),
    ("recognition quiz, after a wrong answer", stato_riconoscimento),
    ("matching quiz, a definition picked up", stato_abbinamento),
    ("puzzle, a tile picked out", stato_puzzle),
    ("exam test, one answer given", stato_esame),
    ("box \"Vuoi tornare al menù?\" open", stato_modale),
    ("help (F1) open over a quiz", stato_guida),
    ("read-aloud in progress", stato_lettura),
]


def riga(cosa, esito):
    rimasti = ", ".join(esito["rimasti"]) or "none"
    return (f"| {cosa} | {esito['come']} | {esito['ms']:.1f} | {esito['fili']} | {esito['figli']} | {rimasti} |")


def interno_segnali(cartella):
    import ascolto
    from sessione import Sessione
    audio = ascolto.ServerAudio(os.path.join(cartella.radice, "lavoro", "pulse"))
    sintesi = banco.SintesiVocale(os.environ["XDG_RUNTIME_DIR"], audio.ambiente)
    ambiente = {"PULSE_SERVER": audio.ambiente["PULSE_SERVER"]}
    falliti = 0
    print("| state | signal | ended by | ms | threads | children | left behind |")
    print("|---|---|---|---:|---:|---:|---|")
    try:
        for nome, prepara in STATI:
            for colpo in (signal.SIGTERM, signal.SIGINT):
                s = Sessione(cartella, ambiente=ambiente)
                s.audio = audio
                try:
                    prepara(s)
                    time.sleep(0.2)
                    esito = fine_misurata(s.programma, lambda: os.kill(s.programma.processo.pid, colpo))
                except Fallimento as errore:
                    print(f"| {nome} | {colpo.name} | state not reached: {errore} |", flush=True)
                    falliti += 1
                    continue
                finally:
                    s.chiudi()
                print(riga(f"{nome} | {colpo.name}", esito), flush=True)
                if "appeso" in esito:
                    print(esito["appeso"])
                if "appeso" in esito or esito["rimasti"]:
                    falliti += 1
    finally:
        sintesi.chiudi()
        audio.chiudi()
    return 1 if falliti else 0


def interno_xserver(cartella, colpo):
    from sessione import Sessione
    s = Sessione(cartella)
    try:
        s.vai_al_menu()
        time.sleep(0.3)
        xvfb = int(os.environ["CARTAVIA_XVFB_PID"])
        esito = fine_misurata(s.programma, lambda: os.kill(xvfb, int(colpo)))
    finally:
        s.chiudi()
    print(riga(f"main menu | X server {signal.Signals(int(colpo)).name}", esito), flush=True)
    if "appeso" in esito:
        print(esito["appeso"])
    return 1 if "appeso" in esito or esito["rimasti"] or esito["come"] != "status 1" else 0


def segnali(volte):
    codice = sessione_esterna("segnali", [], voce=True)
    for colpo in (signal.SIGTERM, signal.SIGKILL):
        for _ in range(volte):
            codice |= sessione_esterna("xserver", [int(colpo)], xvfb_in_ambiente=True)
    return codice


# ---------------------------------------------------------------------------- 2. the accessibility bus

def bus_accessibilita():
    """The dbus-daemon that at-spi-bus-launcher started for this session's accessibility bus:
    the launcher is the one that the session bus of this script started (its environment names
    that bus), the daemon is its child."""
    indirizzo = os.environ["DBUS_SESSION_BUS_ADDRESS"].encode()
    for lanciatore in processi():
        if "at-spi-bus-launcher" not in riga_comando(lanciatore):
            continue
        try:
            with open(f"/proc/{lanciatore}/environ", "rb") as f:
                variabili = f.read().split(b"\0")
        except OSError:
            continue
        if not any(v.endswith(b"=" + indirizzo) for v in variabili):
            continue
        for demone in figli(lanciatore):
            if "dbus-daemon" in riga_comando(demone):
                return demone
    raise Fallimento("nessun bus di accessibilità per questa sessione D-Bus")


def latenza(px, regione, premi, limite):
    """Seconds from the key until the region's pixels change, or None."""
    prima = px.regione(*regione)
    inizio = time.monotonic()
    premi()
    while time.monotonic() - inizio < limite:
        if px.regione(*regione) != prima:
            return time.monotonic() - inizio
        time.sleep(0.001)
    return None


def mediana(valori):
    v = sorted(valori)
    return v[len(v) // 2] if len(v) % 2 else (v[len(v) // 2 - 1] + v[len(v) // 2]) / 2


def interno_bus(cartella, quanti, passo_ms):
    from sessione import Sessione
    from tastiera import apri_con_tastiera, stessa
    s = Sessione(cartella, eventi=True)
    try:
        a = s.a
        s.splash()
        tasto("Return")
        s.menu()
        f = apri_con_tastiera(s, "definire il segnale")
        etichette = sorted([n for n in a.cerca(f, lambda n: n.name.startswith("Segnale ") and a.ruolo(n) == "label"
                            and a.visibile(n))], key=lambda n: a.estensione(n)[1])
        verifica(len(etichette) == 6, "sei descrizioni")
        s.aspetta_fuoco(lambda n: stessa(a, n, etichette[0]), "la prima descrizione")
        px = Pixel()
        n = segnale(px, a.estensione(a.per_nome(f, "Segnale", "image")))
        k = [e.name for e in etichette].index(f"Segnale {n}")
        sbagliata = next(i for i in range(6) if i != k)
        tasti(*["Down"] * sbagliata)
        s.aspetta_fuoco(lambda n_: stessa(a, n_, etichette[sbagliata]), "una descrizione sbagliata")
        errati = max((e for e in a.cerca(f, lambda e: e.name == "Errati" and a.ruolo(e) == "label")),
                     key=lambda e: a.estensione(e)[0])
        regione = a.estensione(errati)
        demone = bus_accessibilita()
        log(f"bus di accessibilità: pid {demone}: {riga_comando(demone)}")

        def giro():
            ritardi = []
            prossimo = time.monotonic()
            for _ in range(quanti):
                time.sleep(max(0.0, prossimo - time.monotonic()))
                prossimo += passo_ms / 1000
                ritardi.append(latenza(px, regione, lambda: tasto("space"), 5.0))
            return ritardi

        liberi = giro()
        s.aspetta_contatori(f, ("0", str(quanti)))
        os.kill(demone, signal.SIGSTOP)
        try:
            verifica(stat(demone) is not None, "il bus di accessibilità è terminato")
            fermi = giro()
            # Then to the right description and Return: a lost arrow answers a wrong one.
            passi = ["Down"] * (k - sbagliata) if k > sbagliata else ["Up"] * (sbagliata - k)
            for chiave in passi + ["Return"]:
                time.sleep(passo_ms / 1000)
                tasto(chiave)
            time.sleep(1.0)
        finally:
            os.kill(demone, signal.SIGCONT)
        atteso = ("1", str(2 * quanti))
        try:
            aspetta(lambda: s.contatori(f) == atteso, f"contatori {atteso}", 30)
            avanti = a.attivo(a.pulsante(f, "avanti"))
        except Fallimento:
            avanti = None
        letto = s.contatori(f)
    finally:
        s.chiudi()
    print(f"{quanti} Space presses on a wrong description, {passo_ms} ms apart; then "
          f"{len(passi)} arrows and Return on the right one with the bus still stopped")
    print("| accessibility bus | keys | counter changed | median ms | p90 ms | max ms |")
    print("|---|---:|---:|---:|---:|---:|")
    for nome, ritardi in (("running", liberi), ("stopped (SIGSTOP)", fermi)):
        visti = [r * 1000 for r in ritardi if r is not None]
        p90 = sorted(visti)[int(0.9 * (len(visti) - 1))] if visti else float("nan")
        print(f"| {nome} | {len(ritardi)} | {len(visti)} | {mediana(visti) if visti else float('nan'):.1f} | "
              f"{p90:.1f} | {max(visti) if visti else float('nan'):.1f} |")
    differenza = mediana([r * 1000 for r in fermi if r]) - mediana([r * 1000 for r in liberi if r])
    print(f"delay a key with the bus stopped: {differenza:+.1f} ms (median against median)")
    print(f"after SIGCONT: counters (Esatti, Errati) {letto}, expected {atteso}; \"avanti\" enabled: {avanti}")
    return 0 if letto == atteso and avanti else 1


# ---------------------------------------------------------------------------- 3. the long session

# The category items of the definition and recognition quizzes; the matching quiz spells two
# of them its own way.
CATEGORIE = ["segnali di pericolo", "segnali di precedenza", "Segnali di divieto",
             "segnali di fermata, sosta e parcheggio", "segnali di obbligo", "segnali di indicazione",
             "tutti i segnali"]
CATEGORIE_ABBINAMENTO = [{"Segnali di divieto": "segnali di divieto",
                          "segnali di fermata, sosta e parcheggio": "segnali di fermata, di sosta e parcheggio"}
                         .get(c, c) for c in CATEGORIE]


class Soak:
    def __init__(self, s, fine):
        self.s, self.a, self.fine = s, s.a, fine
        self.px = Pixel()
        self.risposte = 0
        self.inattesi = 0
        self.esercizi = 0
        self.cambi = 0
        self.doppi = 0  # exercises that show one sign's text (or picture) twice
        self.campioni = []  # (seconds, answers, MB)
        self.ultime = []  # the last actions, for the report of a failure
        self.pid = s.programma.processo.pid
        self.inizio = time.monotonic()
        self.ferma = threading.Event()
        self.campiona()
        self.filo = threading.Thread(target=self.campionatore, daemon=True)
        self.filo.start()

    def campiona(self):
        self.campioni.append((time.monotonic() - self.inizio, self.risposte, vmrss_mb(self.pid)))

    def campionatore(self):
        while not self.ferma.wait(30):
            try:
                self.campiona()
                t, r, mb = self.campioni[-1]
                log(f"{t / 60:.1f} min: {r} risposte, VmRSS {mb:.1f} MB")
            except (OSError, Fallimento):
                return

    def finito(self):
        return time.monotonic() >= self.fine

    def contatori(self, nodi):
        return tuple(int(n.description) for n in nodi)

    def nodi_contatori(self, f):
        a = self.a
        return [max(a.cerca(f, lambda n: n.name == nome and a.ruolo(n) == "label"),
                    key=lambda n: a.estensione(n)[0]) for nome in ("Esatti", "Errati")]

    def annota(self, *cosa):
        self.ultime = (self.ultime + [f"{time.monotonic() - self.inizio:.2f} s: " + " ".join(map(str, cosa))])[-12:]

    def diagnosi(self, errore):
        """What the program and the screen were like when the driver gave up."""
        log(f"FALLIMENTO: {errore}")
        for riga in self.ultime:
            log("  " + riga)
        try:
            with open(f"/proc/{self.pid}/stat") as f:
                stato = f.read().rsplit(")", 1)[1].split()[0]
            with open(f"/proc/{self.pid}/wchan") as f:
                log(f"processo {self.pid}: stato {stato}, wchan {f.read()}")
        except OSError as e:
            log(f"processo {self.pid}: {e}")
        immagine = os.path.join(tempfile.gettempdir(), f"cartavia-resistenza-{os.getpid()}.png")
        subprocess.run(["import", "-silent", "-window", "root", immagine], timeout=20)
        log(f"schermata: {immagine}")
        try:
            log("finestre:", [(self.a.ruolo(f), f.name) for f in self.s.app.finestre()])
        except Exception as e:
            log(f"AT-SPI non risponde: {e!r}")
        testo = pile(self.pid)
        file_pile = os.path.join(tempfile.gettempdir(), f"cartavia-resistenza-{os.getpid()}-pile.txt")
        with open(file_pile, "w") as f:
            f.write(testo)
        log(f"pile dei thread: {file_pile}")

    def risposta(self, estensione, nodi, giusta):
        """A click that the counters must count: right or wrong as expected."""
        prima = self.contatori(nodi)
        self.annota("clic", estensione, "giusta" if giusta else "sbagliata", "contatori", prima)
        clic_centro(estensione)
        try:
            dopo = aspetta(lambda: (lambda c: c if c != prima else None)(self.contatori(nodi)),
                           "i contatori dopo una risposta", 10, 0.01)
        except Fallimento as errore:
            self.diagnosi(errore)
            raise
        self.risposte += 1
        if dopo != (prima[0] + giusta, prima[1] + (not giusta)):
            self.inattesi += 1
        return dopo[0] > prima[0]

    def categoria(self, f, voci=CATEGORIE):
        self.annota("categoria", voci[self.cambi % len(voci)])
        self.s.scegli_categoria(f, voci[self.cambi % len(voci)])
        self.cambi += 1

    def prossimo(self, avanti):
        self.annota("avanti")
        clic_centro(self.a.estensione(avanti))
        aspetta(lambda: not self.a.attivo(avanti), "\"avanti\" disattivo", 10, 0.01)
        time.sleep(0.03)  # the new picture painted
        self.esercizi += 1

    def esercizio(self, volta, posti, valori, giusto, nodi, avanti):
        """One exercise of the six answers `valori` at `posti`, `giusto` the right one: in every
        other exercise a wrong answer first (never a copy of the right one), then the right one,
        then "avanti"."""
        giusta = valori.index(giusto) if giusto in valori else 0
        self.doppi += len(set(valori)) < 6
        altre = [i for i in range(6) if valori[i] != valori[giusta]]
        if volta % 2 and self.risposta(posti[altre[volta % len(altre)]], nodi, False):
            self.prossimo(avanti)  # the "wrong" one was right after all
        elif self.risposta(posti[giusta], nodi, True):
            self.prossimo(avanti)

    def definizione(self, quanti):
        a = self.a
        f = self.s.apri("definire il segnale")
        nodi = self.nodi_contatori(f)
        etichette = [n for n in a.cerca(f, lambda n: a.ruolo(n) == "label" and n.name.startswith("Segnale "))]
        posti = [a.estensione(e) for e in etichette]
        figura = a.estensione(a.per_nome(f, "Segnale", "image"))
        avanti = a.pulsante(f, "avanti")
        for volta in range(quanti):
            if self.finito():
                break
            if volta % 8 == 7:
                self.categoria(f)
            n = segnale(self.px, figura)
            nomi = [e.name for e in etichette]
            self.annota("definizione", volta, "figura", n, nomi)
            self.esercizio(volta, posti, nomi, f"Segnale {n}", nodi, avanti)
        self.s.esci_al_menu(f, prima_no=False)

    def riconoscimento(self, quanti):
        a = self.a
        f = self.s.apri("riconoscere il segnale")
        nodi = self.nodi_contatori(f)
        figure = [a.estensione(n) for n in a.cerca(f, lambda n: a.ruolo(n) == "image")]
        testo = a.uno(f, lambda n: a.ruolo(n) == "label" and n.name.startswith("Segnale "), "la descrizione")
        avanti = a.pulsante(f, "avanti")
        for volta in range(quanti):
            if self.finito():
                break
            if volta % 8 == 7:
                self.categoria(f)
            n = int(testo.name.split()[1])
            mostrati = [segnale(self.px, e) for e in figure]
            self.annota("riconoscimento", volta, "testo", n, "figure", mostrati)
            self.esercizio(volta, figure, mostrati, n, nodi, avanti)
        self.s.esci_al_menu(f, prima_no=False)

    def abbinamento(self, quanti):
        a = self.a
        f = self.s.apri("abbinare segnale e definizione")
        figure = [a.estensione(n) for n in sorted(a.cerca(f, lambda n: a.ruolo(n) == "image"), key=lambda n: n.name)]
        caselle = [a.estensione(n) for n in sorted(a.cerca(f, lambda n: n.name.startswith("Casella ")),
                                                     key=lambda n: n.name)]
        avanti = a.pulsante(f, "avanti")
        area = a.estensione(a.uno(f, lambda n: a.ruolo(n) == "filler", "area della finestra"))
        giuste = errate = 0

        def nero():
            x, y, _, _ = area
            return banco.distanza(self.px.colore_al_centro((x + 3, y + 4, 1, 1), 1), (0, 0, 0)) < 10 ** 2

        for volta in range(quanti):
            if self.finito():
                break
            if volta % 8 == 7:
                self.categoria(f, CATEGORIE_ABBINAMENTO)
            segnali = [segnale(self.px, e) for e in figure]
            definizioni = {int(n.name.split()[1]): n for n in a.cerca(
                f, lambda n: a.ruolo(n) == "label" and n.name.startswith("Segnale ") and a.visibile(n))}
            self.doppi += len(set(segnali)) < 3
            if sorted(definizioni) != sorted(segnali):
                self.annota("abbinamento", volta, "figure", segnali, "definizioni", sorted(definizioni))
                self.inattesi += 1
                time.sleep(0.1)
                continue
            if volta % 2:  # the first definition into the second box: wrong
                clic_centro(a.estensione(definizioni[segnali[0]]))
                clic_centro(caselle[1])
                aspetta(nero, "lo sfondo nero dopo un abbinamento sbagliato", 10, 0.01)
                self.risposte += 1
                errate += 1
            for k in (2, 0, 1):
                d = definizioni[segnali[k]]
                clic_centro(a.estensione(d))
                clic_centro(caselle[k])
                aspetta(lambda: not a.visibile(d), "la definizione nella sua casella", 10, 0.01)
                self.risposte += 1
            giuste += 1
            aspetta(lambda: a.visibile(avanti), "\"avanti\" visibile", 10, 0.01)
            clic_centro(a.estensione(avanti))
            aspetta(lambda: not a.visibile(avanti), "un esercizio nuovo", 10, 0.01)
            time.sleep(0.03)
            self.esercizi += 1
        # The score the program kept for this visit.
        clic_centro(a.estensione(a.voce_menu(f, "Esercizi eseguiti" + " " * 11)))
        _, testo = self.s.app.messaggio()
        tasto("Return")
        aspetta(lambda: not [w for w in self.s.app.finestre() if a.ruolo(w) in ("alert", "dialog")],
                "il messaggio chiuso")
        if testo != f"hai eseguito  {giuste} esercizi esatti con  {errate} errori":
            log(f"punteggio dell'abbinamento: {testo!r}, contati {giuste} esatti e {errate} errori")
            self.inattesi += 1
        self.s.esci_al_menu(f, prima_no=False)


def interno_resistenza(cartella, minuti):
    import ascolto
    from sessione import Sessione
    audio = ascolto.ServerAudio(os.path.join(cartella.radice, "lavoro", "pulse"))
    s = None
    try:
        s = Sessione(cartella, ambiente={"PULSE_SERVER": audio.ambiente["PULSE_SERVER"]})
        s.vai_al_menu()
        time.sleep(3)
        prova = Soak(s, time.monotonic() + minuti * 60)
        fallito = None
        try:
            while not prova.finito():
                for attivita in (prova.definizione, prova.riconoscimento, prova.abbinamento):
                    if not prova.finito():
                        attivita(24)
        except Fallimento as errore:
            fallito = errore
        prova.ferma.set()
        try:
            prova.campiona()
        except OSError:  # the program is gone
            pass
        durata = time.monotonic() - prova.inizio
        if not fallito:
            s.esci_dal_programma()
    finally:
        if s:
            s.chiudi()
        audio.chiudi()
    c = prova.campioni
    import numpy as np
    risposte = np.array([r for _, r, _ in c], dtype=float)
    mb = np.array([m for _, _, m in c])
    # After the first round of the three quizzes every picture size and font is loaded: the
    # slope is taken from then on.
    caldi = np.array([t >= 120 for t, _, _ in c])
    pendenza = (np.polyfit(risposte[caldi], mb[caldi], 1)[0] * 1000 if caldi.sum() > 2
                and np.ptp(risposte[caldi]) > 0 else float("nan"))
    dopo_giro = list(mb[caldi]) or [mb[-1]]
    print(f"exercises showing a sign twice: {prova.doppi}")
    print("| minutes | answers | exercises | category changes | unexpected verdicts | RSS start MB | "
          "RSS at 2 min MB | RSS end MB | largest MB | slope from 2 min, MB per 1000 answers |")
    print("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|")
    print(f"| {durata / 60:.1f} | {prova.risposte} | {prova.esercizi} | {prova.cambi} | {prova.inattesi} | "
          f"{mb[0]:.1f} | {dopo_giro[0]:.1f} | {mb[-1]:.1f} | {mb.max():.1f} | {pendenza:+.2f} |")
    print("samples (minutes, answers, MB): " + ", ".join(f"{t / 60:.1f} {r} {m:.1f}" for t, r, m in c))
    crescita = mb[-1] - dopo_giro[0]
    print(f"growth after the first 2 minutes: {crescita:+.1f} MB")
    if fallito:
        print(f"FAILED after {durata / 60:.1f} minutes: {fallito}")
        return 1
    print("the program exited with status 0 by \"Esci\"")
    return 0 if crescita < 2.0 and prova.inattesi == 0 else 1


# ---------------------------------------------------------------------------- main

def main():
    argomenti = sys.argv[1:]
    if argomenti[:1] == ["--interno"]:
        parte, radice, resto = argomenti[1], argomenti[2], argomenti[3:]
        cartella = banco.CartellaProgramma.esistente(radice)
        try:
            if parte == "segnali":
                return interno_segnali(cartella)
            if parte == "xserver":
                return interno_xserver(cartella, resto[0])
            if parte == "bus":
                return interno_bus(cartella, int(resto[0]), int(resto[1]))
            if parte == "resistenza":
                return interno_resistenza(cartella, float(resto[0]))
        except Fallimento as errore:
            print(f"FAILED: {errore}", flush=True)
            return 1
        raise SystemExit(f"parte sconosciuta {parte}")
    if not argomenti or argomenti[0] not in ("segnali", "bus", "resistenza"):
        raise SystemExit(__doc__)
    verifica(os.path.exists(ESEGUIBILE), f"manca {ESEGUIBILE}: compila prima")
    print(f"{time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())}, load average "
          f"{' '.join(f'{v:.2f}' for v in os.getloadavg())}, {os.cpu_count()} cores", flush=True)
    if argomenti[0] == "segnali":
        return segnali(int(argomenti[1]) if len(argomenti) > 1 else 3)
    if argomenti[0] == "bus":
        return sessione_esterna("bus", [int(argomenti[1]) if len(argomenti) > 1 else 30,
                                        int(argomenti[2]) if len(argomenti) > 2 else 250])
    return sessione_esterna("resistenza", [float(argomenti[1]) if len(argomenti) > 1 else 20])


if __name__ == "__main__":
    sys.exit(main())
