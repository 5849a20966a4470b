#pragma once

#include "logic/ModuloColoriSuoni.h"

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace cartavia {

// A font by family, points and weight. "MS Sans Serif" and "Arial" are looked up as
// their metric twins where the originals are not installed.
QFont carattere(const QString &famiglia, qreal punti, bool grassetto);

// A 0x00BBGGRR value, or a system colour, as Qt paints it on this widget.
QColor coloreQt(ColoreVB colore, const QWidget *widget);

// Background of a window or of an opaque label, in every state of the widget.
void impostaSfondo(QWidget *widget, ColoreVB colore);
// Text colour of a label, in every state of the widget.
void impostaColoreTesto(QWidget *widget, ColoreVB colore);

// The least contrast an answer label's text keeps on its background.
constexpr double ContrastoMinimo = 4.5;
// The least contrast a coloured box (a label marked red) keeps against the window behind it.
constexpr double ContrastoMinimoRiquadro = 3.0;
// The contrast of two colours, 1 to 21 (the formula of the web accessibility guidelines).
double contrasto(const QColor &a, const QColor &b);
// `testo` where it reads on `sfondo` at ContrastoMinimo at least, else black or white, whichever
// reads better: a theme's own text colour may be as light as the background a label is given.
QColor testoLeggibile(const QColor &testo, const QColor &sfondo);
// Background and text of an opaque label in every state, as its table names them (system
// colours included), with the text made readable on that background (testoLeggibile).
void impostaColori(QWidget *widget, ColoreVB sfondo, ColoreVB testo);
// The same, keeping the text colour the label has now where it reads.
void impostaSfondoLeggibile(QWidget *widget, ColoreVB sfondo);
// The background a window or label shows now, as 0x00BBGGRR.
ColoreVB sfondo(const QWidget *widget);

} // namespace cartavia
