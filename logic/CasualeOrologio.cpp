#include "logic/CasualeOrologio.h"

#include <chrono>

namespace cartavia {

CasualeOrologio::CasualeOrologio()
    : CasualeOrologio(static_cast<std::uint64_t>(
          std::chrono::system_clock::now().time_since_epoch().count()))
{
}

CasualeOrologio::CasualeOrologio(std::uint64_t seme)
    : m_generatore(static_cast<std::mt19937::result_type>(seme ^ (seme >> 32)))
{
}

float CasualeOrologio::prossimo()
{
    // 24 random bits are exactly what a float holds below 1: the largest draw is 1 - 2^-24,
    // so no rounding can ever give 1.0.
    return static_cast<float>(m_generatore() >> 8) * (1.0f / 16777216.0f);
}

} // namespace cartavia
