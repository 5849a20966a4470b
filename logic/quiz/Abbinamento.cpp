#include "logic/quiz/Abbinamento.h"

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Errore.h"
#include "logic/Stato.h"

#include <algorithm>

namespace cartavia {

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

    // Each slot's sign is drawn again while it repeats the sign of an earlier slot.
    for (auto slot = m_segnali.begin(); slot != m_segnali.end(); ++slot)
        do
            *slot = estrai();
        while (std::find(m_segnali.begin(), slot, *slot) != slot);

    m_disposizione = interoDa1A(contesto.casuale, static_cast<int>(DisposizioniDefinizioni.size())) - 1;
}

int Abbinamento::sinistra(int slot) const
{
    return DisposizioniDefinizioni.at(static_cast<std::size_t>(m_disposizione))
        .at(static_cast<std::size_t>(slot));
}

void Abbinamento::rilascia(int casella, int definizione, Contesto &contesto)
{
    // Only a definition still in the bottom row can be dragged.
    if (casella < 0 || casella >= SlotAbbinamento || definizione < 0
        || definizione >= SlotAbbinamento || collocata(definizione))
        return;

    Stato &stato = contesto.stato;
    if (!abbinamentoEsatto(casella, definizione)) {
        stato.ripasso.sbagliato(segnale(definizione));
        SuonaErrato(contesto);
        aggiungiUno(stato.NumeroErrati);
        m_colore = ColoreNero;
        emit contatoriCambiati(stato.NumeroEsatti, stato.NumeroErrati);
        emit rispostaData(false);
        return;
    }

    stato.ripasso.esatto(segnale(definizione));
    SuonaEsatto(contesto);
    m_collocate[static_cast<std::size_t>(definizione)] = true;
    ++m_abbinati;
    emit definizioneCollocata(definizione);
    if (completo()) {
        aggiungiUno(stato.NumeroEsatti);
        emit contatoriCambiati(stato.NumeroEsatti, stato.NumeroErrati);
    }
    emit rispostaData(true);
}

} // namespace cartavia
