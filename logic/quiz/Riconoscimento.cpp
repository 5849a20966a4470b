#include "logic/quiz/Riconoscimento.h"

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Errore.h"
#include "logic/Stato.h"

#include <algorithm>

Riconoscimento::Riconoscimento(Contesto &contesto) : m_contesto(contesto) {}

EsercizioRiconoscimento Riconoscimento::nuovo()
{
    const Stato &stato = m_contesto.stato;
    EsercizioRiconoscimento esercizio;
    esercizio.colore = ColoreCasuale(m_contesto);

    // Six different signs would never be found in a smaller range; no category is that small.
    if (stato.UltimoSegnale - stato.PrimoSegnale + 1 < 6)
        throw ErroreCartavia(QStringLiteral("Categoria con meno di sei segnali: %1-%2")
                                 .arg(stato.PrimoSegnale)
                                 .arg(stato.UltimoSegnale));

    auto estrai = [&] {
        return static_cast<qint16>(
            indiceNelRango(m_contesto.casuale, stato.PrimoSegnale, stato.UltimoSegnale));
    };
    for (std::size_t k = 0; k < esercizio.segnali.size(); ++k) {
        const auto giaEstratti = esercizio.segnali.begin();
        const auto fine = giaEstratti + static_cast<std::ptrdiff_t>(k);
        qint16 segnale = estrai();
        while (std::find(giaEstratti, fine, segnale) != fine)
            segnale = estrai();
        esercizio.segnali[k] = segnale;
    }

    m_posizioneGiusta = static_cast<qint16>(interoDa1A(m_contesto.casuale, 6));
    esercizio.PosizioneGiusta = m_posizioneGiusta;
    esercizio.testo = QStringLiteral("   ")
        + stato.segnale(esercizio.segnali[static_cast<std::size_t>(m_posizioneGiusta - 1)]);
    return esercizio;
}

bool Riconoscimento::rispondi(int indice)
{
    Stato &stato = m_contesto.stato;
    if (giusta(indice)) {
        aggiungiUno(stato.NumeroEsatti);
        SuonaEsatto(m_contesto);
        return true;
    }
    SuonaErrato(m_contesto);
    aggiungiUno(stato.NumeroErrati);
    return false;
}
