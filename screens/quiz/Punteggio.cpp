#include "screens/quiz/Punteggio.h"

#include "logic/ModuloColoriSuoni.h"
#include "logic/Stato.h"
#include "widgets/Aspetto.h"
#include "widgets/ContornoLeggibile.h"
#include "widgets/Controlli.h"
#include "widgets/Risorse.h"
#include "widgets/PulsanteGrafico.h"

#include <QLabel>

namespace cartavia {

Punteggio::Punteggio(QWidget *area, const PostiPunteggio &posti)
{
    auto faccia = [&](const char *nome, const char *icona, const QString &lettore) {
        auto *p = new PulsanteGrafico(cartavia::icona(icona), QString(), area);
        nominaControllo(p, QLatin1String(nome));
        p->setGeometry(posti.facce);
        // They do nothing when clicked: out of the tab order, never framed by the focus.
        p->setFocusPolicy(Qt::NoFocus);
        descriviPerLettore(p, lettore);
        return p;
    };
    ComandoIconaSi = faccia("ComandoIconaSi", "faccia_si", QStringLiteral("Risposta giusta"));
    ComandoIconaNo = faccia("ComandoIconaNo", "faccia_no", QStringLiteral("Risposta sbagliata"));
    ComandoIconaSi->hide();

    auto etichetta = [&](const char *nome, const QString &testo, const QRect &posto, qreal punti) {
        auto *l = new QLabel(testo, area);
        nominaControllo(l, QLatin1String(nome));
        l->setGeometry(posto);
        l->setFont(carattere(QStringLiteral("Arial"), punti, true));
        // Drawn straight on the random colour: the classic black, whatever the theme, with a
        // halo where the colour is too dark for it.
        impostaColoreTesto(l, ColoreTestoClassico);
        new ContornoLeggibile(l, ContrastoMinimo);
        return l;
    };
    Label3 = etichetta("Label3", QStringLiteral("Esatti"), posti.esatti, 12);
    EtichettaEsatti = etichetta("EtichettaEsatti", QStringLiteral("quantiesatti"), posti.etichettaEsatti, 18);
    Label2 = etichetta("Label2", QStringLiteral("Errati"), posti.errati, 12);
    EtichettaErrati = etichetta("EtichettaErrati", QStringLiteral("quantierrati"), posti.etichettaErrati, 18);
}

void Punteggio::mostraFaccia(bool giusta)
{
    ComandoIconaSi->setVisible(giusta);
    ComandoIconaNo->setVisible(!giusta);
}

void Punteggio::mostraContatori(int esatti, int errati)
{
    mostraContatore(EtichettaEsatti, QStringLiteral("Esatti"), testoContatore(esatti));
    mostraContatore(EtichettaErrati, QStringLiteral("Errati"), testoContatore(errati));
}

} // namespace cartavia
