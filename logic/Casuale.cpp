#include "logic/Casuale.h"

#include <algorithm>
#include <cmath>

namespace cartavia {

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
