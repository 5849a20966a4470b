#pragma once

#include "logic/Suoni.h"

#include <QString>
#include <QtGlobal>
#include <array>

namespace cartavia {

class Casuale;

struct Contesto;

// A colour as 0x00BBGGRR, red in the lowest byte. With the top bit set it names a system
// colour instead.
using ColoreVB = quint32;
constexpr ColoreVB ColoreNero = 0x000000;
constexpr ColoreVB ColoreRosso = 0x0000FF;
constexpr ColoreVB ColoreSistemaFinestra = 0x80000005;
constexpr ColoreVB ColoreSistemaTestoFinestra = 0x80000008;
// The window-text colour of the classic desktop: the text drawn straight on the random
// background takes it on every theme, since a theme's own text colour may be light.
constexpr ColoreVB ColoreTestoClassico = 0x000000;

// The background colours of the screens; light pink stands twice, so it comes up twice as
// often as the others.
constexpr std::array<ColoreVB, 18> ColoriSfondo = {
    0xC0C0FF, 0x8080FF, 0x0000FF, 0x80C0FF, 0x0080FF, 0xC0FFFF,
    0x00FFFF, 0x0040C0, 0x80FF80, 0x00C000, 0xFFFFC0, 0xFFFF00,
    0xFFC0C0, 0xFFC0FF, 0xFFC0FF, 0xE0E0E0, 0xFF0000, 0xFF00FF,
};

// One random background colour: one draw.
ColoreVB ColoreCasuale(Contesto &contesto);
ColoreVB ColoreCasuale(Casuale &casuale);
// One of si1.wav .. si4.wav, chosen by one draw.
void SuonaEsatto(Contesto &contesto);
// no.wav.
void SuonaErrato(Contesto &contesto);

// The five sounds, as named in the folder suoni: first the right answer's four (si1.wav ..
// si4.wav), then the wrong answer's one (no.wav).
constexpr int NumeroSuoniEsatto = 4;
constexpr int IndiceSuonoErrato = NumeroSuoniEsatto;
const std::array<QString, NumeroSuoniEsatto + 1> &nomiSuoni();

} // namespace cartavia
