#include "widgets/Controlli.h"

#include "widgets/Aspetto.h"
#include "widgets/Immagini.h"
#include "logic/Voce.h"
#include "widgets/SerieClic.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
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

void RilevatoreClic::premuto(const QMouseEvent *event)
{
    m_premuta = event->button() == Qt::LeftButton;
}

bool RilevatoreClic::rilasciato(const QMouseEvent *event, const QRect &area)
{
    const bool clic = m_premuta && event->button() == Qt::LeftButton
        && area.contains(event->position().toPoint());
    m_premuta = false;
    return clic;
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

namespace {
// A picture box for a screen reader: a graphic that can be pressed like a button.
class ImmagineAccessibile : public QAccessibleWidget
{
public:
    explicit ImmagineAccessibile(Immagine *immagine)
        : QAccessibleWidget(immagine, QAccessible::Graphic)
    {
    }

    QStringList actionNames() const override
    {
        return widget()->isEnabled() && static_cast<Immagine *>(widget())->attivabile()
            ? QStringList{pressAction()}
            : QStringList{};
    }

    void doAction(const QString &azione) override
    {
        if (azione == pressAction() && !actionNames().isEmpty())
            emit static_cast<Immagine *>(widget())->clic();
    }
};

QAccessibleInterface *fabbricaAccessibile(const QString &classe, QObject *oggetto)
{
    if (classe == QLatin1String(Immagine::staticMetaObject.className()))
        return new ImmagineAccessibile(static_cast<Immagine *>(oggetto));
    return nullptr;
}
}

Etichetta::Etichetta(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText); // a catalogue text shows as typed, never as markup
    SerieClic::contaUnClic(this);
}

void Etichetta::setRisposta(bool risposta)
{
    m_risposta = risposta;
    setFocusPolicy(risposta ? Qt::StrongFocus : Qt::NoFocus);
}

void Etichetta::keyPressEvent(QKeyEvent *event)
{
    if (m_risposta && tastoDiScelta(event)) {
        event->accept();
        emit clic();
        return;
    }
    QLabel::keyPressEvent(event);
}

void Etichetta::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (m_risposta && hasFocus()) {
        QPainter painter(this);
        disegnaCorniceFuoco(painter, rect());
    }
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

void Etichetta::mousePressEvent(QMouseEvent *event)
{
    m_clic.premuto(event);
    QLabel::mousePressEvent(event);
    event->accept(); // the release must come back here, not go to the window
}

void Etichetta::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clic = m_clic.rilasciato(event, rect());
    QLabel::mouseReleaseEvent(event);
    event->accept();
    if (clic)
        emit this->clic();
}

Immagine::Immagine(QWidget *parent) : QWidget(parent)
{
    static const bool registrata = (QAccessible::installFactory(fabbricaAccessibile), true);
    Q_UNUSED(registrata);
    SerieClic::contaUnClic(this);
}

bool Immagine::attivabile() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&Immagine::clic));
}

void Immagine::setRisposta(bool risposta)
{
    m_risposta = risposta;
    setFocusPolicy(risposta ? Qt::StrongFocus : Qt::NoFocus);
}

void Immagine::keyPressEvent(QKeyEvent *event)
{
    if (m_risposta && tastoDiScelta(event)) {
        event->accept();
        emit clic();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Immagine::setBordo(bool bordo)
{
    m_bordo = bordo;
    update();
}

QRect Immagine::areaImmagine() const
{
    return m_bordo ? rect().adjusted(m_spessore, m_spessore, -m_spessore, -m_spessore) : rect();
}

void Immagine::impostaScala(qreal fattore)
{
    m_spessore = std::max(1, qRound(fattore));
    update();
}

QSize Immagine::dimensioneDecodifica() const
{
    return areaImmagine().size() * devicePixelRatioF();
}

void Immagine::carica(const QString &file)
{
    mostra(caricaImmagine(file, dimensioneDecodifica()), file);
}

void Immagine::mostra(const QImage &immagine, const QString &file)
{
    m_immagine = immagine;
    m_immagine.setDevicePixelRatio(devicePixelRatioF());
    m_file = file;
    update();
}

void disegnaBordo(QPainter &painter, const QRect &r, int s, const QColor &colore)
{
    painter.fillRect(QRect(r.left(), r.top(), r.width(), s), colore);
    painter.fillRect(QRect(r.left(), r.bottom() - s + 1, r.width(), s), colore);
    painter.fillRect(QRect(r.left(), r.top() + s, s, r.height() - 2 * s), colore);
    painter.fillRect(QRect(r.right() - s + 1, r.top() + s, s, r.height() - 2 * s), colore);
}

void caricaImmagini(const std::vector<std::pair<Immagine *, QString>> &caselle)
{
    std::vector<RichiestaImmagine> richieste;
    richieste.reserve(caselle.size());
    for (const auto &[casella, file] : caselle)
        richieste.push_back({file, casella->dimensioneDecodifica()});
    const std::vector<QImage> immagini = caricaImmagini(richieste);
    for (std::size_t i = 0; i < caselle.size(); ++i)
        caselle[i].first->mostra(immagini[i], caselle[i].second);
}

void Immagine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_immagine.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(areaImmagine(), m_immagine);
    }
    if (m_bordo)
        disegnaBordo(painter, rect(), m_spessore, palette().color(QPalette::WindowText));
    if (m_risposta && hasFocus())
        disegnaCorniceFuoco(painter, rect());
}

void Immagine::mousePressEvent(QMouseEvent *event)
{
    m_clic.premuto(event);
}

void Immagine::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_clic.rilasciato(event, rect()))
        emit clic();
}

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
