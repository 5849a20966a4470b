#pragma once

#include <vector>

namespace cartavia {

class Casuale;

// The rules of a picture puzzle, apart from any widget: which piece lies in which cell, the
// moves of the two games and the solved test.
//
// Cells and pieces are numbered row by row from the top left, 0 .. celle() - 1; piece k
// belongs in cell k. In the sliding game the last piece is left out: its cell is the empty
// one, into which a neighbouring piece slides.
class ModelloPuzzle
{
public:
    enum class Modo { Scambio, Scivolamento };
    // Where an arrow key sends a piece.
    enum class Direzione { Su, Giu, Sinistra, Destra };

    // A solved puzzle of righe x colonne pieces (each at least 1, at least 2 pieces in all).
    explicit ModelloPuzzle(int righe = 3, int colonne = 3, Modo modo = Modo::Scambio);

    int righe() const { return m_righe; }
    int colonne() const { return m_colonne; }
    int celle() const { return m_righe * m_colonne; }
    Modo modo() const { return m_modo; }

    // The piece in a cell; in the sliding game the empty cell holds pezzoMancante().
    int pezzo(int cella) const { return m_pezzi.at(cella); }
    int cellaDi(int pezzo) const;
    const std::vector<int> &disposizione() const { return m_pezzi; }

    // The piece the sliding game leaves out, or -1 in the swap game.
    int pezzoMancante() const;
    // The empty cell of the sliding game, or -1 in the swap game.
    int cellaVuota() const;

    bool risolto() const;

    // The cell next to `cella` in the direction, or -1 past the edge.
    int vicina(int cella, Direzione direzione) const;
    bool adiacenti(int a, int b) const;

    // Swap game: the pieces of two different cells change places. False (and nothing
    // changes) in the sliding game or for cells that are equal or outside the grid.
    bool scambia(int a, int b);

    // Sliding game: the piece of `cella`, next to the empty cell, moves into it.
    bool puoScivolare(int cella) const;
    bool scivola(int cella);
    // Sliding game: the cell whose piece an arrow would move (the piece on the far side of
    // the empty cell from the arrow's direction), or -1 when no piece can move that way.
    int cellaPerFreccia(Direzione direzione) const;
    bool scivolaVerso(Direzione direzione);

    // A new game from the solved picture. The swap game is a random permutation, the
    // sliding game a walk of random legal moves, so it can always be solved. Neither ever
    // starts solved.
    void mescola(Casuale &casuale);

private:
    bool valida(int cella) const { return cella >= 0 && cella < celle(); }
    void mescolaScambio(Casuale &casuale);
    void mescolaScivolamento(Casuale &casuale);

    int m_righe;
    int m_colonne;
    Modo m_modo;
    std::vector<int> m_pezzi;
};

} // namespace cartavia
