#pragma once

#include <QtGlobal>

namespace cartavia {

struct Contesto;

// The sign of a new puzzle, drawn from the selected range (the sign before may come again);
// it becomes SegnaleCorrente.
qint16 estraiSegnalePuzzle(Contesto &contesto);

} // namespace cartavia
