#include "screens/quiz/abbinamento/CasellaRilascio.h"

#include "screens/quiz/abbinamento/DefinizioneTrascinabile.h"
#include "widgets/Controlli.h"
#include "widgets/Risorse.h"
#include "widgets/Etichetta.h"

#include <QDropEvent>
#include <QPainter>

namespace cartavia {

void CasellaRilascio::impostaScala(qreal fattore)
{
    setCursor(cursoreTrascinaInScala(fattore));
}

CasellaRilascio::CasellaRilascio(QWidget *parent) : Etichetta(parent)
{
    setAcceptDrops(true);
}

void CasellaRilascio::paintEvent(QPaintEvent *event)
{
    Etichetta::paintEvent(event);
    // The focus frame of the answers, a little inside, as on the definitions.
    if (!hasFocus())
        return;
    QPainter painter(this);
    disegnaCorniceFuoco(painter, rect().adjusted(4, 4, -4, -4));
}

void CasellaRilascio::dragEnterEvent(QDragEnterEvent *event)
{
    if (slotTrascinato(event->mimeData()) >= 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CasellaRilascio::dragMoveEvent(QDragMoveEvent *event)
{
    if (slotTrascinato(event->mimeData()) >= 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CasellaRilascio::dropEvent(QDropEvent *event)
{
    const int slot = slotTrascinato(event->mimeData());
    if (slot < 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit rilasciata(slot);
}

} // namespace cartavia
