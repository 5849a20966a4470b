#include "screens/quiz/riconoscimento/CorniceRisposta.h"

#include "widgets/Immagine.h"

#include <QPainter>

#include <algorithm>

namespace cartavia {

CorniceRisposta::CorniceRisposta(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void CorniceRisposta::impostaScala(qreal fattore)
{
    m_spessore = std::max(1, qRound(Spessore * fattore));
    update();
}

void CorniceRisposta::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect r = rect();
    disegnaBordo(painter, r, qMin(m_spessore, qMin(r.width(), r.height()) / 2), colore());
}

} // namespace cartavia
