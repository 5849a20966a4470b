#include "logic/Casuale.h"

#include <algorithm>
#include <chrono>
#include <cmath>

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

namespace {
// floor(r * n) for a draw, kept inside 0..n-1 even if a source misbehaves.
int parteIntera(float r, int n)
{
    const int k = static_cast<int>(std::floor(static_cast<double>(r) * n));
    return std::clamp(k, 0, std::max(n - 1, 0));
}
}

int interoDa1A(Casuale &casuale, int n)
{
    return parteIntera(casuale.prossimo(), n) + 1;
}

int indiceNelRango(Casuale &casuale, int primo, int ultimo)
{
    return primo + parteIntera(casuale.prossimo(), ultimo - primo + 1);
}

} // namespace cartavia
