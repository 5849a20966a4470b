#include "logic/Modulo1.h"

#include "logic/Contesto.h"
#include "logic/Errore.h"
#include "logic/Protezione.h"

namespace cartavia {

QString testoInformazioni()
{
    return QStringLiteral("Orvella  \r\n"
                          " ----------------------- \r\n"
                          "https://cartavia.example.org\r\n"
                          "mail: info@cartavia.example.org");
}

void MostraInformazioni(Contesto &contesto)
{
    contesto.dialoghi.mostra(testoInformazioni(), Dialoghi::Informazione);
}

void ChiediUscita(Contesto &contesto)
{
    if (contesto.dialoghi.mostra(QStringLiteral("Vuoi uscire dal programma?"),
                                 Dialoghi::DomandaSiNo) == Dialoghi::Si)
        contesto.termina(0);
}

bool chiediRitornoMenu(Contesto &contesto)
{
    return contesto.dialoghi.mostra(QStringLiteral("Vuoi tornare al menù?"),
                                    Dialoghi::DomandaSiNo) == Dialoghi::Si;
}

void avvisaRipassoConcluso(Contesto &contesto)
{
    contesto.dialoghi.mostra(QStringLiteral("Hai ripassato tutti i segnali sbagliati!"),
                             Dialoghi::Informazione);
}

void segnalaErrore(Contesto &contesto, const ErroreCartavia &errore)
{
    // While the message is up its own events still run; a second failure among them adds
    // no second box.
    static bool inCorso = false;
    if (!inCorso) {
        inCorso = true;
        contesto.dialoghi.mostra(errore.testo(), Dialoghi::Errore);
        inCorso = false;
    }
    contesto.termina(1);
}

void segnalaErroreImprevisto(Contesto &contesto, const std::exception &errore)
{
    segnalaErrore(contesto, ErroreCartavia(QStringLiteral("Errore imprevisto: ")
                                           + QString::fromLocal8Bit(errore.what())));
}

} // namespace cartavia
