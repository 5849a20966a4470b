#!/usr/bin/env python3
"""The real program started where there is no display to open its windows on.

    senza_schermo.py EXECUTABLE

With no DISPLAY and no WAYLAND_DISPLAY, with a DISPLAY that nobody serves, and with a
WAYLAND_DISPLAY whose socket does not exist, the program must print one line that names the
problem on standard error and end with status 1 at once: no abort, no core, no wait.
"""

import os
import subprocess
import sys
import tempfile


def display_libero():
    """An X display number with no server behind it (no socket, no lock file)."""
    for numero in range(97, 200):
        if not (os.path.exists(f"/tmp/.X11-unix/X{numero}") or os.path.exists(f"/tmp/.X{numero}-lock")):
            return f":{numero}"
    raise RuntimeError("nessun numero di display libero")


def main():
    eseguibile = os.path.abspath(sys.argv[1])
    fallimenti = []
    with tempfile.TemporaryDirectory() as lavoro:
        os.chmod(lavoro, 0o700)
        base = {k: v for k, v in os.environ.items()
                if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE",
                             "DBUS_SESSION_BUS_ADDRESS")}
        base.update(HOME=lavoro, XDG_RUNTIME_DIR=lavoro, LC_ALL="C.UTF-8")
        display = display_libero()
        casi = [
            ("nessuno schermo", {}, ["DISPLAY", "WAYLAND_DISPLAY"]),
            ("X irraggiungibile", {"DISPLAY": display}, [f"DISPLAY={display}"]),
            ("Wayland irraggiungibile", {"WAYLAND_DISPLAY": "cartavia-nessuno", "XDG_SESSION_TYPE": "wayland"},
             ["WAYLAND_DISPLAY=cartavia-nessuno"]),
        ]
        for nome, variabili, nominati in casi:
            try:
                esito = subprocess.run([eseguibile], env=dict(base, **variabili), cwd=lavoro,
                                       stdin=subprocess.DEVNULL, capture_output=True, timeout=30)
            except subprocess.TimeoutExpired:
                fallimenti.append(f"{nome}: il programma non è finito entro 30 s")
                continue
            errore = esito.stderr.decode("utf-8", "replace")
            righe = errore.splitlines()
            print(f"{nome}: stato {esito.returncode}, standard error {errore!r}")
            if esito.returncode != 1:
                fallimenti.append(f"{nome}: stato {esito.returncode}, atteso 1")
            if len(righe) != 1 or not righe[0].startswith("Cartavia: "):
                fallimenti.append(f"{nome}: attesa una riga \"Cartavia: ...\", ottenuto {errore!r}")
            elif not all(n in righe[0] for n in nominati):
                fallimenti.append(f"{nome}: la riga non nomina {nominati}: {righe[0]!r}")
            if esito.stdout:
                fallimenti.append(f"{nome}: standard output non vuoto: {esito.stdout!r}")
    for f in fallimenti:
        print("FALLITO:", f)
    return 1 if fallimenti else 0


if __name__ == "__main__":
    sys.exit(main())
