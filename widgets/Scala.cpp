#include "widgets/Scala.h"

#include "logic/Protezione.h"
#include "widgets/Immagine.h"


#include <QEvent>
#include <QFrame>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace cartavia {

namespace {
// A length in pixels at the factor, at least one pixel when it was one.
int linea(int naturale, qreal fattore)
{
    return naturale > 0 ? std::max(1, qRound(naturale * fattore)) : naturale;
}
}

QFont fontInScala(const QFont &naturale, qreal fattore)
{
    if (fattore == 1)
        return naturale;
    QFont font = naturale;
    if (naturale.pointSizeF() > 0)
        font.setPointSizeF(naturale.pointSizeF() * fattore);
    else if (naturale.pixelSize() > 0)
        font.setPixelSize(std::max(1, qRound(naturale.pixelSize() * fattore)));
    return font;
}

Scala::Scala(QWidget *ospite, const QSize &naturale)
    : QObject(ospite), m_ospite(ospite), m_naturale(naturale)
{
    ospite->setMinimumSize(naturale);
    ospite->resize(naturale);
    ospite->installEventFilter(this);

    auto *f11 = new QShortcut(QKeySequence(Qt::Key_F11), ospite->window());
    f11->setContext(Qt::WindowShortcut);
    // throws nothing: the pictures are read again at the resize, through the guard.
    connect(f11, &QShortcut::activated, this, [this] { alternaSchermoIntero(m_ospite->window()); });
}

void Scala::alternaSchermoIntero(QWidget *finestra)
{
    finestra->setWindowState(finestra->windowState() ^ Qt::WindowFullScreen);
    finestra->show();
}

qreal Scala::fattoreFinestra(const QWidget *finestra)
{
    const Scala *scala = finestra ? finestra->window()->findChild<Scala *>() : nullptr;
    return scala ? scala->fattore() : 1;
}

