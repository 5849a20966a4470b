"""Listening to the program: a private PulseAudio server with a null sink, the sink's monitor
recorded with parec, and the recording cut into bursts of sound that are matched against the
WAV files the program plays.

Shared by the e2e case `suoni_ogni_risposta` and by bench/suoni.py. Needs pulseaudio,
parec (pulseaudio-utils) and numpy (python3-numpy).
"""

import os
import shutil
import subprocess
import time
import wave

from banco import termina

FREQUENZA = 22050  # the recording: mono, 16 bit, the rate of the program's sounds
SINK = "cartavia_prova"


def mancante():
    """What is missing to listen, or None."""
    for programma in ("pulseaudio", "parec", "pactl"):
        if not shutil.which(programma):
            return f"manca {programma}"
    try:
        import numpy  # noqa: F401
    except ImportError:
        return "manca numpy (pacchetto python3-numpy)"
    return None


class ServerAudio:
    """PulseAudio with one null sink, for this session only: its own runtime folder and
    socket, no configuration files read, no other client can reach it by chance."""

    def __init__(self, cartella):
        self.cartella = cartella
        os.makedirs(cartella, mode=0o700, exist_ok=True)
        self.socket = os.path.join(cartella, "native")
        self.ambiente = dict(os.environ, PULSE_SERVER=f"unix:{self.socket}",
                             PULSE_RUNTIME_PATH=cartella, PULSE_STATE_PATH=cartella,
                             PULSE_CONFIG_PATH=cartella)
        self.ambiente.pop("PULSE_SINK", None)
        self.registro = open(os.path.join(cartella, "pulseaudio.log"), "wb")
        self.processo = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
             "--disallow-exit", "--realtime=no", "--high-priority=no", "--log-target=stderr",
             "-L", f"module-null-sink sink_name={SINK}",
             "-L", f"module-native-protocol-unix socket={self.socket} auth-anonymous=1"],
            env=self.ambiente, stdout=self.registro, stderr=subprocess.STDOUT)
        fine = time.monotonic() + 15
        while True:
            if self.processo.poll() is not None:
                self.registro.flush()
                with open(self.registro.name, errors="replace") as f:
                    raise RuntimeError("pulseaudio non parte:\n" + f.read()[-2000:])
            if os.path.exists(self.socket) and subprocess.run(
                    ["pactl", "info"], env=self.ambiente, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL, timeout=10).returncode == 0:
                break
            if time.monotonic() > fine:
                self.chiudi()
                raise RuntimeError("pulseaudio non risponde entro 15 s")
            time.sleep(0.05)
        subprocess.run(["pactl", "set-default-sink", SINK], env=self.ambiente, check=True,
                       timeout=10)

    def chiudi(self):
        termina(self.processo)
        self.registro.close()


