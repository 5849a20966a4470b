#include "logic/quiz/Riconoscimento.h"

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Errore.h"
#include "logic/Stato.h"

#include <algorithm>

namespace cartavia {

Riconoscimento::Riconoscimento(Contesto &contesto, QObject *parent)
    : RegoleQuiz(parent), m_contesto(contesto)
{
}

EsercizioRiconoscimento Riconoscimento::genera()
{
    const Stato &stato = m_contesto.stato;
    EsercizioRiconoscimento esercizio;
    esercizio.colore = ColoreCasuale(m_contesto);

    // Six different signs would never be found in a smaller range; no category is that small.
    if (stato.UltimoSegnale - stato.PrimoSegnale + 1 < FigureRiconoscimento)
        throw ErroreCartavia(QStringLiteral("Categoria con meno di sei segnali: %1-%2")
                                 .arg(stato.PrimoSegnale)
                                 .arg(stato.UltimoSegnale));

    auto estrai = [&] {
        return static_cast<qint16>(
            indiceNelRango(m_contesto.casuale, stato.PrimoSegnale, stato.UltimoSegnale));
    };
    // Six different signs, in the order drawn. While reviewing, the first is the asked sign,
    // drawn from the missed ones; the other five are drawn as always, again while one
    // repeats a sign drawn before it.
    const bool ripasso = stato.ripasso.attivo();
    std::array<qint16, FigureRiconoscimento> estratti{};
    for (std::size_t k = 0; k < estratti.size(); ++k) {
        const auto giaEstratti = estratti.begin();
        const auto fine = giaEstratti + static_cast<std::ptrdiff_t>(k);
        if (ripasso && k == 0) {
            estratti[k] = stato.ripasso.estrai(m_contesto.casuale);
            continue;
        }
        qint16 segnale = estrai();
        while (std::find(giaEstratti, fine, segnale) != fine)
            segnale = estrai();
        estratti[k] = segnale;
    }

    m_posizioneGiusta = static_cast<qint16>(interoDa1A(m_contesto.casuale, FigureRiconoscimento));
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
    Stato &stato = m_contesto.stato;
    const bool esatta = giusta(indice);
    if (esatta) {
        stato.ripasso.esatto(m_segnaleChiesto);
        aggiungiUno(stato.NumeroEsatti);
        SuonaEsatto(m_contesto);
    } else {
        stato.ripasso.sbagliato(m_segnaleChiesto);
        SuonaErrato(m_contesto);
        aggiungiUno(stato.NumeroErrati);
    }
    emit contatoriCambiati(stato.NumeroEsatti, stato.NumeroErrati);
    emit rispostaData(esatta);
}

} // namespace cartavia
