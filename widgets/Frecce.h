#pragma once

#include <QList>

class QWidget;

namespace cartavia {

// The control an arrow key leads to from `da`: the nearest of `candidati` (enabled and
// shown) that lies in the direction pressed, those level with `da` first (on its row for
// left and right, in its column for up and down); nullptr where none lies that way. By the
// controls' places, so it holds for any layout; Tab keeps the tab order.
QWidget *vicinoVerso(const QWidget *da, const QList<QWidget *> &candidati, int tasto);

} // namespace cartavia
