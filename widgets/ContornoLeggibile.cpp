#include "widgets/ContornoLeggibile.h"

#include "widgets/Aspetto.h"
#include "widgets/Scala.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace cartavia {

ContornoLeggibile::ContornoLeggibile(QWidget *controllo, double soglia)
    : QGraphicsEffect(controllo), m_controllo(controllo), m_soglia(soglia)
{
    controllo->setGraphicsEffect(this);
}

QColor ContornoLeggibile::colore() const
{
    const QWidget *dietro = m_controllo->parentWidget();
    if (!dietro)
        return {};
    const QPalette &proprio = m_controllo->palette();
    const QColor colore = m_controllo->autoFillBackground()
        ? proprio.color(m_controllo->backgroundRole())
        : proprio.color(m_controllo->foregroundRole());
    const QColor sfondo = dietro->palette().color(dietro->backgroundRole());
    if (contrasto(colore, sfondo) >= m_soglia)
        return {};
    const auto risalto = [&](const QColor &c) { return std::min(contrasto(c, colore), contrasto(c, sfondo)); };
    return risalto(Qt::black) >= risalto(Qt::white) ? QColor(Qt::black) : QColor(Qt::white);
}

int ContornoLeggibile::spessore() const
{
    const Scala *scala = Scala::di(m_controllo);
    return std::max(1, qRound(2 * (scala ? scala->fattore() : 1.0)));
}

QRectF ContornoLeggibile::boundingRectFor(const QRectF &rettangolo) const
{
    const qreal s = spessore();
    return rettangolo.adjusted(-s, -s, s, s);
}

void ContornoLeggibile::draw(QPainter *painter)
{
    const QColor contorno = colore();
    if (!contorno.isValid()) {
        drawSource(painter);
        return;
    }
    QPoint posto;
    const QPixmap sorgente = sourcePixmap(Qt::DeviceCoordinates, &posto, PadToEffectiveBoundingRect);
    if (sorgente.isNull())
        return;
    // The shape of what the control paints, in the outline's colour.
    QPixmap sagoma(sorgente.size());
    sagoma.setDevicePixelRatio(sorgente.devicePixelRatio());
    sagoma.fill(Qt::transparent);
    {
        QPainter p(&sagoma);
        p.drawPixmap(0, 0, sorgente);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(sagoma.rect(), contorno);
    }
    painter->save();
    painter->setWorldTransform(QTransform());
    // The shape laid all round within the width, then the control itself on top.
    const int s = spessore();
    for (int dy = -s; dy <= s; ++dy)
        for (int dx = -s; dx <= s; ++dx)
            if (dx * dx + dy * dy <= s * s + s)
                painter->drawPixmap(posto + QPoint(dx, dy), sagoma);
    painter->drawPixmap(posto, sorgente);
    painter->restore();
}

} // namespace cartavia
