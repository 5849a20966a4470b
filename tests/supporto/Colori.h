#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace cartavia {

// Contrast of two colours, 1 to 21, by the formula of the web accessibility guidelines.
double rapportoContrasto(const QColor &a, const QColor &b);

// What a control shows, measured on its window's rendering: its background (the colour most of
// its pixels have, two pixels in from its edge) and its text (the pixel that stands out most
// from that background).
struct ColoriMostrati
{
    QColor sfondo;
    QColor testo;
    double contrasto() const { return rapportoContrasto(sfondo, testo); }
};
ColoriMostrati coloriMostrati(QWidget *controllo);

// A dark desktop theme, as qt6ct's dark scheme sets it: light text on dark grey.
QPalette tavolozzaScura();

} // namespace cartavia
