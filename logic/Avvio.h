#pragma once

#include "logic/ModuloColoriSuoni.h"

#include <QtGlobal>
#include <array>

namespace cartavia {

class Casuale;
struct Stato;

// What the splash screen shows: its background and the signs of its four pictures.
struct Avvio
{
    ColoreVB colore = 0;
    std::array<qint16, 4> segnali{}; // Image1(0) .. Image1(3)
};

// Draws the splash screen, in this order: the colour, then the four signs in box order, each
// from the whole catalogue whatever the category (a sign may come twice). SegnaleCorrente
// is left at the last one. Needs no window and no catalogue: the program draws it before
// anything else, while Qt connects to the display.
Avvio generaAvvio(Casuale &casuale, Stato &stato);

} // namespace cartavia
