#include "logic/quiz/Definizione.h"

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Stato.h"

Definizione::Definizione(Contesto &contesto) : m_contesto(contesto) {}

EsercizioDefinizione Definizione::genera()
{
    Stato &stato = m_contesto.stato;
    EsercizioDefinizione esercizio;
    esercizio.colore = ColoreCasuale(m_contesto);

    stato.SegnaleCorrente = static_cast<qint16>(
        indiceNelRango(m_contesto.casuale, stato.PrimoSegnale, stato.UltimoSegnale));
    esercizio.segnale = stato.SegnaleCorrente;

    esercizio.posizione = interoDa1A(m_contesto.casuale, 6) - 1;
    esercizio.testi[static_cast<std::size_t>(esercizio.posizione)] =
        stato.segnale(stato.SegnaleCorrente);

    // The other five come from the whole catalogue, whatever the category: they may repeat
    // one another, or the right text.
    // Skipping by position rather than by empty text keeps it to seven draws even for a
    // catalogue entry that is blank.
    for (int i = 0; i < 6; ++i)
        if (i != esercizio.posizione)
            esercizio.testi[static_cast<std::size_t>(i)] =
                stato.segnale(interoDa1A(m_contesto.casuale, NumeroSegnali));
    return esercizio;
}

bool Definizione::giusta(const QString &testo) const
{
    const Stato &stato = m_contesto.stato;
    return testo == stato.segnale(stato.SegnaleCorrente);
}

bool Definizione::rispondi(const QString &testo)
{
    Stato &stato = m_contesto.stato;
    if (giusta(testo)) {
        aggiungiUno(stato.NumeroEsatti);
        SuonaEsatto(m_contesto);
        return true;
    }
    aggiungiUno(stato.NumeroErrati);
    SuonaErrato(m_contesto);
    return false;
}
