#include "logic/quiz/Abbinamento.h"

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Stato.h"

#include <algorithm>

namespace cartavia {

void Abbinamento::genera()
{
    iniziaEsercizio();
    Contesto &c = contesto();
    m_abbinati = 0;
    m_collocate = {};
    m_colore = ColoreCasuale(c);

    const Ripasso &ripasso = c.stato.ripasso;
    if (ripasso.attivo()) {
        // While reviewing, three signs different in sign and text, from the missed ones first.
        const QList<qint16> segnali =
            ripasso.estraiDiversi(c.casuale, c.stato.ListaSegnali, SlotAbbinamento);
        std::copy(segnali.begin(), segnali.end(), m_segnali.begin());
    } else {
        // Each slot's sign is drawn again while it repeats the sign of an earlier slot.
        const int primo = c.stato.PrimoSegnale;
        const int ultimo = c.stato.UltimoSegnale;
        for (auto slot = m_segnali.begin(); slot != m_segnali.end(); ++slot)
            do
                *slot = static_cast<qint16>(indiceNelRango(c.casuale, primo, ultimo));
            while (std::find(m_segnali.begin(), slot, *slot) != slot);
    }

    m_disposizione = interoDa1A(c.casuale, static_cast<int>(DisposizioniDefinizioni.size())) - 1;
}

int Abbinamento::sinistra(int slot) const
{
    return DisposizioniDefinizioni.at(static_cast<std::size_t>(m_disposizione))
        .at(static_cast<std::size_t>(slot));
}

void Abbinamento::rilascia(int casella, int definizione)
{
    // Only a definition still in the bottom row can be dragged.
    if (casella < 0 || casella >= SlotAbbinamento || definizione < 0
        || definizione >= SlotAbbinamento || collocata(definizione))
        return;

    if (!abbinamentoEsatto(casella, definizione)) {
        m_colore = ColoreNero;
        registraVerdetto(segnale(definizione), false, Conteggio::DopoIlSuono);
        return;
    }
    // A right drop counts only the exercise it completes.
    const bool completa = m_abbinati + 1 == SlotAbbinamento;
    registraVerdetto(segnale(definizione), true, completa ? Conteggio::DopoIlSuono : Conteggio::Nessuno,
                     [this, definizione] {
                         m_collocate[static_cast<std::size_t>(definizione)] = true;
                         ++m_abbinati;
                         emit definizioneCollocata(definizione);
                     });
}

} // namespace cartavia
