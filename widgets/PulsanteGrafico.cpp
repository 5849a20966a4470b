#include "widgets/PulsanteGrafico.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace cartavia {

namespace {
// The style keeps what it draws in QPixmapCache under the palette's cache key, and that key is
// new for every palette object, even one with the very same colours. A quiz gives its area a
// new palette with every exercise's background colour, and its buttons inherit it: so every
// exercise left one more set of button pictures in the cache, until the cache reached its
// limit (10 MB) some hundred exercises later. The buttons paint with one shared palette per
// set of colours instead; the colours drawn are the same.
QPalette paletteCondivisa(const QPalette &palette)
{
    static QList<QPalette> condivise;
    for (const QPalette &p : std::as_const(condivise))
        if (p == palette)
            return p;
    if (condivise.size() >= 64) // never reached by the program's colours; a bound all the same
        condivise.clear();
    condivise.append(palette);
    return palette;
}
}

namespace {
// Hands Return and keypad Enter to the button as the Space key, press and release alike.
class InvioComeSpazio : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (evento->type() != QEvent::KeyPress && evento->type() != QEvent::KeyRelease)
            return false;
        const auto *tasto = static_cast<QKeyEvent *>(evento);
        if (tasto->key() != Qt::Key_Return && tasto->key() != Qt::Key_Enter)
            return false;
        QKeyEvent spazio(evento->type(), Qt::Key_Space,
                         tasto->modifiers() & ~Qt::KeypadModifier, QStringLiteral(" "),
                         tasto->isAutoRepeat());
        QCoreApplication::sendEvent(oggetto, &spazio);
        return true;
    }
};
}

void premiConInvio(QAbstractButton *pulsante)
{
    // One filter for the program, owned by the application: a new application gets a new one.
    static QPointer<InvioComeSpazio> filtro;
    if (!filtro)
        filtro = new InvioComeSpazio(QCoreApplication::instance());
    pulsante->installEventFilter(filtro);
}

PulsanteGrafico::PulsanteGrafico(const QIcon &icona, const QString &testo, QWidget *parent)
    : QAbstractButton(parent)
{
    setIcon(icona);
    setIconSize(QSize(32, 32));
    setText(testo);
    setFocusPolicy(Qt::StrongFocus);
    premiConInvio(this);
}

QSize PulsanteGrafico::sizeHint() const
{
    return QSize(120, 60);
}

void PulsanteGrafico::impostaScala(qreal fattore)
{
    if (!m_iconaNaturale.isValid())
        m_iconaNaturale = iconSize();
    m_scala = fattore;
    setIconSize(m_iconaNaturale * fattore);
}

void PulsanteGrafico::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton opzioni;
    opzioni.initFrom(this);
    opzioni.palette = paletteCondivisa(opzioni.palette);
    if (isDown())
        opzioni.state |= QStyle::State_Sunken;
    else
        opzioni.state |= QStyle::State_Raised;
    painter.drawControl(QStyle::CE_PushButtonBevel, opzioni);

    // Lengths of the natural size, times the window's factor.
    const auto px = [this](int naturali) { return std::max(1, qRound(naturali * m_scala)); };
    const QRect interno = rect().adjusted(px(4), px(4), -px(4), -px(4));
    const int flagTesto = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    const QRect testo = text().isEmpty()
        ? QRect()
        : fontMetrics().boundingRect(QRect(interno.left(), 0, interno.width(), 10000),
                                     flagTesto, text());
    const int spazio = text().isEmpty() ? 0 : px(2);
    const int altezza = iconSize().height() + spazio + testo.height();
    int y = interno.top() + qMax(0, (interno.height() - altezza) / 2);
    if (isDown())
        y += px(1);

    const QIcon::Mode modo = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QRect zonaIcona(rect().center().x() - iconSize().width() / 2 + px(1), y,
                          iconSize().width(), iconSize().height());
    icon().paint(&painter, zonaIcona, Qt::AlignCenter, modo);

    if (!text().isEmpty()) {
        const QRect zonaTesto(interno.left(), y + iconSize().height() + spazio, interno.width(),
                              testo.height());
        painter.drawItemText(zonaTesto, flagTesto, palette(), isEnabled(), text(),
                             QPalette::ButtonText);
    }
    if (hasFocus()) {
        QPen penna(palette().color(QPalette::Active, QPalette::Highlight), px(2));
        penna.setJoinStyle(Qt::MiterJoin);
        painter.setPen(penna);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(px(4), px(4), -px(4), -px(4)));
    }
}

} // namespace cartavia
