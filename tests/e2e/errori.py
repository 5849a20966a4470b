"""Bad data: every failure ends in the one message box and exit status 1."""

import os
import shutil
import time

import banco
from banco import clic_centro, log, tasto, uguale, verifica
from sessione import caso, segnale_in


def catalogo_enorme_buono(c):
    banco.scrivi_catalogo(c.file("lista.txt"))
    with open(c.file("lista.txt"), "ab") as f:
        riga = b"Altro testo che il programma non legge mai\r\n"
        pezzo = riga * ((1 << 20) // len(riga))
        for _ in range(200):
            f.write(pezzo)


def catalogo_pipe(c):
    # A named pipe that nobody writes to: opening it for reading would wait forever.
    os.remove(c.file("lista.txt"))
    os.mkfifo(c.file("lista.txt"))


def immagini_pipe(c):
    # Every picture a symbolic link to one named pipe.
    os.mkfifo(c.file("pipe"))
    for nome in os.listdir(c.file("jpg")):
        os.remove(c.file("jpg", nome))
        os.symlink(os.path.join("..", "pipe"), c.file("jpg", nome))


def catalogo_illeggibile(c):
    os.chmod(c.file("lista.txt"), 0)


def immagini_illeggibili(c):
    for nome in os.listdir(c.file("jpg")):
        os.chmod(c.file("jpg", nome), 0)


def senza_suoni(c):
    shutil.rmtree(c.file("suoni"))


def errore_atteso(s, causa, file=None, prefisso_file=None, dietro=()):
    """The one box titled Cartavia, naming cause and file, alone on the screen but for the
    windows named in `dietro`; a real key press answers it and the program ends with status 1."""
    finestra, testo = s.app.messaggio(20)
    uguale(finestra.name, "Cartavia", "titolo della finestra di messaggio")
    uguale(sorted(f.name for f in s.app.finestre() if f != finestra), sorted(dietro),
           "sullo schermo c'è solo la finestra di messaggio (e ciò che le sta dietro)")
    uguale(len([f for f in s.app.finestre() if s.a.ruolo(f) == "alert"]), 1,
           "una sola finestra di messaggio")
    righe = testo.split("\n")
    uguale(len(righe), 3, f"il testo è causa, riga vuota, file: {testo!r}")
    uguale(righe[0], causa, "causa")
    uguale(righe[1], "", "riga vuota")
    if file is not None:
        uguale(righe[2], s.cartella.file(file), "file nominato")
    if prefisso_file is not None:
        verifica(righe[2].startswith(s.cartella.file(prefisso_file)) and righe[2].endswith(".jpg"),
                 f"file nominato {righe[2]!r}")
    log("messaggio:", repr(testo), f"dopo {time.monotonic() - s.programma.inizio:.2f} s")
    tasto("Return")
    s.programma.uscita_verificata(1, 10)
    return righe[2]


def caso_errore(nome, prepara, causa, file=None, prefisso_file=None, come_nessuno=False):
    caso(nome, come_nessuno, prepara)(lambda s: errore_atteso(s, causa, file, prefisso_file))


# The reader's causes are rows of tst_catalogo and tst_applicazione; here, the way of one of
# them with the real program, and what only the real program shows: a named pipe that nobody
# writes to, and files that the user may not read.
caso_errore("dati_senza_lista", lambda c: os.remove(c.file("lista.txt")), "File non trovato", "lista.txt")
caso_errore("dati_lista_pipe", catalogo_pipe, "Impossibile leggere il file", "lista.txt")
caso_errore("dati_immagini_pipe", immagini_pipe, "Impossibile leggere il file", prefisso_file="jpg/")
caso_errore("dati_lista_illeggibile", catalogo_illeggibile, "Impossibile leggere il file",
            "lista.txt", come_nessuno=True)
caso_errore("dati_immagini_illeggibili", immagini_illeggibili, "Impossibile leggere il file",
            prefisso_file="jpg/", come_nessuno=True)


@caso("dati_immagini_tolte_dal_menu")
def immagini_tolte_dal_menu(s):
    """The pictures go while the menu is open: the quiz that a click opens fails inside a
    button's slot, and that failure still ends in the one box and exit status 1."""
    s.vai_al_menu()
    # Moved out of the program directory, and back once the program has ended, so that the
    # directory is as it was.
    jpg = s.cartella.file("jpg")
    tempi = os.stat(jpg)
    altrove = jpg.rstrip("/") + ".via"
    os.rename(jpg, altrove)
    try:
        menu = s.menu()
        clic_centro(s.a.estensione(s.a.pulsante(menu, "definire il segnale")))
        # The menu that asked for the quiz stays behind the box until the program ends.
        return errore_atteso(s, "File non trovato", prefisso_file="jpg/",
                             dietro=["Cartavia: menù principale"])
    finally:
        os.rename(altrove, jpg)
        os.utime(jpg, ns=(tempi.st_atime_ns, tempi.st_mtime_ns))

@caso("dati_200mb_buono", prepara=catalogo_enorme_buono)
def enorme_buono(s):
    """200 MB whose first 144 lines are good: the program starts at once."""
    s.splash()
    log(f"schermata iniziale dopo {time.monotonic() - s.programma.inizio:.2f} s")
    s.vai_al_menu()
    s.esci_dal_programma()


@caso("dati_senza_suoni", prepara=senza_suoni)
def suoni_mancanti(s):
    """No suoni folder: answering works and counts, with no message at all."""
    s.vai_al_menu()
    f = s.apri("definire il segnale")
    a = s.a
    etichette = [n for n in a.cerca(f, lambda n: a.ruolo(n) == "label")
                 if a.estensione(n)[0] == min(a.estensione(m)[0] for m in a.cerca(f, lambda m: a.ruolo(m) == "label"))]
    n = segnale_in(banco.Schermata(), a, a.per_nome(f, "Segnale", "image"))
    giusta = [e for e in etichette if e.name == f"Segnale {n}"][0]
    sbagliata = [e for e in etichette if e.name != f"Segnale {n}"][0]
    clic_centro(a.estensione(sbagliata))
    s.aspetta_contatori(f, ("0", "1"))
    clic_centro(a.estensione(giusta))
    s.aspetta_contatori(f, ("1", "1"))
    verifica(not [w for w in s.app.finestre() if a.ruolo(w) == "alert"], "nessun messaggio")
    s.attivita()
    s.esci_al_menu(f, prima_no=False)
    s.esci_dal_programma()
