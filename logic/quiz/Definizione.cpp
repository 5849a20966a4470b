#include "logic/quiz/Definizione.h"

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Stato.h"

namespace cartavia {

Definizione::Definizione(Contesto &contesto, QObject *parent) : RegoleQuiz(parent), m_contesto(contesto) {}

EsercizioDefinizione Definizione::genera()
{
    Stato &stato = m_contesto.stato;
    EsercizioDefinizione esercizio;
    esercizio.colore = ColoreCasuale(m_contesto);

    const bool ripasso = stato.ripasso.attivo();
    stato.SegnaleCorrente = ripasso
        ? stato.ripasso.estrai(m_contesto.casuale)
        : static_cast<qint16>(
              indiceNelRango(m_contesto.casuale, stato.PrimoSegnale, stato.UltimoSegnale));
    esercizio.segnale = stato.SegnaleCorrente;

    esercizio.posizione = interoDa1A(m_contesto.casuale, DescrizioniDefinizione) - 1;
    esercizio.testi[static_cast<std::size_t>(esercizio.posizione)] =
        stato.segnale(stato.SegnaleCorrente);

    // The other five come from the whole catalogue, whatever the category: they may repeat
    // one another, or the right text.
    // Skipping by position rather than by empty text keeps it to seven draws even for a
    // catalogue entry that is blank.
    // While reviewing, another label never shows the asked sign: its draw is taken again.
    for (int i = 0; i < DescrizioniDefinizione; ++i) {
        if (i == esercizio.posizione)
            continue;
        int altro = interoDa1A(m_contesto.casuale, NumeroSegnali);
        while (ripasso && altro == stato.SegnaleCorrente)
            altro = interoDa1A(m_contesto.casuale, NumeroSegnali);
        esercizio.testi[static_cast<std::size_t>(i)] = stato.segnale(altro);
    }
    return esercizio;
}

bool Definizione::giusta(const QString &testo) const
{
    const Stato &stato = m_contesto.stato;
    return testo == stato.segnale(stato.SegnaleCorrente);
}

void Definizione::rispondi(const QString &testo)
{
    Stato &stato = m_contesto.stato;
    const bool esatta = giusta(testo);
    if (esatta) {
        stato.ripasso.esatto(stato.SegnaleCorrente);
        aggiungiUno(stato.NumeroEsatti);
        SuonaEsatto(m_contesto);
    } else {
        stato.ripasso.sbagliato(stato.SegnaleCorrente);
        aggiungiUno(stato.NumeroErrati);
        SuonaErrato(m_contesto);
    }
    emit contatoriCambiati(stato.NumeroEsatti, stato.NumeroErrati);
    emit rispostaData(esatta);
}

} // namespace cartavia
