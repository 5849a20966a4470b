#include "screens/quiz/abbinamento/FormSposta.h"

#include "widgets/SerieClic.h"
#include "widgets/Aspetto.h"
#include "logic/Contesto.h"
#include "widgets/Controlli.h"
#include "logic/Percorsi.h"
#include "logic/Protezione.h"
#include "widgets/Risorse.h"
#include "logic/Stato.h"
#include "widgets/Twips.h"

#include <QCloseEvent>
#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

const QString FormatoDefinizione = QStringLiteral("application/x-cartavia-definizione");

QMimeData *datiDefinizione(int slot)
{
    auto *dati = new QMimeData;
    dati->setData(FormatoDefinizione, QByteArray::number(slot));
    return dati;
}

int slotTrascinato(const QMimeData *dati)
{
    if (!dati || !dati->hasFormat(FormatoDefinizione))
        return -1;
    bool ok = false;
    const int slot = dati->data(FormatoDefinizione).toInt(&ok);
    return ok && slot >= 0 && slot < SlotAbbinamento ? slot : -1;
}

namespace {

// What follows the pointer while a definition is dragged: the outline of the label.
QPixmap contorno(QSize dimensione)
{
    QPixmap disegno(dimensione);
    disegno.fill(Qt::transparent);
    QPainter painter(&disegno);
    QPen penna(QColor(64, 64, 64), 2, Qt::DotLine);
    painter.setPen(penna);
    painter.drawRect(QRectF(disegno.rect()).adjusted(1, 1, -1, -1));
    return disegno;
}

} // namespace

void DefinizioneTrascinabile::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit premuta(event->position().toPoint());
        return;
    }
    QLabel::mousePressEvent(event);
}

CasellaRilascio::CasellaRilascio(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAcceptDrops(true);
}

