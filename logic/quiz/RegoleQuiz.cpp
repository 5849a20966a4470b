#include "logic/quiz/RegoleQuiz.h"

#include "logic/Contesto.h"
#include "logic/ModuloColoriSuoni.h"
#include "logic/Stato.h"

namespace cartavia {

RegoleQuiz::RegoleQuiz(Contesto &contesto, QObject *parent) : QObject(parent), m_contesto(contesto) {}

void RegoleQuiz::iniziaEsercizio()
{
    m_mancati.clear();
    m_concluso = false;
}

void RegoleQuiz::registraVerdetto(qint16 segnale, bool giusta, Conteggio conteggio,
                                  const std::function<void()> &propria)
{
    Stato &stato = m_contesto.stato;
    if (giusta) {
        stato.ripasso.esatto(segnale, !m_mancati.contains(segnale));
    } else {
        stato.ripasso.sbagliato(segnale);
        m_mancati.append(segnale);
    }

    qint16 &contatore = giusta ? stato.NumeroEsatti : stato.NumeroErrati;
    if (conteggio == Conteggio::PrimaDelSuono)
        aggiungiUno(contatore);
    if (giusta)
        SuonaEsatto(m_contesto);
    else
        SuonaErrato(m_contesto);
    if (propria)
        propria();
    if (conteggio == Conteggio::DopoIlSuono)
        aggiungiUno(contatore);

    if (conteggio != Conteggio::Nessuno) {
        m_concluso = giusta;
        emit contatoriCambiati(stato.NumeroEsatti, stato.NumeroErrati);
    }
    emit rispostaData(giusta);
}

} // namespace cartavia
