#include "widgets/Immagine.h"

#include "widgets/Controlli.h"
#include "widgets/Immagini.h"
#include "widgets/SerieClic.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace cartavia {

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

} // namespace cartavia
