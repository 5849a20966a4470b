#pragma once

// A test-side solver for sliding puzzles, written apart from ModelloPuzzle so that it can
// judge it: a breadth-first search from the solved layout reaches exactly the solvable
// layouts and knows, for each, the cell to click next. `disposto` stages a puzzle in a
// given layout through the game's own moves.

#include "logic/Casuale.h"
#include "logic/puzzle/ModelloPuzzle.h"

#include <QtGlobal>

#include <algorithm>
#include <cstdint>
#include <map>
#include <numeric>
#include <queue>
#include <unordered_map>
#include <utility>
#include <vector>

namespace cartavia {

// A draw that never changes.
class CasualeFisso : public Casuale
{
public:
    explicit CasualeFisso(float valore) : m_valore(valore) {}
    float prossimo() override { return m_valore; }

private:
    float m_valore;
};

class Risolutore
{
public:
    // Layouts hold piece numbers per cell; the gap is piece righe * colonne - 1.
    static const Risolutore &per(int righe, int colonne)
    {
        static std::map<std::pair<int, int>, Risolutore> fatti;
        auto it = fatti.find({righe, colonne});
        if (it == fatti.end())
            it = fatti.emplace(std::make_pair(righe, colonne), Risolutore(righe, colonne)).first;
        return it->second;
    }

    bool raggiungibile(const std::vector<int> &pezzi) const
    {
        return m_prossimo.count(codice(pezzi)) > 0;
    }

    // The cells to click, in order, to bring the layout back to the solved picture.
    std::vector<int> soluzione(std::vector<int> pezzi) const
    {
        std::vector<int> clic;
        const int vuoto = int(pezzi.size()) - 1;
        for (;;) {
            const int cella = m_prossimo.at(codice(pezzi));
            if (cella < 0)
                return clic;
            clic.push_back(cella);
            int gap = 0;
            while (pezzi[gap] != vuoto)
                ++gap;
            std::swap(pezzi[gap], pezzi[cella]);
        }
    }

    std::size_t quanti() const { return m_prossimo.size(); }

private:
    Risolutore(int righe, int colonne) : m_righe(righe), m_colonne(colonne)
    {
        std::vector<int> risolto(righe * colonne);
        std::iota(risolto.begin(), risolto.end(), 0);
        m_prossimo[codice(risolto)] = -1;
        std::queue<std::vector<int>> coda;
        coda.push(risolto);
        const int vuoto = righe * colonne - 1;
        while (!coda.empty()) {
            std::vector<int> u = coda.front();
            coda.pop();
            int gap = 0;
            while (u[gap] != vuoto)
                ++gap;
            for (int vicina : vicine(gap)) {
                std::vector<int> v = u;
                std::swap(v[gap], v[vicina]); // the piece of `vicina` slid into the gap
                const auto c = codice(v);
                if (m_prossimo.count(c))
                    continue;
                m_prossimo[c] = gap; // clicking where the piece now lies slides it back
                coda.push(std::move(v));
            }
        }
    }

    std::vector<int> vicine(int cella) const
    {
        std::vector<int> v;
        const int r = cella / m_colonne, c = cella % m_colonne;
        if (r > 0) v.push_back(cella - m_colonne);
        if (r < m_righe - 1) v.push_back(cella + m_colonne);
        if (c > 0) v.push_back(cella - 1);
        if (c < m_colonne - 1) v.push_back(cella + 1);
        return v;
    }

    static std::uint64_t codice(const std::vector<int> &pezzi)
    {
        std::uint64_t c = 0;
        for (int p : pezzi)
            c = c * 16 + std::uint64_t(p);
        return c;
    }

    int m_righe;
    int m_colonne;
    std::unordered_map<std::uint64_t, int> m_prossimo;
};

// A puzzle of righe x colonne staged in the layout `pezzi` (piece numbers per cell) by the
// game's own moves: swaps in the swap game, the solver's way back to the solved picture
// walked the other way in the sliding game. Stops the test when the layout is no
// arrangement of the pieces or cannot be reached by sliding.
inline ModelloPuzzle disposto(ModelloPuzzle::Modo modo, const std::vector<int> &pezzi,
                              int righe = 3, int colonne = 3)
{
    ModelloPuzzle m(righe, colonne, modo);
    if (int(pezzi.size()) != m.celle())
        qFatal("layout of the wrong size");
    if (modo == ModelloPuzzle::Modo::Scambio) {
        for (int cella = 0; cella < m.celle(); ++cella)
            if (m.pezzo(cella) != pezzi[cella])
                m.scambia(cella, m.cellaDi(pezzi[cella]));
    } else {
        const Risolutore &risolutore = Risolutore::per(righe, colonne);
        if (!risolutore.raggiungibile(pezzi))
            qFatal("layout the sliding game cannot reach");
        // Where the gap lies before each click on the way to the solved picture; clicking
        // those cells from the last to the first walks the way back.
        std::vector<int> vuote;
        std::vector<int> passo = pezzi;
        for (int cella : risolutore.soluzione(pezzi)) {
            const int vuota = int(std::find(passo.begin(), passo.end(), m.celle() - 1) - passo.begin());
            vuote.push_back(vuota);
            std::swap(passo[vuota], passo[cella]);
        }
        for (auto v = vuote.rbegin(); v != vuote.rend(); ++v)
            m.scivola(*v);
    }
    if (m.disposizione() != pezzi)
        qFatal("layout not reached");
    return m;
}

} // namespace cartavia
