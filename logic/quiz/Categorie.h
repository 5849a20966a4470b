#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

namespace cartavia {

struct Contesto;
struct Stato;

// The seven choices of the category menu; each is one run of catalogue indices.
struct Categoria
{
    qint16 primo;
    qint16 ultimo;
};

// DaRipassare is the eighth item, "segnali da ripassare (n)": the signs missed so far.
enum IndiceCategoria { Tutti, Pericolo, Precedenza, Divieto, Sosta, Obbligo, Indicazione, DaRipassare };

constexpr std::array<Categoria, 7> Categorie = {{
    {1, 144},   // tutti i segnali
    {1, 38},    // pericolo
    {39, 52},   // precedenza
    {53, 81},   // divieto
    {82, 89},   // fermata, sosta e parcheggio
    {90, 117},  // obbligo
    {118, 144}, // indicazione
}};

// Selects a category: the range the next exercises draw from. "segnali da ripassare" draws
// the asked signs from the missed ones and the rest as "tutti i segnali" does.
void scegliCategoria(Stato &stato, int indice);

// The eighth item as the menu shows it, and as Label4 names it.
QString testoVoceRipasso(const Stato &stato); // "segnali da ripassare (n)"
QString nomeCategoriaRipasso();               // "segnali da ripassare"
// Whether there is anything to review: one missed sign is enough for every quiz, which fills
// its exercise from the whole catalogue.
bool ripassoDisponibile(const Stato &stato);
// After every exercise solved: while reviewing, an empty set ends the review. It is told in a
// box; then the range is "tutti i segnali" again. True when it ended, and the window then
// moves its check mark to "tutti i segnali".
bool concludiRipasso(Contesto &contesto);
// "Azzera conteggio": both counters back to 0.
void azzeraConteggio(Stato &stato);
// The score report of the matching quiz.
QString testoEserciziEseguiti(const Stato &stato);

} // namespace cartavia
