#pragma once

namespace cartavia {

// The scripted draw that gives each wanted result (see CasualeScriptato).

// Sign `indice` of the range primo..ultimo.
inline float perSegnale(int indice, int primo = 1, int ultimo = 144)
{
    return (float(indice - primo) + 0.5f) / float(ultimo - primo + 1);
}
// Background colour c (1..18).
inline float perColore(int c) { return (float(c) - 0.5f) / 18.0f; }
// Arrangement p (0..5) of the matching quiz's definitions.
inline float perDisposizione(int p) { return (float(p) + 0.5f) / 6.0f; }
// SuonaEsatto playing si<k>.wav (1..4).
inline float perSuono(int k) { return (float(k) - 0.5f) / 4.0f; }

} // namespace cartavia
