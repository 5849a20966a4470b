// The tests' solver (Risolutore.h) for the end-to-end tests: `risolvi P0 .. P8` prints the
// cells to click, one a line, that solve a 3 x 3 sliding puzzle laid out as P0 .. P8 (piece
// numbers per cell, the gap 8); status 1 when sliding cannot solve it.
#include "Risolutore.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    std::vector<int> pezzi;
    for (int i = 1; i < argc; ++i)
        pezzi.push_back(std::atoi(argv[i]));
    const cartavia::Risolutore &risolutore = cartavia::Risolutore::per(3, 3);
    if (pezzi.size() != 9 || !risolutore.raggiungibile(pezzi))
        return 1;
    for (int cella : risolutore.soluzione(pezzi))
        std::printf("%d\n", cella);
    return 0;
}