class Registrazione:
    """parec on the null sink's monitor, raw mono 16-bit samples into a file."""

    def __init__(self, server, file):
        self.file = file
        self.uscita = open(file, "wb")
        self.processo = subprocess.Popen(
            ["parec", "-d", f"{SINK}.monitor", "--raw", "--format=s16le", "--channels=1",
             f"--rate={FREQUENZA}", "--latency-msec=20"],
            env=server.ambiente, stdout=self.uscita, stderr=subprocess.DEVNULL)
        # Recording has begun once the first silent samples arrive.
        fine = time.monotonic() + 10
        while os.path.getsize(file) < FREQUENZA // 10:
            if self.processo.poll() is not None or time.monotonic() > fine:
                raise RuntimeError("parec non registra")
            time.sleep(0.02)
        # The monotonic clock at the recording's first sample, roughly (to within the
        # monitor's latency): for relating a burst to the moment a sound was asked for.
        self.inizio = time.monotonic() - os.path.getsize(file) / 2 / FREQUENZA

    def ferma(self):
        """Stops recording; returns the samples as floats, full scale 1."""
        import numpy as np
        time.sleep(0.3)  # the last sound's tail through the sink's latency
        self.processo.terminate()
        self.processo.wait(5)
        self.uscita.close()
        with open(self.file, "rb") as f:
            dati = f.read()
        return np.frombuffer(dati[:len(dati) // 2 * 2], dtype="<i2").astype(np.float64) / 32768.0


def leggi_wav(file):
    import numpy as np
    with wave.open(file) as w:
        assert w.getnchannels() == 1 and w.getsampwidth() == 2 and w.getframerate() == FREQUENZA, file
        dati = w.readframes(w.getnframes())
    return np.frombuffer(dati, dtype="<i2").astype(np.float64) / 32768.0


# ---------------------------------------------------------------------------- analysis

FINESTRA = 0.005  # seconds: the loudness is measured in windows this long
SOGLIA = 0.004    # RMS, full scale 1: about -48 dBFS; the sounds peak at -4.4 dBFS
PAUSA = 0.06      # seconds of quiet that separate two bursts


def raffiche(campioni, soglia=SOGLIA):
    """[(start, end)] in samples of every burst of sound: windows louder than `soglia`,
    joined across pauses shorter than PAUSA."""
    import numpy as np
    n = int(FINESTRA * FREQUENZA)
    finestre = len(campioni) // n
    if finestre == 0:
        return []
    rms = np.sqrt((campioni[:finestre * n].reshape(finestre, n) ** 2).mean(axis=1))
    forti = np.flatnonzero(rms > soglia)
    risultato = []
    for w in forti:
        if risultato and w - risultato[-1][1] <= PAUSA / FINESTRA:
            risultato[-1][1] = w + 1
        else:
            risultato.append([w, w + 1])
    return [(a * n, b * n) for a, b in risultato]


def durata(intervallo):
    return (intervallo[1] - intervallo[0]) / FREQUENZA


def altezza(campioni):
    """The strongest frequency, Hz (FFT with a Hann window, padded to a 1 Hz grid)."""
    import numpy as np
    spettro = np.abs(np.fft.rfft(campioni * np.hanning(len(campioni)), n=FREQUENZA))
    spettro[:50] = 0  # no pitch below 50 Hz
    return float(np.argmax(spettro))


def cerca(campioni, modello, da, a):
    """Where `modello` best matches `campioni` with its start between sample `da` and sample
    `a`: (start, normalised cross-correlation, 1 for the same waveform alone)."""
    import numpy as np
    da = max(da, 0)
    x = np.concatenate([campioni, np.zeros(len(modello) + max(a - len(campioni), 0))])
    x = x[da:a + len(modello)]
    prodotto = np.correlate(x, modello, mode="valid")
    energia = np.convolve(x ** 2, np.ones(len(modello)), mode="valid")
    valori = prodotto / np.maximum(np.sqrt(energia * float(modello @ modello)), 1e-12)
    migliore = int(np.argmax(valori))
    return da + migliore, float(valori[migliore])


def somiglianza(campioni, modello, scarto=0.03):
    """Best normalised cross-correlation of `modello` against `campioni` starting within
    `scarto` seconds of the start of `campioni` (1: the same waveform)."""
    import numpy as np
    margine = int(scarto * FREQUENZA)
    x = np.concatenate([np.zeros(margine), campioni])
    return cerca(x, modello, 0, 2 * margine)[1]


class Modello:
    """One of the program's WAV files as the recording should show it."""

    def __init__(self, file):
        self.nome = os.path.basename(file)
        self.campioni = leggi_wav(file)
        ff = raffiche(self.campioni)
        assert len(ff) == 1, f"{self.nome}: {len(ff)} raffiche nel file stesso"
        self.inizio, self.fine = ff[0]
        self.durata = durata(ff[0])
        self.altezza = altezza(self.campioni[self.inizio:self.fine])

    def confronta(self, campioni):
        """Similarity of the start of `campioni` (a burst) with this sound."""
        return somiglianza(campioni, self.campioni[self.inizio:self.fine])

    def cerca(self, campioni, da, a):
        """(start, similarity) of this sound in `campioni`, starting between da and a seconds."""
        inizio, valore = cerca(campioni, self.campioni[self.inizio:self.fine],
                               int(da * FREQUENZA), int(a * FREQUENZA))
        return inizio / FREQUENZA, valore


def descrivi(campioni, intervallo, modelli):
    """Length, pitch and best-matching model of one burst, as a dict."""
    a, b = intervallo
    pezzo = campioni[a:b]
    punteggi = {m.nome: m.confronta(pezzo) for m in modelli}
    migliore = max(punteggi, key=punteggi.get)
    return {"inizio": a / FREQUENZA, "durata": durata(intervallo), "altezza": altezza(pezzo),
            "suono": migliore, "somiglianza": punteggi[migliore]}
