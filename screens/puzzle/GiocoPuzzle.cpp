#include "screens/puzzle/GiocoPuzzle.h"

#include "logic/Casuale.h"
#include "widgets/Controlli.h"
#include "widgets/SerieClic.h"
#include "logic/CasualeOrologio.h"

#include <QApplication>
#include <QDrag>
#include <QEasingCurve>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <optional>

namespace cartavia {

const char *const GiocoPuzzle::TipoMime = "application/x-cartavia-pezzo-puzzle";

namespace {
const QColor ColoreLinee(48, 48, 48);
const QColor ColoreVuoto(205, 205, 205);
const QColor ColoreScelta(255, 200, 0);

using Direzione = ModelloPuzzle::Direzione;

std::optional<Direzione> direzioneDi(int tasto)
{
    switch (tasto) {
    case Qt::Key_Up: return Direzione::Su;
    case Qt::Key_Down: return Direzione::Giu;
    case Qt::Key_Left: return Direzione::Sinistra;
    case Qt::Key_Right: return Direzione::Destra;
    default: return std::nullopt;
    }
}

// Start and end of slot i of n, when `lunghezza` pixels hold n slots with `linea` pixels
// between each two.
std::pair<int, int> fascia(int i, int n, int lunghezza, int linea)
{
    const int utile = std::max(lunghezza - (n - 1) * linea, n);
    return {i * linea + i * utile / n, i * linea + (i + 1) * utile / n};
}
}

GiocoPuzzle::GiocoPuzzle(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Puzzle"));
    // A double-click on a piece is one click: it picks the piece and does not drop it again.
    SerieClic::contaUnClic(this);

    m_mossa.setDuration(DurataMossaMs);
    m_mossa.setStartValue(0.0);
    m_mossa.setEndValue(1.0);
    m_mossa.setEasingCurve(QEasingCurve::OutCubic);
    // throws nothing: the animations only repaint.
    connect(&m_mossa, &QVariantAnimation::valueChanged, this, qOverload<>(&QWidget::update));
    connect(&m_mossa, &QVariantAnimation::finished, this, [this] { // throws nothing: as above
        m_partenze.clear();
        update();
    });

    m_festa.setDuration(DurataFestaMs);
    m_festa.setStartValue(0.0);
    m_festa.setEndValue(1.0);
    connect(&m_festa, &QVariantAnimation::valueChanged, this, qOverload<>(&QWidget::update));
    connect(&m_festa, &QVariantAnimation::finished, this, qOverload<>(&QWidget::update));

    nuovaGriglia();
}

GiocoPuzzle::~GiocoPuzzle() = default;

void GiocoPuzzle::setRighe(int righe)
{
    righe = std::max(righe, 1);
    if (righe == m_righe)
        return;
    m_righe = righe;
    nuovaGriglia();
}

void GiocoPuzzle::setColonne(int colonne)
{
    colonne = std::max(colonne, 1);
    if (colonne == m_colonne)
        return;
    m_colonne = colonne;
    nuovaGriglia();
}

void GiocoPuzzle::setSpessorelinea(int spessore)
{
    m_spessore = std::max(spessore, 0);
    invalidaPezzi();
}

void GiocoPuzzle::setPicture(const QImage &picture)
{
    m_picture = picture;
    invalidaPezzi();
}

void GiocoPuzzle::setScambio(bool scambio)
{
    m_scambio = scambio;
    if (!m_inGioco) {
        // Nothing is in play: the picture on show simply belongs to the new mode now.
        m_modello = ModelloPuzzle(m_righe, m_colonne,
                                  scambio ? ModelloPuzzle::Modo::Scambio
                                          : ModelloPuzzle::Modo::Scivolamento);
        aggiornaDescrizione();
    }
}

void GiocoPuzzle::usaCasuale(Casuale &casuale)
{
    m_casuale = &casuale;
}

Casuale &GiocoPuzzle::casuale()
{
    if (m_casuale)
        return *m_casuale;
    if (!m_casualeProprio)
        m_casualeProprio = std::make_unique<CasualeOrologio>();
    return *m_casualeProprio;
}

void GiocoPuzzle::nuovaGriglia()
{
    m_mossa.stop();
    m_partenze.clear();
    m_festa.stop();
    m_modello = ModelloPuzzle(m_righe, m_colonne,
                              m_scambio ? ModelloPuzzle::Modo::Scambio
                                        : ModelloPuzzle::Modo::Scivolamento);
    m_inGioco = false;
    m_selezionata = -1;
    m_cursore = 0;
    aggiornaDescrizione();
    invalidaPezzi();
}

void GiocoPuzzle::inizia()
{
    nuovaGriglia();
    m_modello.mescola(casuale());
    m_inGioco = true;
    aggiornaDescrizione();
    update();
}

void GiocoPuzzle::aggiornaDescrizione()
{
    // What a screen reader says of the game: the mode first, then how far it has got and
    // what stands under the keyboard cursor.
    QString testo = m_modello.modo() == ModelloPuzzle::Modo::Scambio
        ? QStringLiteral("puzzle a scambio")
        : QStringLiteral("puzzle a scivolamento");
    if (m_modello.risolto()) {
        testo += QStringLiteral("; completato");
    } else {
        int fuoriPosto = 0;
        for (int cella = 0; cella < m_modello.celle(); ++cella)
            if (m_modello.pezzo(cella) != cella && m_modello.pezzo(cella) != m_modello.pezzoMancante())
                ++fuoriPosto;
        testo += QStringLiteral("; pezzi fuori posto: %1").arg(fuoriPosto);
        const int pezzo = m_modello.pezzo(m_cursore);
        testo += pezzo == m_modello.pezzoMancante()
            ? QStringLiteral("; casella %1 vuota").arg(m_cursore + 1)
            : QStringLiteral("; casella %1: pezzo %2").arg(m_cursore + 1).arg(pezzo + 1);
    }
    setAccessibleDescription(testo);
}

QSize GiocoPuzzle::dimensioneImmagine() const
{
    return size() * devicePixelRatioF();
}

bool GiocoPuzzle::festaInCorso() const
{
    return m_festa.state() == QAbstractAnimation::Running;
}

bool GiocoPuzzle::animazioneInCorso() const
{
    return m_mossa.state() == QAbstractAnimation::Running && !m_partenze.empty();
}

QSize GiocoPuzzle::sizeHint() const
{
    return QSize(318, 321);
}

void GiocoPuzzle::impostaScala(qreal fattore)
{
    m_scala = fattore;
    invalidaPezzi();
}

int GiocoPuzzle::px(int naturali) const
{
    return naturali > 0 ? std::max(1, qRound(naturali * m_scala)) : naturali;
}

QRect GiocoPuzzle::rettangoloCella(int cella) const
{
    if (cella < 0 || cella >= m_modello.celle())
        return QRect();
    const int colonne = m_modello.colonne();
    const auto [x0, x1] = fascia(cella % colonne, colonne, width(), px(m_spessore));
    const auto [y0, y1] = fascia(cella / colonne, m_modello.righe(), height(), px(m_spessore));
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

int GiocoPuzzle::cellaIn(const QPoint &punto) const
{
    for (int cella = 0; cella < m_modello.celle(); ++cella)
        if (rettangoloCella(cella).contains(punto))
            return cella;
    return -1;
}

// ---- drawing

void GiocoPuzzle::invalidaPezzi()
{
    m_pezziValidi = false;
    update();
}

void GiocoPuzzle::preparaPezzi()
{
    const qreal dpr = devicePixelRatioF();
    m_dprPezzi = dpr;
    m_pezziValidi = true;
    m_pezzi.assign(m_modello.celle(), QPixmap());
    m_intera = QPixmap();
    if (m_picture.isNull() || width() <= 0 || height() <= 0)
        return;

    // The picture fills the control; each piece is the part of it under its own cell, cut
    // from the picture at its full resolution and scaled once to the cell's device pixels.
    const auto inPixel = [dpr](const QSize &s) {
        return QSize(std::max(1, qRound(s.width() * dpr)), std::max(1, qRound(s.height() * dpr)));
    };
    const QImage intera = m_picture.size() == inPixel(size())
        ? m_picture
        : m_picture.scaled(inPixel(size()), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_intera = QPixmap::fromImage(intera);
    m_intera.setDevicePixelRatio(dpr);

    const qreal sx = qreal(m_picture.width()) / width();
    const qreal sy = qreal(m_picture.height()) / height();
    for (int pezzo = 0; pezzo < m_modello.celle(); ++pezzo) {
        const QRect casa = rettangoloCella(pezzo);
        const QRect sorgente = QRect(QPoint(qRound(casa.left() * sx), qRound(casa.top() * sy)),
                                     QPoint(qRound((casa.right() + 1) * sx) - 1,
                                            qRound((casa.bottom() + 1) * sy) - 1))
                                   .intersected(m_picture.rect());
        QImage taglio = m_picture.copy(sorgente);
        if (taglio.size() != inPixel(casa.size()))
            taglio = taglio.scaled(inPixel(casa.size()), Qt::IgnoreAspectRatio,
                                   Qt::SmoothTransformation);
        m_pezzi[pezzo] = QPixmap::fromImage(taglio);
        m_pezzi[pezzo].setDevicePixelRatio(dpr);
    }
}

QPointF GiocoPuzzle::posizioneDisegnata(int pezzo) const
{
    const QPointF arrivo = rettangoloCella(m_modello.cellaDi(pezzo)).topLeft();
    const auto it = m_partenze.find(pezzo);
    if (it == m_partenze.end() || m_mossa.state() != QAbstractAnimation::Running)
        return arrivo;
    const qreal t = m_mossa.currentValue().toReal();
    return it->second + (arrivo - it->second) * t;
}

void GiocoPuzzle::paintEvent(QPaintEvent *)
{
    if (!m_pezziValidi || !qFuzzyCompare(m_dprPezzi, devicePixelRatioF())
        || int(m_pezzi.size()) != m_modello.celle())
        preparaPezzi();

    QPainter painter(this);
    painter.fillRect(rect(), ColoreLinee);

    const bool intera = !m_inGioco && m_modello.risolto() && !animazioneInCorso()
        && !m_intera.isNull();
    if (intera) {
        painter.drawPixmap(rect(), m_intera);
    } else {
        const int mancante = m_modello.pezzoMancante();
        if (mancante >= 0)
            painter.fillRect(rettangoloCella(m_modello.cellaVuota()), ColoreVuoto);

        auto disegnaPezzo = [&](int pezzo) {
            const QRect cella = rettangoloCella(m_modello.cellaDi(pezzo));
            const QRectF dove(posizioneDisegnata(pezzo), QSizeF(cella.size()));
            painter.save();
            if (m_modello.cellaDi(pezzo) == m_trascinata)
                painter.setOpacity(0.35);
            if (!m_pezzi[pezzo].isNull()) {
                painter.drawPixmap(dove, m_pezzi[pezzo], QRectF(m_pezzi[pezzo].rect()));
            } else {
                painter.fillRect(dove, palette().color(QPalette::Button));
                painter.setPen(palette().color(QPalette::ButtonText));
                painter.drawText(dove, Qt::AlignCenter, QString::number(pezzo + 1));
            }
            painter.restore();
        };
        // Pieces at rest first, then the ones on the move, so these pass over the others.
        for (int pezzo = 0; pezzo < m_modello.celle(); ++pezzo)
            if (pezzo != mancante && !m_partenze.count(pezzo))
                disegnaPezzo(pezzo);
        for (const auto &[pezzo, partenza] : m_partenze)
            if (pezzo != mancante)
                disegnaPezzo(pezzo);

        const auto cornice = [&](int cella, const QColor &colore, Qt::PenStyle stile) {
            const QRect r = rettangoloCella(cella);
            if (r.isNull())
                return;
            const int spessore = px(3);
            QPen penna(colore, spessore, stile);
            penna.setJoinStyle(Qt::MiterJoin);
            painter.setPen(penna);
            painter.setBrush(Qt::NoBrush);
            const qreal meta = spessore / 2.0;
            painter.drawRect(QRectF(r).adjusted(meta, meta, -meta, -meta));
        };
        if (m_selezionata >= 0) {
            painter.fillRect(rettangoloCella(m_selezionata), QColor(255, 255, 255, 90));
            cornice(m_selezionata, ColoreScelta, Qt::SolidLine);
        }
        if (m_bersaglio >= 0)
            cornice(m_bersaglio, ColoreScelta, Qt::SolidLine);
        if (hasFocus() && m_inGioco) {
            // Where the keyboard acts: the cursor in the swap game, the gap when sliding.
            const int cella = m_modello.modo() == ModelloPuzzle::Modo::Scambio
                ? m_cursore
                : m_modello.cellaVuota();
            cornice(cella, Qt::white, Qt::SolidLine);
            cornice(cella, Qt::black, Qt::DashLine);
        }
    }

    if (festaInCorso())
        disegnaFesta(painter, m_festa.currentValue().toReal());
}

void GiocoPuzzle::disegnaFesta(QPainter &painter, qreal t) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal opacita = t < 0.1 ? t / 0.1 : (t > 0.75 ? (1 - t) / 0.25 : 1.0);
    painter.setOpacity(std::clamp(opacita, 0.0, 1.0));

    // Confetti falling across the picture, each on its own fixed path.
    static const QColor colori[] = {QColor(230, 40, 40), QColor(255, 190, 0),
                                    QColor(40, 170, 60), QColor(30, 110, 230),
                                    QColor(200, 60, 200)};
    const int quanti = 36;
    for (int i = 0; i < quanti; ++i) {
        const qreal fase = std::fmod(i * 0.618034, 1.0);
        const qreal velocita = 0.9 + (i % 4) * 0.2;
        const qreal x = std::fmod(i * 0.381966 + 0.05 * std::sin(t * 6 + i), 1.0) * width();
        const qreal y = (t * velocita * 1.4 - fase * 0.5) * height();
        painter.save();
        painter.translate(x, y);
        painter.rotate(i * 37 + t * 540 * (i % 2 ? 1 : -1));
        painter.fillRect(QRectF(-4 * m_scala, -2.5 * m_scala, 8 * m_scala, 5 * m_scala),
                         colori[i % 5]);
        painter.restore();
    }

    // "Bravo!" on a ribbon across the middle, popping up as it appears.
    const qreal scala = t < 0.12 ? 0.7 + 0.3 * (t / 0.12) : 1.0;
    QFont font = this->font();
    font.setBold(true);
    font.setPixelSize(std::max(px(12), height() / 6));
    painter.setFont(font);
    const QString testo = QStringLiteral("Bravo!");
    const QRectF misura = QFontMetricsF(font).boundingRect(testo);
    const qreal k = m_scala;
    const QRectF nastro(-misura.width() / 2 - 18 * k, -misura.height() / 2 - 8 * k,
                        misura.width() + 36 * k, misura.height() + 16 * k);
    painter.translate(rect().center());
    painter.scale(scala, scala);
    painter.setPen(QPen(QColor(230, 120, 0), 3 * k));
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRoundedRect(nastro, 14 * k, 14 * k);
    painter.setPen(QColor(200, 30, 30));
    painter.drawText(nastro, Qt::AlignCenter, testo);
    painter.restore();
}

void GiocoPuzzle::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    invalidaPezzi();
}

// ---- moves

void GiocoPuzzle::ricordaPartenze(std::initializer_list<int> celle)
{
    // Pieces still gliding carry on from where they are now, and so do the new ones.
    std::map<int, QPointF> partenze;
    for (const auto &[pezzo, partenza] : m_partenze)
        partenze[pezzo] = posizioneDisegnata(pezzo);
    for (int cella : celle) {
        const int pezzo = m_modello.pezzo(cella);
        partenze[pezzo] = posizioneDisegnata(pezzo);
    }
    m_mossa.stop();
    m_partenze = std::move(partenze);
}

void GiocoPuzzle::eseguiScambio(int a, int b)
{
    ricordaPartenze({a, b});
    if (!m_modello.scambia(a, b)) {
        m_partenze.clear();
        return;
    }
    m_selezionata = -1;
    m_mossa.start();
    dopoMossa();
}

void GiocoPuzzle::eseguiScivolamento(int cella)
{
    ricordaPartenze({cella});
    if (!m_modello.scivola(cella)) {
        m_partenze.clear();
        return;
    }
    m_mossa.start();
    dopoMossa();
}

void GiocoPuzzle::dopoMossa()
{
    update();
    aggiornaDescrizione();
    if (!m_modello.risolto())
        return;
    m_inGioco = false;
    m_selezionata = -1;
    m_festa.start();
    emit risolto();
}

void GiocoPuzzle::clicCella(int cella)
{
    if (!m_inGioco || cella < 0)
        return;
    if (m_modello.modo() == ModelloPuzzle::Modo::Scambio) {
        if (m_selezionata < 0)
            m_selezionata = cella;
        else if (m_selezionata == cella)
            m_selezionata = -1;
        else
            eseguiScambio(m_selezionata, cella);
        update();
    } else if (m_modello.puoScivolare(cella)) {
        eseguiScivolamento(cella);
    }
}

// ---- mouse

void GiocoPuzzle::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_inGioco) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressione = event->position().toPoint();
    m_cellaPremuta = cellaIn(m_pressione);
}

