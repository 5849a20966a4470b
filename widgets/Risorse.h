#pragma once

#include <QCursor>
#include <QIcon>

namespace cartavia {

// The pictures drawn for the program, embedded as ":/icone/NAME.svg".

// Resource path of an icon by name: "stop" gives ":/icone/stop.svg".
QString percorsoIcona(const char *nome);

// An icon by name, sharp at every size it is painted at.
QIcon icona(const char *nome);

// Hot spot of the drag pointer in its 32 × 32 picture: the tip of the arrow.
inline constexpr int PuntatoreX = 3;
inline constexpr int PuntatoreY = 1;

// The drag pointer: a large white arrow with a grey shadow, 32 × 32 logical pixels times
// `scala` (the factor of a window that grows), drawn afresh at that size and the given
// device pixel ratio. Its hot spot is given in logical pixels, so it stays on the tip at
// every ratio and every factor.
QCursor cursoreTrascina(qreal rapportoPixel, qreal scala);
QCursor cursoreTrascina(qreal rapportoPixel);
// The same at the ratio of the primary screen: at the natural size, or times `scala`.
QCursor cursoreTrascina();
QCursor cursoreTrascinaInScala(qreal scala);

} // namespace cartavia
