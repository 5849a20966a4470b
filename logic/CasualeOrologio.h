#pragma once

#include "logic/Casuale.h"

#include <cstdint>
#include <random>

namespace cartavia {

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

} // namespace cartavia
