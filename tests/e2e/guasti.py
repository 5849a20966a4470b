"""A sound server or a speech server that fails while the pupil answers: the window never waits
for them, and a server that comes back is used again."""

import os
import signal
import time

import ascolto
import banco
from banco import aspetta, clic_centro, clic_destro, log, verifica
from sessione import caso, segnale_in


def sentito_dopo(registrazione, istante, cosa):
    """At least 0.2 s of sound in the recording after the monotonic time `istante`."""
    import numpy as np

    def secondi():
        with open(registrazione.file, "rb") as r:
            dati = r.read()
        campioni = np.frombuffer(dati[:len(dati) // 2 * 2], dtype="<i2").astype(np.float64) / 32768.0
        da = max(0, int((istante - registrazione.inizio) * ascolto.FREQUENZA))
        return sum(ascolto.durata(b) for b in ascolto.raffiche(campioni[da:]))
    aspetta(lambda: secondi() >= 0.2, cosa, 20)


@caso("guasti_server", voce=True)
def guasti_server(s):
    """speech-dispatcher killed and started again: the next reading is heard. PulseAudio
    stopped (SIGSTOP): the counters move while it is stopped, and the first answer once it
    runs again is heard. PulseAudio killed while a sound waits on it and started again five
    seconds later: the next answer is heard."""
    a = s.a
    s.vai_al_menu()
    f = s.apri("definire il segnale")
    giusta = f"Segnale {segnale_in(banco.Schermata(), a, a.per_nome(f, 'Segnale', 'image'))}"
    x, y, w, h = sbagliata = a.estensione(
        [n for n in a.cerca(f, lambda n: a.ruolo(n) == "label")
         if n.name.startswith("Segnale ") and n.name != giusta][0])
    registrazione = ascolto.Registrazione(s.audio, os.path.join(s.audio.cartella, "voce.raw"))
    for volta in ("prima", "dopo"):
        istante = time.monotonic()
        clic_destro(x + w // 2, y + h // 2)
        sentito_dopo(registrazione, istante, f"la lettura {volta} il ritorno di speech-dispatcher")
        if volta == "prima":
            with open(s.sintesi.pid_file) as p:
                os.kill(int(p.read()), signal.SIGKILL)
            os.unlink(s.sintesi.pid_file)
            time.sleep(1)
            banco.SintesiVocale(os.environ["XDG_RUNTIME_DIR"], s.audio.ambiente)  # same pid file
    registrazione.ferma()

    errati = 0

    def rispondi():
        nonlocal errati
        errati += 1
        inizio = time.monotonic()
        clic_centro(sbagliata)
        s.aspetta_contatori(f, ("0", str(errati)))
        return time.monotonic() - inizio

    def sentito(cosa):
        registrazione = ascolto.Registrazione(s.audio, os.path.join(s.audio.cartella, cosa + ".raw"))
        istante = time.monotonic()
        rispondi()
        sentito_dopo(registrazione, istante, f"la risposta {cosa}")
        registrazione.ferma()

    libero = rispondi()  # the sound server is in use
    time.sleep(1)
    server = s.audio
    os.kill(server.processo.pid, signal.SIGSTOP)
    try:
        ritardi = [rispondi() for _ in range(3)]
        verifica(server.processo.poll() is None, "il server audio non è più fermo")
    finally:
        os.kill(server.processo.pid, signal.SIGCONT)
    log(f"contatori mossi dopo {libero:.2f} s, col server audio fermo dopo "
        + ", ".join(f"{r:.2f}" for r in ritardi) + " s")
    time.sleep(1.5)  # what was asked while it was stopped is too old to play now
    sentito("col server audio ripartito")

    # Stopped once more, with a sound waiting on it, then killed: the sound is let go. Back
    # after five seconds, longer than any reconnection of Qt Multimedia's.
    os.kill(server.processo.pid, signal.SIGSTOP)
    rispondi()
    server.processo.kill()
    server.chiudi()
    time.sleep(5)
    s.audio = ascolto.ServerAudio(server.cartella)  # the same socket
    try:
        sentito("dopo il ritorno del server audio")
        s.esci_al_menu(f, prima_no=False)
        s.esci_dal_programma()
    finally:
        s.audio.chiudi()
        s.audio = server  # closed once more by the runner: nothing to do