void GiocoPuzzle::mouseMoveEvent(QMouseEvent *event)
{
    if (m_cellaPremuta < 0 || !(event->buttons() & Qt::LeftButton) || !m_inGioco
        || m_modello.modo() != ModelloPuzzle::Modo::Scambio)
        return;
    if ((event->position().toPoint() - m_pressione).manhattanLength()
        < QApplication::startDragDistance())
        return;
    const int cella = m_cellaPremuta;
    m_cellaPremuta = -1;
    trascina(cella, m_pressione);
}

void GiocoPuzzle::mouseReleaseEvent(QMouseEvent *event)
{
    const int premuta = m_cellaPremuta;
    m_cellaPremuta = -1;
    if (event->button() != Qt::LeftButton || premuta < 0)
        return;
    if (cellaIn(event->position().toPoint()) != premuta)
        return;
    m_cursore = premuta;
    clicCella(premuta);
}

void GiocoPuzzle::trascina(int cella, const QPoint &presa)
{
    const int pezzo = m_modello.pezzo(cella);
    auto *dati = new QMimeData;
    dati->setData(QString::fromLatin1(TipoMime), QByteArray::number(cella));
    QPointer<GiocoPuzzle> io(this);
    auto *drag = new QDrag(this);
    drag->setMimeData(dati);
    if (!m_pezzi.empty() && !m_pezzi[pezzo].isNull()) {
        drag->setPixmap(m_pezzi[pezzo]);
        drag->setHotSpot(presa - rettangoloCella(cella).topLeft());
    }
    m_trascinata = cella;
    m_selezionata = -1;
    update();
    drag->exec(Qt::MoveAction);
    if (!io)
        return;
    m_trascinata = -1;
    m_bersaglio = -1;
    update();
}

