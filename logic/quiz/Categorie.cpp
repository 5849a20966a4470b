#include "logic/quiz/Categorie.h"

#include "logic/Stato.h"

void scegliCategoria(Stato &stato, int indice)
{
    const Categoria &categoria = Categorie.at(static_cast<std::size_t>(indice));
    stato.PrimoSegnale = categoria.primo;
    stato.UltimoSegnale = categoria.ultimo;
}

void azzeraConteggio(Stato &stato)
{
    stato.NumeroEsatti = 0;
    stato.NumeroErrati = 0;
}

QString TestoEserciziEseguiti(const Stato &stato)
{
    return QStringLiteral("hai eseguito ") + testoContatore(stato.NumeroEsatti)
        + QStringLiteral(" esercizi esatti con ") + testoContatore(stato.NumeroErrati)
        + QStringLiteral(" errori");
}
