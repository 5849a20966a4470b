#pragma once

#include "logic/Schermata.h"
#include "logic/Voce.h"

#include <QString>
#include <functional>

class QObject;

namespace cartavia {

class Casuale;
class Dialoghi;
class Orologio;
class Suoni;
struct Stato;

Orologio &orologioFermo(); // logic/Orologio.h

// What every window is handed when it is created: the shared state, the seams to the
// outside (random draws, sounds, message boxes, reading aloud, the clock), the program directory, the way
// to end the program, and the way to hand over to another window.
struct Contesto
{
    Stato &stato;
    Casuale &casuale;
    Suoni &suoni;
    Dialoghi &dialoghi;
    QString cartella;
    // Ends the program at once with this exit status; no window is asked first.
    std::function<void(int)> termina;
    // Reads texts aloud on a right click or Ctrl+L; silent unless one is handed over.
    Voce &voce = voceMuta();
    // Opens the window `schermata`, then lets the window `da` go (the program's start-up
    // provides it: see app/Navigazione.h).
    std::function<void(Schermata schermata, QObject *da)> passa = {};
    // The time of the timed test; it stands still unless one is handed over.
    Orologio &orologio = orologioFermo();
};

} // namespace cartavia
