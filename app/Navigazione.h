#pragma once

#include "logic/Schermata.h"

#include <QWidget>
#include <utility>

namespace cartavia {

struct Contesto;

// Lets a window go after it has handed over: it disappears at once and is deleted when the
// event that closed it is over.
void congeda(QWidget *finestra);

// Where a window opens: centred on the window it replaces (the first one on the screen), and
// moved inside the screen's free area where it would reach past it. Set before the window is
// shown, so that a window manager opens it there.
void posizionaFinestra(QWidget *finestra, const QWidget *precedente);

// Every hand-over: create the next window and show it (its load step runs to its end in
// the constructor), then let the one that handed over go. A failure while the next window
// loads leaves the old one in place. A window full screen or maximised hands that on, so a
// class in front of a projector stays on the whole screen. `altri` go to the new window's
// constructor after the context.
template <class Finestra, class... Altri>
Finestra *passaA(QWidget *da, Contesto &contesto, Altri &&...altri)
{
    auto *nuova = new Finestra(contesto, std::forward<Altri>(altri)...);
    nuova->setAttribute(Qt::WA_DeleteOnClose);
    posizionaFinestra(nuova, da); // where it stands when not full screen or maximised
    if (da)
        nuova->setWindowState(da->windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized));
    nuova->show();
    if (da)
        congeda(da);
    return nuova;
}

// Opens the window `schermata`, then lets the window `da` go: what `Contesto::passa` does in
// the program.
void apriSchermata(Schermata schermata, QObject *da, Contesto &contesto);

} // namespace cartavia
