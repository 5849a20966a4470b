#pragma once

#include <QList>

class QWidget;

namespace cartavia {

// The control an arrow key leads to from `da`: the nearest of `candidati` (enabled, not
// hidden) that lies in the direction pressed, edge to edge, those level with `da` first
// (beside it on its row for left and right, above or below it for up and down; of two as
// near, the first in reading order); nullptr where none lies that way. By the
// controls' places, so it holds for any layout; Tab keeps the tab order.
QWidget *vicinoVerso(const QWidget *da, const QList<QWidget *> &candidati, int tasto);

} // namespace cartavia