Scala *Scala::di(const QWidget *controllo)
{
    for (const QWidget *w = controllo; w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (auto *scala = w->findChild<Scala *>(QString(), Qt::FindDirectChildrenOnly))
            return scala;
    return nullptr;
}

QRect Scala::naturale(const QWidget *controllo) const
{
    const auto it = m_indice.constFind(controllo);
    return it == m_indice.constEnd() ? controllo->geometry() : m_voci[*it].rettangolo;
}

void Scala::posa(QWidget *controllo, const QRect &naturale)
{
    const auto it = m_indice.constFind(controllo);
    if (it == m_indice.constEnd()) {
        controllo->setGeometry(naturale); // not scaled yet: the layout stands as placed
        return;
    }
    m_voci[*it].rettangolo = naturale;
    applica(m_voci[*it]);
}

void Scala::posa(QWidget *controllo, const QPoint &naturale)
{
    posa(controllo, QRect(naturale, this->naturale(controllo).size()));
}

QRect Scala::inScala(const QRect &r, const QWidget *genitore) const
{
    // Edges are scaled, not sizes: controls that touch at the natural size still touch.
    const qreal f = m_fattore;
    const int x0 = qRound(r.x() * f);
    const int y0 = qRound(r.y() * f);
    const int x1 = qRound((r.x() + r.width()) * f);
    const int y1 = qRound((r.y() + r.height()) * f);
    QRect risultato(x0, y0, x1 - x0, y1 - y0);
    if (genitore == m_ospite)
        risultato.translate(m_margine);
    return risultato;
}

void Scala::registra(QWidget *controllo)
{
    Voce voce;
    voce.controllo = controllo;
    voce.rettangolo = controllo->geometry();
    voce.applicato = voce.rettangolo;
    // The host's font always: the controls that have none of their own take it from there.
    voce.conFont = controllo == m_ospite || controllo->testAttribute(Qt::WA_SetFont);
    voce.font = controllo->font();
    voce.fontApplicato = voce.font;
    if (auto *cornice = qobject_cast<QFrame *>(controllo)) {
        voce.linea = cornice->lineWidth();
        voce.lineaMedia = cornice->midLineWidth();
    }
    m_indice.insert(controllo, int(m_voci.size()));
    m_voci.push_back(voce);
    if (controllo != m_ospite)
        controllo->installEventFilter(this);
}

void Scala::applica(Voce &voce)
{
    QWidget *controllo = voce.controllo;
    if (!controllo)
        return;
    const bool prima = std::exchange(m_applicando, true);
    if (controllo != m_ospite) {
        voce.applicato = inScala(voce.rettangolo, controllo->parentWidget());
        if (controllo->geometry() != voce.applicato)
            controllo->setGeometry(voce.applicato);
    }
    if (voce.conFont) {
        voce.fontApplicato = fontInScala(voce.font, m_fattore);
        if (controllo->font() != voce.fontApplicato)
            controllo->setFont(voce.fontApplicato);
    }
    if (voce.linea >= 0) {
        auto *cornice = static_cast<QFrame *>(controllo);
        cornice->setLineWidth(linea(voce.linea, m_fattore));
        cornice->setMidLineWidth(linea(voce.lineaMedia, m_fattore));
    }
    m_applicando = prima;
}

void Scala::aggiorna()
{
    const QSize area = m_ospite->size();
    if (area.isEmpty() || m_naturale.isEmpty())
        return;
    const qreal fattore = std::min(qreal(area.width()) / m_naturale.width(),
                                   qreal(area.height()) / m_naturale.height());
    if (!m_attiva && area == m_naturale)
        return;

    // Until the host first leaves its natural size the controls stay exactly as placed;
    // then they are remembered as they stand, and so are the ones made since.
    if (!m_attiva)
        registra(m_ospite);
    m_attiva = true;
    const QList<QWidget *> controlli = m_ospite->findChildren<QWidget *>();
    for (QWidget *controllo : controlli)
        if (!controllo->isWindow() && !m_indice.contains(controllo))
            registra(controllo);

    // What the host shows stands in its middle: the controls' box, not the natural area,
    // whose margins the layout may leave uneven. At the natural size the layout's own.
    QPoint margine;
    if (area != m_naturale) {
        QRect contenuto;
        for (const Voce &voce : m_voci)
            if (voce.controllo && voce.controllo->parentWidget() == m_ospite)
                contenuto |= voce.rettangolo;
        if (contenuto.isEmpty())
            contenuto = QRect(QPoint(), m_naturale);
        const int x0 = qRound(contenuto.x() * fattore), y0 = qRound(contenuto.y() * fattore);
        const int x1 = qRound((contenuto.x() + contenuto.width()) * fattore);
        const int y1 = qRound((contenuto.y() + contenuto.height()) * fattore);
        margine = QPoint((area.width() - (x1 - x0)) / 2 - x0, (area.height() - (y1 - y0)) / 2 - y0);
    }
    if (fattore == m_fattore && margine == m_margine)
        return;
    m_fattore = fattore;
    m_margine = margine;

    for (Voce &voce : m_voci)
        applica(voce);
    for (const Voce &voce : m_voci)
        if (auto *scalabile = dynamic_cast<Scalabile *>(voce.controllo.data()))
            scalabile->impostaScala(m_fattore);
    ricaricaImmagini();
    emit scalata(m_fattore);
}

void Scala::ricaricaImmagini()
{
    // Each picture decoded again at the size it is shown at, all at once.
    std::vector<std::pair<Immagine *, QString>> caselle;
    for (const Voce &voce : m_voci) {
        auto *immagine = qobject_cast<Immagine *>(voce.controllo.data());
        if (immagine && !immagine->file().isEmpty()
            && immagine->immagine().size() != immagine->dimensioneDecodifica())
            caselle.emplace_back(immagine, immagine->file());
    }
    if (!caselle.empty())
        caricaImmagini(caselle);
}

bool Scala::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == m_ospite && evento->type() == QEvent::Resize) {
        if (m_contesto)
            eseguiProtetto(*m_contesto, [this] { aggiorna(); });
        else
            aggiorna();
        return false;
    }
    if (m_applicando || !m_attiva)
        return false;
    const auto it = m_indice.constFind(static_cast<QWidget *>(oggetto));
    if (it == m_indice.constEnd())
        return false;
    Voce &voce = m_voci[*it];
    QWidget *controllo = voce.controllo;
    if (!controllo)
        return false;

    switch (evento->type()) {
    case QEvent::Move:
    case QEvent::Resize: {
        // The window placed the control itself: what it gave is in natural units.
        const QRect ora = controllo->geometry();
        if (controllo == m_ospite || ora == voce.applicato)
            return false;
        if (ora.topLeft() != voce.applicato.topLeft())
            voce.rettangolo.moveTopLeft(ora.topLeft());
        if (ora.size() != voce.applicato.size())
            voce.rettangolo.setSize(ora.size());
        applica(voce);
        return false;
    }
    case QEvent::FontChange:
        if (controllo->testAttribute(Qt::WA_SetFont) && controllo->font() != voce.fontApplicato) {
            voce.conFont = true;
            voce.font = controllo->font();
            applica(voce);
        }
        return false;
    default:
        return false;
    }
}

} // namespace cartavia
