#include "widgets/Controlli.h"

#include "logic/Voce.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>

#include <functional>

namespace cartavia {

void nominaControllo(QObject *controllo, const QString &nome, int indice)
{
    controllo->setObjectName(indice < 0 ? nome : nome + QLatin1Char('_') + QString::number(indice));
}

void impostaRiquadro(QLabel *etichetta, const QFont &font, Qt::Alignment allineamento)
{
    etichetta->setFont(font);
    etichetta->setFrameStyle(QFrame::Box | QFrame::Plain);
    etichetta->setLineWidth(1);
    etichetta->setWordWrap(true);
    etichetta->setTextFormat(Qt::PlainText);
    etichetta->setAlignment(allineamento);
}

int numeroTrascinato(const QMimeData *dati, const QString &formato, int limite)
{
    if (!dati || !dati->hasFormat(formato))
        return -1;
    bool ok = false;
    const int numero = dati->data(formato).toInt(&ok);
    return ok && numero >= 0 && numero < limite ? numero : -1;
}

void descriviPerLettore(QWidget *controllo, const QString &nome, const QString &descrizione)
{
    controllo->setAccessibleName(nome);
    controllo->setAccessibleDescription(descrizione);
}

namespace {

// Reads its control's text aloud on a right click (a context menu request) or Ctrl+L.
class LetturaAdAltaVoce : public QObject
{
public:
    LetturaAdAltaVoce(QWidget *controllo, Voce &voce, std::function<QString()> testo)
        : QObject(controllo), m_voce(voce), m_testo(std::move(testo))
    {
    }

    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (evento->type() == QEvent::ContextMenu) {
            leggi();
            return true;
        }
        if (evento->type() == QEvent::KeyPress) {
            const auto *tasto = static_cast<QKeyEvent *>(evento);
            if (tasto->key() == Qt::Key_L && tasto->modifiers() == Qt::ControlModifier) {
                leggi();
                return true;
            }
        }
        return QObject::eventFilter(oggetto, evento);
    }

private:
    void leggi()
    {
        const QString testo = m_testo().trimmed();
        if (!testo.isEmpty())
            m_voce.leggi(testo);
    }

    Voce &m_voce;
    std::function<QString()> m_testo;
};

} // namespace

void rendiLeggibile(QLabel *etichetta, Voce &voce)
{
    etichetta->setFocusPolicy(Qt::TabFocus);
    etichetta->setContextMenuPolicy(Qt::DefaultContextMenu);
    etichetta->installEventFilter(new LetturaAdAltaVoce(etichetta, voce, [etichetta] { return etichetta->text(); }));
}

void rendiLeggibile(QAbstractButton *pulsante, Voce &voce)
{
    pulsante->setContextMenuPolicy(Qt::DefaultContextMenu);
    pulsante->installEventFilter(new LetturaAdAltaVoce(pulsante, voce, [pulsante] { return pulsante->text(); }));
}

void mostraContatore(QLabel *etichetta, const QString &nome, const QString &testo)
{
    etichetta->setText(testo);
    etichetta->setAccessibleName(nome);
    etichetta->setAccessibleDescription(testo.trimmed());
}

bool tastoDiScelta(const QKeyEvent *event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || event->isAutoRepeat())
        return false;
    return event->key() == Qt::Key_Space || event->key() == Qt::Key_Return
        || event->key() == Qt::Key_Enter;
}

void disegnaCorniceFuoco(QPainter &painter, const QRect &rettangolo)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    QPen penna(Qt::black, 2);
    penna.setJoinStyle(Qt::MiterJoin);
    painter.setPen(penna);
    painter.drawRect(QRectF(rettangolo).adjusted(1, 1, -1, -1));
    penna.setColor(Qt::white);
    painter.setPen(penna);
    painter.drawRect(QRectF(rettangolo).adjusted(3, 3, -3, -3));
    painter.restore();
}

} // namespace cartavia
