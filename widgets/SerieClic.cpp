#include "widgets/SerieClic.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

namespace cartavia {

namespace {
const char *const UnClic = "cartavia_unClicPerSerie";

bool unClicPerSerie(const QPointF &globale)
{
    for (QWidget *w = QApplication::widgetAt(globale.toPoint()); w; w = w->parentWidget()) {
        if (w->property(UnClic).toBool())
            return true;
        if (w->isWindow())
            break;
    }
    return false;
}
}

SerieClic::SerieClic(QObject *parent) : QObject(parent) {}

void SerieClic::installa()
{
    // Owned by the application: a new application gets a new one.
    static QPointer<SerieClic> filtro;
    if (filtro || !qApp)
        return;
    filtro = new SerieClic(qApp);
    qApp->installEventFilter(filtro);
}

void SerieClic::contaUnClic(QWidget *controllo)
{
    controllo->setProperty(UnClic, true);
    installa();
}

bool SerieClic::continuaSerie(const QMouseEvent *evento) const
{
    const QStyleHints *suggerimenti = QGuiApplication::styleHints();
    return m_inSerie && int(evento->button()) == m_pulsante
        && evento->timestamp() - m_tempo < static_cast<unsigned long long>(suggerimenti->mouseDoubleClickInterval())
        && (evento->globalPosition() - m_punto).manhattanLength() <= suggerimenti->mouseDoubleClickDistance();
}

bool SerieClic::eventFilter(QObject *oggetto, QEvent *evento)
{
    // Every press reaches its window before any widget: one look per press.
    auto *finestra = qobject_cast<QWindow *>(oggetto);
    if (!finestra)
        return false;
    switch (evento->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(evento);
        const bool seguito = continuaSerie(mouse);
        m_inSerie = true;
        m_tempo = mouse->timestamp();
        m_punto = mouse->globalPosition();
        m_pulsante = int(mouse->button());
        m_scartaDoppio = false;
        if (!seguito) {
            m_prima = finestra;
            return false;
        }
        if (finestra != m_prima || unClicPerSerie(mouse->globalPosition())) {
            m_scartaDoppio = true;
            m_rilasciDaScartare |= int(mouse->button());
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonDblClick:
        return m_scartaDoppio;
    case QEvent::MouseButtonRelease: {
        const int pulsante = int(static_cast<QMouseEvent *>(evento)->button());
        if (!(m_rilasciDaScartare & pulsante))
            return false;
        m_rilasciDaScartare &= ~pulsante;
        return true;
    }
    default:
        return false;
    }
}

} // namespace cartavia
