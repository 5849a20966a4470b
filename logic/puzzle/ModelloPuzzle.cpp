#include "logic/puzzle/ModelloPuzzle.h"

#include "logic/Casuale.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace cartavia {

namespace {
// How many random slides make a shuffle, per cell: plenty to scatter a 3 x 3 picture.
constexpr int ScivolamentiPerCella = 12;
}

ModelloPuzzle::ModelloPuzzle(int righe, int colonne, Modo modo)
    : m_righe(std::max(righe, 1)), m_colonne(std::max(colonne, 1)), m_modo(modo)
{
    if (celle() < 2)
        m_colonne = 2;
    m_pezzi.resize(celle());
    std::iota(m_pezzi.begin(), m_pezzi.end(), 0);
}

int ModelloPuzzle::cellaDi(int pezzo) const
{
    const auto it = std::find(m_pezzi.begin(), m_pezzi.end(), pezzo);
    return it == m_pezzi.end() ? -1 : int(it - m_pezzi.begin());
}

int ModelloPuzzle::pezzoMancante() const
{
    return m_modo == Modo::Scivolamento ? celle() - 1 : -1;
}

int ModelloPuzzle::cellaVuota() const
{
    return m_modo == Modo::Scivolamento ? cellaDi(pezzoMancante()) : -1;
}

bool ModelloPuzzle::risolto() const
{
    for (int i = 0; i < celle(); ++i)
        if (m_pezzi[i] != i)
            return false;
    return true;
}

int ModelloPuzzle::vicina(int cella, Direzione direzione) const
{
    if (!valida(cella))
        return -1;
    const int riga = cella / m_colonne;
    const int colonna = cella % m_colonne;
    switch (direzione) {
    case Direzione::Su:
        return riga > 0 ? cella - m_colonne : -1;
    case Direzione::Giu:
        return riga < m_righe - 1 ? cella + m_colonne : -1;
    case Direzione::Sinistra:
        return colonna > 0 ? cella - 1 : -1;
    case Direzione::Destra:
        return colonna < m_colonne - 1 ? cella + 1 : -1;
    }
    return -1;
}

bool ModelloPuzzle::adiacenti(int a, int b) const
{
    if (!valida(a) || !valida(b))
        return false;
    for (Direzione d : {Direzione::Su, Direzione::Giu, Direzione::Sinistra, Direzione::Destra})
        if (vicina(a, d) == b)
            return true;
    return false;
}

bool ModelloPuzzle::scambia(int a, int b)
{
    if (m_modo != Modo::Scambio || !valida(a) || !valida(b) || a == b)
        return false;
    std::swap(m_pezzi[a], m_pezzi[b]);
    return true;
}

bool ModelloPuzzle::puoScivolare(int cella) const
{
    return m_modo == Modo::Scivolamento && adiacenti(cella, cellaVuota());
}

bool ModelloPuzzle::scivola(int cella)
{
    if (!puoScivolare(cella))
        return false;
    std::swap(m_pezzi[cella], m_pezzi[cellaVuota()]);
    return true;
}

int ModelloPuzzle::cellaPerFreccia(Direzione direzione) const
{
    if (m_modo != Modo::Scivolamento)
        return -1;
    // The piece moves the arrow's way, so it comes from the opposite side of the gap.
    Direzione opposta = Direzione::Su;
    switch (direzione) {
    case Direzione::Su: opposta = Direzione::Giu; break;
    case Direzione::Giu: opposta = Direzione::Su; break;
    case Direzione::Sinistra: opposta = Direzione::Destra; break;
    case Direzione::Destra: opposta = Direzione::Sinistra; break;
    }
    return vicina(cellaVuota(), opposta);
}

bool ModelloPuzzle::scivolaVerso(Direzione direzione)
{
    const int cella = cellaPerFreccia(direzione);
    return cella >= 0 && scivola(cella);
}

void ModelloPuzzle::mescola(Casuale &casuale)
{
    std::iota(m_pezzi.begin(), m_pezzi.end(), 0);
    if (m_modo == Modo::Scambio)
        mescolaScambio(casuale);
    else
        mescolaScivolamento(casuale);
}

void ModelloPuzzle::mescolaScambio(Casuale &casuale)
{
    // Fisher-Yates, from the last cell down.
    for (int i = celle() - 1; i > 0; --i)
        std::swap(m_pezzi[i], m_pezzi[interoDa1A(casuale, i + 1) - 1]);
    // A draw that happens to give the picture back is spoiled by one swap: drawing again
    // could go on for ever with a generator that keeps repeating itself.
    if (risolto())
        std::swap(m_pezzi[0], m_pezzi[1]);
}

void ModelloPuzzle::mescolaScivolamento(Casuale &casuale)
{
    int precedente = -1; // where the gap was, so a slide is never undone at once
    std::vector<int> mosse;
    for (int passo = 0; passo < ScivolamentiPerCella * celle(); ++passo) {
        const int vuota = cellaVuota();
        mosse.clear();
        for (Direzione d : {Direzione::Su, Direzione::Giu, Direzione::Sinistra, Direzione::Destra}) {
            const int cella = vicina(vuota, d);
            if (cella >= 0 && cella != precedente)
                mosse.push_back(cella);
        }
        if (mosse.empty()) // a one-cell-wide strip at its end
            mosse.push_back(precedente);
        scivola(mosse[interoDa1A(casuale, int(mosse.size())) - 1]);
        precedente = vuota;
    }
    // Back at the start by chance: one more slide, and the picture is broken again.
    if (risolto()) {
        for (Direzione d : {Direzione::Su, Direzione::Sinistra, Direzione::Giu, Direzione::Destra})
            if (scivolaVerso(d))
                break;
    }
}

} // namespace cartavia
