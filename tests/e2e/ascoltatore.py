#!/usr/bin/env python3
"""Writes the AT-SPI events of one process as JSON lines, one event a line.

    ascoltatore.py FILE TIPO...

Runs inside the test's D-Bus session (accesso.Ascoltatore starts it before the program, so
that the program finds the listeners registered when it starts). The first line says the
listeners are registered; every later line is one event: the process it comes from, its type
and details, the source's role, name and description, and any_data when that is text.
"""

import json
import sys

import pyatspi


def main():
    percorso, tipi = sys.argv[1], sys.argv[2:]
    uscita = open(percorso, "w", buffering=1, encoding="utf-8")

    def evento(e):
        try:
            sorgente = e.source
            voce = {"pid": sorgente.get_process_id(), "tipo": e.type, "d1": e.detail1, "d2": e.detail2,
                    "ruolo": sorgente.getRoleName(), "nome": sorgente.name,
                    "descrizione": sorgente.description}
        except Exception as errore:  # the source vanished before we looked at it
            voce = {"tipo": e.type, "d1": e.detail1, "d2": e.detail2, "errore": repr(errore)}
        if isinstance(e.any_data, str):
            voce["dati"] = e.any_data
        uscita.write(json.dumps(voce, ensure_ascii=False) + "\n")

    for tipo in tipi:
        pyatspi.Registry.registerEventListener(evento, tipo)
    uscita.write(json.dumps({"pronto": True}) + "\n")
    pyatspi.Registry.start()


if __name__ == "__main__":
    main()
