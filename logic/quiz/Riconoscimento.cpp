#include "logic/quiz/Riconoscimento.h"

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Errore.h"
#include "logic/Stato.h"

#include <algorithm>

namespace cartavia {

EsercizioRiconoscimento Riconoscimento::genera()
{
    iniziaEsercizio();
    Contesto &c = contesto();
    const Stato &stato = c.stato;
    EsercizioRiconoscimento esercizio;
    esercizio.colore = ColoreCasuale(c);

    // Six different signs would never be found in a smaller range; no category is that small.
    if (stato.UltimoSegnale - stato.PrimoSegnale + 1 < FigureRiconoscimento)
        throw ErroreCartavia(QStringLiteral("Categoria con meno di sei segnali: %1-%2")
                                 .arg(stato.PrimoSegnale)
                                 .arg(stato.UltimoSegnale));

    auto estrai = [&] {
        return static_cast<qint16>(indiceNelRango(c.casuale, stato.PrimoSegnale, stato.UltimoSegnale));
    };
    // Six different signs, in the order drawn, each drawn again while it repeats a sign drawn
    // before it. While reviewing, the first is the asked sign, drawn from the missed ones,
    // and the other five differ in sign and text (Ripasso::estraiDiversi).
    const bool ripasso = stato.ripasso.attivo();
    std::array<qint16, FigureRiconoscimento> estratti{};
    if (ripasso) {
        estratti[0] = stato.ripasso.estrai(c.casuale);
        const QList<qint16> altri = stato.ripasso.estraiDiversi(
            c.casuale, stato.ListaSegnali, FigureRiconoscimento - 1, {estratti[0]});
        std::copy(altri.begin(), altri.end(), estratti.begin() + 1);
    } else {
        for (std::size_t k = 0; k < estratti.size(); ++k) {
            const auto giaEstratti = estratti.begin();
            const auto fine = giaEstratti + static_cast<std::ptrdiff_t>(k);
            qint16 segnale = estrai();
            while (std::find(giaEstratti, fine, segnale) != fine)
                segnale = estrai();
            estratti[k] = segnale;
        }
    }

    m_posizioneGiusta = static_cast<qint16>(interoDa1A(c.casuale, FigureRiconoscimento));
    const auto giusta = static_cast<std::size_t>(m_posizioneGiusta - 1);
    if (!ripasso) {
        esercizio.segnali = estratti;
    } else {
        // The asked sign stands at the right position, the others fill the rest in order.
        esercizio.segnali[giusta] = estratti[0];
        for (std::size_t k = 0, altro = 1; k < esercizio.segnali.size(); ++k)
            if (k != giusta)
                esercizio.segnali[k] = estratti[altro++];
    }
    m_segnaleChiesto = esercizio.segnali[giusta];
    esercizio.PosizioneGiusta = m_posizioneGiusta;
    esercizio.testo = QStringLiteral("   ") + stato.segnale(m_segnaleChiesto);
    return esercizio;
}

void Riconoscimento::rispondi(int indice)
{
    const bool esatta = giusta(indice);
    registraVerdetto(m_segnaleChiesto, esatta,
                     esatta ? Conteggio::PrimaDelSuono : Conteggio::DopoIlSuono);
}

} // namespace cartavia
