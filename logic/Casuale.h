#pragma once

#include <cstdint>
#include <random>

namespace cartavia {

// The one source of every random choice: each draw is a single-precision r, 0 <= r < 1.
class Casuale
{
public:
    virtual ~Casuale() = default;
    virtual float prossimo() = 0;
};

// The generator of a real run, seeded once from the clock.
class CasualeOrologio : public Casuale
{
public:
    CasualeOrologio();
    explicit CasualeOrologio(std::uint64_t seme);
    float prossimo() override;

private:
    std::mt19937 m_generatore;
};

// The only two ways the program turns a draw into a whole number.
// A number from 1 to n: floor(r * n) + 1.
int interoDa1A(Casuale &casuale, int n);
// An index of the inclusive range primo..ultimo: primo + floor(r * (ultimo - primo + 1)).
int indiceNelRango(Casuale &casuale, int primo, int ultimo);

} // namespace cartavia