void CasellaRilascio::dragEnterEvent(QDragEnterEvent *event)
{
    if (slotTrascinato(event->mimeData()) >= 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CasellaRilascio::dragMoveEvent(QDragMoveEvent *event)
{
    if (slotTrascinato(event->mimeData()) >= 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CasellaRilascio::dropEvent(QDropEvent *event)
{
    const int slot = slotTrascinato(event->mimeData());
    if (slot < 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit rilasciata(slot);
}

FormSposta::FormSposta(Contesto &contesto, QWidget *parent)
    : CorniceQuiz(contesto, Cornici::sposta(), parent)
{
    eseguiTrascinamento = [](QDrag *drag) { drag->exec(Qt::MoveAction); };

    QWidget *a = area();
    const QFont testo = carattere(QStringLiteral("MS Sans Serif"), 12, true);
    const QCursor puntatore = cursoreTrascina();

    const QRect immagini[SlotAbbinamento] = {tw(105, 210, 3120, 2760), tw(3255, 210, 3120, 2760),
                                             tw(6405, 210, 3075, 2760)};
    const QRect caselle[SlotAbbinamento] = {tw(210, 3255, 2955, 1500), tw(3360, 3255, 2955, 1500),
                                            tw(6480, 3255, 2955, 1500)};
    const QRect definizioni[SlotAbbinamento] = {tw(210, 4890, 2955, 1500),
                                                tw(3360, 4890, 2955, 1500),
                                                tw(6510, 4890, 2955, 1500)};

    for (int k = 0; k < SlotAbbinamento; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const QString numero = QString::number(k + 1);

        auto *immagine = new Immagine(a);
        immagine->setBordo(true);
        immagine->setGeometry(immagini[k]);
        immagine->setAccessibleName(QStringLiteral("Segnale ") + numero);
        Image1[i] = immagine;

        auto *casella = new CasellaRilascio(a);
        casella->setGeometry(caselle[k]);
        casella->setFont(testo);
        casella->setAlignment(Qt::AlignCenter);
        casella->setWordWrap(true);
        casella->setFrameStyle(QFrame::Box | QFrame::Plain);
        casella->setLineWidth(1);
        impostaSfondoLeggibile(casella, 0xFFFFFF);
        casella->setCursor(puntatore);
        casella->setAccessibleName(QStringLiteral("Casella ") + numero);
        casella->setToolTip(QStringLiteral("Qui va la definizione del segnale di sopra"));
        connect(casella, &CasellaRilascio::rilasciata, this,
                protetto(contesto, [this, k](int slot) { Label2_DragDrop(k, slot); }));
        rendiLeggibile(casella, contesto.voce); // once a definition stands in it
        Label2[i] = casella;
    }
    for (int k = 0; k < SlotAbbinamento; ++k) {
        auto *definizione = new DefinizioneTrascinabile(a);
        definizione->setGeometry(definizioni[k]);
        definizione->setFont(testo);
        definizione->setAlignment(Qt::AlignCenter);
        definizione->setWordWrap(true);
        impostaSfondoLeggibile(definizione, 0xFFFFFF);
        definizione->setCursor(puntatore);
        definizione->setToolTip(QStringLiteral("Trascinala nella casella sotto il suo segnale"));
        SerieClic::contaUnClic(definizione); // a double-click starts no second drag
        connect(definizione, &DefinizioneTrascinabile::premuta, this,
                protetto(contesto, [this, k](QPoint punto) { trascina(k, punto); }));
        rendiLeggibile(definizione, contesto.voce);
        Label1[static_cast<std::size_t>(k)] = definizione;
    }

    // Made last, so it stands above the right-hand definition.
    Command1 = creaAvanti(tw(6600, 5280, 1935, 975));
    Command1->hide();
    connect(Command1, &QAbstractButton::clicked, this, protetto(contesto, [this] { Command1_Click(); }));

    Form_Load();
}

void FormSposta::Form_Load()
{
    apriQuiz();
    GeneraEsercizio();
}

void FormSposta::GeneraEsercizio()
{
    m_esercizio.genera(contesto());
    for (CasellaRilascio *casella : Label2)
        casella->clear();
    impostaSfondoEsercizio(m_esercizio.colore());
    std::vector<std::pair<Immagine *, QString>> immagini;
    for (int k = 0; k < SlotAbbinamento; ++k)
        immagini.emplace_back(Image1[static_cast<std::size_t>(k)],
                              fileImmagine(contesto().cartella, m_esercizio.segnale(k)));
    caricaImmagini(immagini);
    for (int k = 0; k < SlotAbbinamento; ++k) {
        DefinizioneTrascinabile *definizione = Label1[static_cast<std::size_t>(k)];
        const QString &testo = contesto().stato.segnale(m_esercizio.segnale(k));
        definizione->setText(testo);
        definizione->setAccessibleName(testo);
        definizione->move(tw(m_esercizio.sinistra(k)), tw(4890));
        definizione->show();
    }
}

void FormSposta::Command1_Click()
{
    Command1->hide();
    GeneraEsercizio();
}

void FormSposta::Label2_DragDrop(int indice, int trascinato)
{
    switch (m_esercizio.rilascia(indice, trascinato, contesto())) {
    case Abbinamento::Esito::Nessuno:
        return;
    case Abbinamento::Esito::Errato:
        impostaSfondoEsercizio(m_esercizio.colore());
        dopoRisposta();
        return;
    case Abbinamento::Esito::Esatto:
    case Abbinamento::Esito::Completato: {
        CasellaRilascio *casella = Label2.at(static_cast<std::size_t>(indice));
        DefinizioneTrascinabile *definizione = Label1.at(static_cast<std::size_t>(trascinato));
        casella->setText(definizione->text());
        definizione->clear();
        definizione->setAccessibleName(QString());
        definizione->hide();
        if (m_esercizio.completo())
            Command1->show();
        dopoRisposta();
        return;
    }
    }
}

void FormSposta::trascina(int slot, QPoint punto)
{
    if (m_trascinando)
        return;
    DefinizioneTrascinabile *definizione = Label1.at(static_cast<std::size_t>(slot));
    auto *drag = new QDrag(definizione);
    drag->setMimeData(datiDefinizione(slot));
    drag->setPixmap(contorno(definizione->size()));
    drag->setHotSpot(punto);

    // The drag runs its own event loop; the window must outlive it (see closeEvent).
    m_trascinando = true;
    QPointer<FormSposta> guardia(this);
    eseguiTrascinamento(drag);
    if (guardia)
        m_trascinando = false;
}

void FormSposta::closeEvent(QCloseEvent *event)
{
    if (m_trascinando) {
        event->ignore();
        return;
    }
    CorniceQuiz::closeEvent(event);
}
