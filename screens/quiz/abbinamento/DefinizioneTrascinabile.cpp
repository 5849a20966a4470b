#include "screens/quiz/abbinamento/DefinizioneTrascinabile.h"

#include "logic/quiz/Abbinamento.h"
#include "widgets/Controlli.h"
#include "widgets/Risorse.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace cartavia {

const QString FormatoDefinizione = QStringLiteral("application/x-cartavia-definizione");

QMimeData *datiDefinizione(int slot)
{
    auto *dati = new QMimeData;
    dati->setData(FormatoDefinizione, QByteArray::number(slot));
    return dati;
}

int slotTrascinato(const QMimeData *dati)
{
    return numeroTrascinato(dati, FormatoDefinizione, SlotAbbinamento);
}

void disegnaContorno(QPainter &painter, const QRect &rettangolo, qreal scala)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const int spessore = std::max(1, qRound(2 * scala));
    painter.setPen(QPen(QColor(64, 64, 64), spessore, Qt::DotLine));
    const qreal meta = spessore / 2.0;
    painter.drawRect(QRectF(rettangolo).adjusted(meta, meta, -meta, -meta));
    painter.restore();
}

DefinizioneTrascinabile::DefinizioneTrascinabile(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void DefinizioneTrascinabile::setPresa(bool presa)
{
    if (m_presa == presa)
        return;
    m_presa = presa;
    // A screen reader hears it with the focused definition.
    setAccessibleDescription(presa ? QStringLiteral("presa") : QString());
    update();
}

void DefinizioneTrascinabile::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit premuta(event->position().toPoint());
        return;
    }
    QLabel::mousePressEvent(event);
}

void DefinizioneTrascinabile::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    // The focus frame of the answers, a little inside the label: its white surrounds the
    // black line, which so stands out whatever the colour around the label (black after a
    // wrong drop). The dotted outline of a definition picked up runs along the edge.
    if (!hasFocus() && !m_presa)
        return;
    QPainter painter(this);
    if (m_presa)
        disegnaContorno(painter, rect(), m_scala);
    if (hasFocus())
        disegnaCorniceFuoco(painter, rect().adjusted(4, 4, -4, -4));
}

void DefinizioneTrascinabile::impostaScala(qreal fattore)
{
    m_scala = fattore;
    setCursor(cursoreTrascinaInScala(fattore));
}

} // namespace cartavia
