#include "logic/quiz/Abbinamento.h"

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Errore.h"
#include "logic/Stato.h"

void Abbinamento::genera(Contesto &contesto)
{
    m_abbinati = 0;
    m_collocate = {};
    m_colore = ColoreCasuale(contesto);

    const int primo = contesto.stato.PrimoSegnale;
    const int ultimo = contesto.stato.UltimoSegnale;
    // While reviewing, every sign is drawn from the missed ones: a draw is an index into them.
    const Ripasso &ripasso = contesto.stato.ripasso;
    if (ripasso.attivo() && ripasso.dimensione() < SlotAbbinamento)
        throw ErroreCartavia(QStringLiteral("Meno di tre segnali da ripassare"));
    auto estrai = [&] {
        return ripasso.attivo() ? ripasso.estrai(contesto.casuale)
                                : static_cast<qint16>(indiceNelRango(contesto.casuale, primo, ultimo));
    };

    m_segnali[0] = estrai();
    do
        m_segnali[1] = estrai();
    while (m_segnali[1] == m_segnali[0]);
    do
        m_segnali[2] = estrai();
    while (m_segnali[2] == m_segnali[0] || m_segnali[2] == m_segnali[1]);

    m_disposizione = interoDa1A(contesto.casuale, static_cast<int>(DisposizioniDefinizioni.size())) - 1;
}

int Abbinamento::sinistra(int slot) const
{
    return DisposizioniDefinizioni.at(static_cast<std::size_t>(m_disposizione))
        .at(static_cast<std::size_t>(slot));
}

Abbinamento::Esito Abbinamento::rilascia(int casella, int definizione, Contesto &contesto)
{
    // Only a definition still in the bottom row can be dragged.
    if (casella < 0 || casella >= SlotAbbinamento || definizione < 0
        || definizione >= SlotAbbinamento || collocata(definizione))
        return Esito::Nessuno;

    Ripasso &ripasso = contesto.stato.ripasso;
    if (!abbinamentoEsatto(casella, definizione)) {
        ripasso.sbagliato(segnale(definizione));
        SuonaErrato(contesto);
        aggiungiUno(contesto.stato.NumeroErrati);
        m_colore = ColoreNero;
        return Esito::Errato;
    }

    ripasso.esatto(segnale(definizione));
    SuonaEsatto(contesto);
    m_collocate[static_cast<std::size_t>(definizione)] = true;
    ++m_abbinati;
    if (!completo())
        return Esito::Esatto;
    aggiungiUno(contesto.stato.NumeroEsatti);
    return Esito::Completato;
}
