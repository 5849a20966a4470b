#pragma once

#include "logic/ModuloColoriSuoni.h"

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

// A font by family, points and weight. "MS Sans Serif" and "Arial" are looked up as
// their metric twins where the originals are not installed.
QFont carattere(const QString &famiglia, qreal punti, bool grassetto);

// A 0x00BBGGRR value, or a system colour, as Qt paints it on this widget.
QColor coloreQt(ColoreVB colore, const QWidget *widget);

// Background of a window or of an opaque label, in every state of the widget.
void impostaSfondo(QWidget *widget, ColoreVB colore);
// Text colour of a label, in every state of the widget.
void impostaColoreTesto(QWidget *widget, ColoreVB colore);
// The background a window or label shows now, as 0x00BBGGRR.
ColoreVB sfondo(const QWidget *widget);
