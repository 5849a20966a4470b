"""A sound server or a speech server that fails while the pupil answers: the window never waits
for them, and a server that comes back is used again."""

import os
import signal
import time

import ascolto
import banco
from banco import aspetta, clic_centro, clic_destro, log, verifica
from sessione import caso, segnale_in


def suono_dopo(registrazione, istante):
    """Seconds of sound in the recording from the monotonic time `istante` on."""
    import numpy as np
    with open(registrazione.file, "rb") as r:
        dati = r.read()
    campioni = np.frombuffer(dati[:len(dati) // 2 * 2], dtype="<i2").astype(np.float64) / 32768.0
    da = max(0, int((istante - registrazione.inizio) * ascolto.FREQUENZA))
    return sum(ascolto.durata(b) for b in ascolto.raffiche(campioni[da:]))


def sentito_dopo(registrazione, istante, cosa, minimo=0.2):
    aspetta(lambda: suono_dopo(registrazione, istante) >= minimo, cosa, 20)


def vivo(pid):
    try:
        with open(f"/proc/{pid}/stat") as stato:
            return stato.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def descrizione(s, f):
    """A wrong description in the definition quiz."""
    a = s.a
    figura = a.per_nome(f, "Segnale", "image")
    giusto = f"Segnale {segnale_in(banco.Schermata(), a, figura)}"
    return [n for n in a.cerca(f, lambda n: a.ruolo(n) == "label" and n.name.startswith("Segnale "))
            if n.name != giusto][0]


@caso("guasti_suono", audio=True)
def guasti_suono(s):
    """A stopped sound server: the counters move while it is stopped. A server killed and
    started again: the next answer is heard. (Qt 6.4 connects again once, three seconds after
    the server went away, and gives up if it is not back by then.)"""
    s.vai_al_menu()
    f = s.apri("definire il segnale")
    sbagliata = s.a.estensione(descrizione(s, f))
    errati = 0

    def rispondi():
        nonlocal errati
        errati += 1
        inizio = time.monotonic()
        clic_centro(sbagliata)
        s.aspetta_contatori(f, ("0", str(errati)))
        return time.monotonic() - inizio

    rispondi()  # the sound server is in use
    time.sleep(1)
    server = s.audio
    os.kill(server.processo.pid, signal.SIGSTOP)
    try:
        ritardi = [rispondi() for _ in range(3)]
        verifica(server.processo.poll() is None, "il server audio non è più fermo")
    finally:
        os.kill(server.processo.pid, signal.SIGCONT)
    log("server audio fermo: contatori mossi dopo " + ", ".join(f"{r:.2f}" for r in ritardi) + " s")

    time.sleep(2)  # the server catches up with what it was asked while stopped
    server.processo.kill()
    server.chiudi()
    time.sleep(1.5)
    s.audio = ascolto.ServerAudio(server.cartella)  # the same socket
    try:
        registrazione = ascolto.Registrazione(s.audio, os.path.join(server.cartella, "dopo.raw"))
        istante = time.monotonic()
        rispondi()
        sentito_dopo(registrazione, istante, "la risposta dopo il ritorno del server audio")
        registrazione.ferma()
        s.esci_al_menu(f, prima_no=False)
        s.esci_dal_programma()
    finally:
        s.audio.chiudi()
        s.audio = server  # closed once more by the runner: nothing to do


@caso("guasti_voce", voce=True)
def guasti_voce(s):
    """speech-dispatcher killed and started again: the next reading is heard."""
    s.vai_al_menu()
    f = s.apri("definire il segnale")
    x, y, w, h = s.a.estensione(descrizione(s, f))
    registrazione = ascolto.Registrazione(s.audio, os.path.join(s.audio.cartella, "voce.raw"))
    istante = time.monotonic()
    clic_destro(x + w // 2, y + h // 2)
    sentito_dopo(registrazione, istante, "la prima lettura")

    with open(s.sintesi.pid_file) as p:
        pid = int(p.read().strip())
    os.kill(pid, signal.SIGKILL)
    aspetta(lambda: not vivo(pid), "speech-dispatcher terminato", 10)
    os.unlink(s.sintesi.pid_file)
    time.sleep(1)
    s.sintesi = banco.SintesiVocale(os.environ["XDG_RUNTIME_DIR"], s.audio.ambiente)
    time.sleep(1)
    istante = time.monotonic()
    clic_destro(x + w // 2, y + h // 2)
    sentito_dopo(registrazione, istante, "la lettura dopo il ritorno di speech-dispatcher")
    registrazione.ferma()
    s.esci_al_menu(f, prima_no=False)
    s.esci_dal_programma()
