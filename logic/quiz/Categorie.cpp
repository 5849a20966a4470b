#include "logic/quiz/Categorie.h"

#include "logic/Contesto.h"
#include "logic/Modulo1.h"
#include "logic/Stato.h"

namespace cartavia {

void scegliCategoria(Stato &stato, int indice)
{
    stato.ripasso.setAttivo(indice == DaRipassare);
    const Categoria &categoria =
        Categorie.at(static_cast<std::size_t>(indice == DaRipassare ? Tutti : indice));
    stato.PrimoSegnale = categoria.primo;
    stato.UltimoSegnale = categoria.ultimo;
}

QString nomeCategoriaRipasso()
{
    return QStringLiteral("segnali da ripassare");
}

QString testoVoceRipasso(const Stato &stato)
{
    return nomeCategoriaRipasso() + QStringLiteral(" (%1)").arg(stato.ripasso.dimensione());
}

bool ripassoDisponibile(const Stato &stato)
{
    return stato.ripasso.dimensione() > 0;
}

bool concludiRipasso(Contesto &contesto)
{
    Stato &stato = contesto.stato;
    if (!stato.ripasso.attivo() || ripassoDisponibile(stato))
        return false;
    avvisaRipassoConcluso(contesto);
    scegliCategoria(stato, Tutti);
    return true;
}

void azzeraConteggio(Stato &stato)
{
    stato.NumeroEsatti = 0;
    stato.NumeroErrati = 0;
}

QString testoEserciziEseguiti(const Stato &stato)
{
    return QStringLiteral("hai eseguito ") + testoContatore(stato.NumeroEsatti)
        + QStringLiteral(" esercizi esatti con ") + testoContatore(stato.NumeroErrati)
        + QStringLiteral(" errori");
}

} // namespace cartavia