int GiocoPuzzle::cellaTrascinata(const QMimeData *dati) const
{
    return numeroTrascinato(dati, QString::fromLatin1(TipoMime), m_modello.celle());
}

bool GiocoPuzzle::accettaTrascinamento(QDropEvent *event)
{
    // Only our own pieces: a drag from another control, or any other data, is refused.
    if (!m_inGioco || m_modello.modo() != ModelloPuzzle::Modo::Scambio)
        return false;
    if (event->source() && event->source() != this)
        return false;
    return cellaTrascinata(event->mimeData()) >= 0;
}

void GiocoPuzzle::dragEnterEvent(QDragEnterEvent *event)
{
    if (accettaTrascinamento(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void GiocoPuzzle::dragMoveEvent(QDragMoveEvent *event)
{
    if (!accettaTrascinamento(event)) {
        event->ignore();
        return;
    }
    const int da = cellaTrascinata(event->mimeData());
    const int su = cellaIn(event->position().toPoint());
    const int bersaglio = su != da ? su : -1;
    if (bersaglio != m_bersaglio) {
        m_bersaglio = bersaglio;
        update();
    }
    if (bersaglio >= 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void GiocoPuzzle::dragLeaveEvent(QDragLeaveEvent *)
{
    m_bersaglio = -1;
    update();
}

void GiocoPuzzle::dropEvent(QDropEvent *event)
{
    m_bersaglio = -1;
    if (!accettaTrascinamento(event)) {
        event->ignore();
        update();
        return;
    }
    const int da = cellaTrascinata(event->mimeData());
    const int su = cellaIn(event->position().toPoint());
    if (su < 0 || su == da) {
        event->ignore();
        update();
        return;
    }
    event->acceptProposedAction();
    m_cursore = su;
    eseguiScambio(da, su);
}

// ---- keyboard

void GiocoPuzzle::keyPressEvent(QKeyEvent *event)
{
    if (!m_inGioco) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool scambio = m_modello.modo() == ModelloPuzzle::Modo::Scambio;
    if (const auto direzione = direzioneDi(event->key())) {
        if (scambio) {
            const int vicina = m_modello.vicina(m_cursore, *direzione);
            if (vicina >= 0) {
                m_cursore = vicina;
                aggiornaDescrizione();
                update();
            }
        } else {
            const int cella = m_modello.cellaPerFreccia(*direzione);
            if (cella >= 0)
                eseguiScivolamento(cella);
        }
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        if (scambio) {
            clicCella(m_cursore);
            event->accept();
            return;
        }
        break;
    case Qt::Key_Escape:
        if (m_selezionata >= 0) {
            m_selezionata = -1;
            update();
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void GiocoPuzzle::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void GiocoPuzzle::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace cartavia
