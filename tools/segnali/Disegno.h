#pragma once

// Drawing vocabulary of the sign generator: shapes, colours, pictograms and the
// declarative table that ties them to the 144 catalogue entries.

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

namespace segnali {

// Colours of the Italian signs.
inline const QColor ROSSO{0xC1, 0x12, 0x1F};
inline const QColor BLU{0x00, 0x50, 0xA0};
inline const QColor VERDE{0x00, 0x7A, 0x3D};
inline const QColor GIALLO{0xFF, 0xC0, 0x00};
inline const QColor NERO{0x1A, 0x1A, 0x1A};
inline const QColor BIANCO{0xFF, 0xFF, 0xFF};
inline const QColor GRIGIO{0x96, 0x96, 0x96};
inline const QColor ARANCIO{0xF0, 0x7D, 0x00};

enum class Forma {
    Triangolo,          // danger: white, red border, point up
    TriangoloRovescio,  // give way: point down
    TriangoloConPannello, // give way in the upper part, distance plate below
    Ottagono,           // STOP
    Rombo,              // right of way: white diamond, yellow centre
    Disco,              // fondo inside, bordo as ring (bordo invalid: no ring)
    Pannello,           // rounded rectangle, white rim on coloured panels
    FrecciaDirezione,   // arrow-shaped plate pointing right
    CroceSantAndrea,
    CroceDoppia,
    Distanziometrici,
};

enum class Barra {
    Nessuna,
    Rossa,      // red bar, bottom left to top right ("end of")
    Nera,       // band of thin black lines (end of a prohibition)
    Divieto,    // red bar, top left to bottom right (no parking, horn)
    Croce,      // red X (no stopping)
};

// One thing drawn on the sign. Coordinates are in sign units: the sign's square is 0..1000.
struct Elemento {
    QString cosa;     // "mdi:NAME" (icon), "testo", or the name of one of our own pictograms
    QRectF riquadro;
    QColor colore;
    QString testo;    // only for "testo"
    bool specchio = false; // mirrored left to right
    double rotazione = 0;  // degrees, clockwise, about the box centre
};

struct Segnale {
    int numero;
    Forma forma;
    QColor fondo;
    QColor bordo;
    std::vector<Elemento> elementi;
    Barra barra = Barra::Nessuna;
    QRectF area = {0, 0, 1000, 1000}; // the panel's own rectangle (Pannello, FrecciaDirezione)
};

const std::vector<Segnale> &tabella();

// The pictures' size. Every box of the program stretches a picture to fill it, and the boxes
// are wider than tall: their picture areas run from 318 × 321 (the puzzle) to 175 × 151 (the
// recognition quiz's middle column), aspect 0.99 to 1.16. A picture of aspect 1.0715, the
// geometric middle of those two, shows a round sign at most 8.2 % out of round in any box;
// in a square picture it was up to 16 % wide.
inline constexpr QSize TELA{514, 480};

// Draws one sign, undistorted, in the middle of a white picture of TELA: the sign's square
// is as high as the picture less a thin margin, and the white page fills the sides.
// cartellaIcone: the folder of the icon set's SVG files.
QImage disegna(const Segnale &s, const QString &cartellaIcone);

} // namespace segnali
