#pragma once

namespace cartavia {

// The one source of every random choice: each draw is a single-precision r, 0 <= r < 1.
class Casuale
{
public:
    virtual ~Casuale() = default;
    virtual float prossimo() = 0;
};

// The only two ways the program turns a draw into a whole number.
// A number from 1 to n: floor(r * n) + 1.
int interoDa1A(Casuale &casuale, int n);
// An index of the inclusive range primo..ultimo: primo + floor(r * (ultimo - primo + 1)).
int indiceNelRango(Casuale &casuale, int primo, int ultimo);

} // namespace cartavia
