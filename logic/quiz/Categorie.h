#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

struct Stato;

// The seven choices of the category menu; each is one run of catalogue indices.
struct Categoria
{
    qint16 primo;
    qint16 ultimo;
};

enum IndiceCategoria { Tutti, Pericolo, Precedenza, Divieto, Sosta, Obbligo, Indicazione };

constexpr std::array<Categoria, 7> Categorie = {{
    {1, 144},   // tutti i segnali
    {1, 38},    // pericolo
    {39, 52},   // precedenza
    {53, 81},   // divieto
    {82, 89},   // fermata, sosta e parcheggio
    {90, 117},  // obbligo
    {118, 144}, // indicazione
}};

// Selects a category: the range the next exercises draw from.
void scegliCategoria(Stato &stato, int indice);
// "Azzera conteggio": both counters back to 0.
void azzeraConteggio(Stato &stato);
// The score report of the matching quiz.
QString TestoEserciziEseguiti(const Stato &stato);
