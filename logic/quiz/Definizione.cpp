#include "logic/quiz/Definizione.h"

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Stato.h"

namespace cartavia {

EsercizioDefinizione Definizione::genera()
{
    iniziaEsercizio();
    Contesto &c = contesto();
    Stato &stato = c.stato;
    EsercizioDefinizione esercizio;
    esercizio.colore = ColoreCasuale(c);

    const bool ripasso = stato.ripasso.attivo();
    stato.SegnaleCorrente = ripasso
        ? stato.ripasso.estrai(c.casuale)
        : static_cast<qint16>(indiceNelRango(c.casuale, stato.PrimoSegnale, stato.UltimoSegnale));
    esercizio.segnale = stato.SegnaleCorrente;

    esercizio.posizione = interoDa1A(c.casuale, DescrizioniDefinizione) - 1;
    esercizio.testi[static_cast<std::size_t>(esercizio.posizione)] =
        stato.segnale(stato.SegnaleCorrente);

    // While reviewing, the other five are five more signs, all different in sign and text.
    const QList<qint16> altri = ripasso
        ? stato.ripasso.estraiDiversi(c.casuale, stato.ListaSegnali, DescrizioniDefinizione - 1,
                                      {stato.SegnaleCorrente})
        : QList<qint16>{};
    // Otherwise they come from the whole catalogue, whatever the category: they may repeat
    // one another, or the right text.
    // Skipping by position rather than by empty text keeps it to seven draws even for a
    // catalogue entry that is blank.
    for (int i = 0, k = 0; i < DescrizioniDefinizione; ++i) {
        if (i == esercizio.posizione)
            continue;
        const int altro = ripasso ? altri.at(k++) : interoDa1A(c.casuale, NumeroSegnali);
        esercizio.testi[static_cast<std::size_t>(i)] = stato.segnale(altro);
    }
    return esercizio;
}

bool Definizione::giusta(const QString &testo) const
{
    const Stato &stato = contesto().stato;
    return testo == stato.segnale(stato.SegnaleCorrente);
}

void Definizione::rispondi(const QString &testo)
{
    registraVerdetto(contesto().stato.SegnaleCorrente, giusta(testo), Conteggio::PrimaDelSuono);
}

} // namespace cartavia
