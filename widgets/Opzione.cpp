#include "widgets/Opzione.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>

namespace cartavia {

namespace {
class StileInScala : public QProxyStyle
{
public:
    StileInScala(qreal fattore, QObject *padre)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), m_fattore(fattore)
    {
        setParent(padre);
    }

    int pixelMetric(PixelMetric misura, const QStyleOption *opzione, const QWidget *widget) const override
    {
        const int valore = QProxyStyle::pixelMetric(misura, opzione, widget);
        const bool indicatore = misura == PM_ExclusiveIndicatorWidth
            || misura == PM_ExclusiveIndicatorHeight || misura == PM_RadioButtonLabelSpacing;
        return indicatore ? qRound(valore * m_fattore) : valore;
    }

    qreal m_fattore;
};
}

Opzione::Opzione(const QString &testo, QWidget *parent) : QRadioButton(testo, parent) {}

void Opzione::impostaScala(qreal fattore)
{
    if (fattore == 1) {
        setStyle(nullptr); // the application's own, as at the start
        return;
    }
    if (!m_stile)
        m_stile = new StileInScala(fattore, this);
    static_cast<StileInScala *>(m_stile)->m_fattore = fattore;
    setStyle(m_stile);
    update();
}

} // namespace cartavia
