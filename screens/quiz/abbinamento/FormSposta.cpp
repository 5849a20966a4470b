#include "screens/quiz/abbinamento/FormSposta.h"

#include "widgets/SerieClic.h"
#include "widgets/Aspetto.h"
#include "logic/Contesto.h"
#include "widgets/Controlli.h"
#include "logic/Percorsi.h"
#include "logic/Protezione.h"
#include "widgets/Risorse.h"
#include "logic/Stato.h"
#include "widgets/Scala.h"
#include "widgets/Twips.h"
#include "widgets/Immagine.h"
#include "widgets/PulsanteGrafico.h"
#include "screens/quiz/abbinamento/DefinizioneTrascinabile.h"
#include "screens/quiz/abbinamento/CasellaRilascio.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <cstdlib>

namespace cartavia {

namespace {

// What follows the pointer while a definition is dragged: the outline of the label.
// Its dotted line is two pixels wide at the natural size.
QPixmap contorno(QSize dimensione, qreal scala)
{
    QPixmap disegno(dimensione);
    disegno.fill(Qt::transparent);
    QPainter painter(&disegno);
    disegnaContorno(painter, disegno.rect(), scala);
    return disegno;
}

} // namespace

FormSposta::FormSposta(Contesto &contesto, QWidget *parent)
    : CorniceQuiz(contesto, Cornici::sposta(), parent), m_esercizio(contesto)
{
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
        nominaControllo(immagine, QStringLiteral("Image1"), k);
        immagine->setBordo(true);
        immagine->setGeometry(immagini[k]);
        immagine->setAccessibleName(QStringLiteral("Segnale ") + numero);
        Image1[i] = immagine;

        auto *casella = new CasellaRilascio(a);
        nominaControllo(casella, QStringLiteral("Label2"), k);
        casella->setGeometry(caselle[k]);
        impostaRiquadro(casella, testo, Qt::AlignCenter);
        impostaSfondoLeggibile(casella, 0xFFFFFF);
        casella->setCursor(puntatore);
        casella->setAccessibleName(QStringLiteral("Casella ") + numero);
        casella->setToolTip(QStringLiteral("Qui va la definizione del segnale di sopra"));
        connect(casella, &CasellaRilascio::rilasciata, this,
                protetto(contesto, [this, k](int slot) { Label2_DragDrop(k, slot); }));
        connect(casella, &CasellaRilascio::clic, this, protetto(contesto, [this, k] { posa(k); }));
        rendiLeggibile(casella, contesto.voce); // once a definition stands in it
        casella->setFocusPolicy(Qt::StrongFocus);
        casella->installEventFilter(this);
        Label2[i] = casella;
    }
    for (int k = 0; k < SlotAbbinamento; ++k) {
        auto *definizione = new DefinizioneTrascinabile(a);
        nominaControllo(definizione, QStringLiteral("Label1"), k);
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
        definizione->setFocusPolicy(Qt::StrongFocus);
        definizione->installEventFilter(this);
        Label1[static_cast<std::size_t>(k)] = definizione;
    }

    // Made last, so it stands above the right-hand definition.
    Command1 = creaAvanti(tw(6600, 5280, 1935, 975));
    Command1->hide();
    connect(Command1, &QAbstractButton::clicked, this, protetto(contesto, [this] { Command1_Click(); }));
    connect(&m_esercizio, &Abbinamento::definizioneCollocata, this,
            protetto(contesto, [this](int slot) { colloca(slot); }));
    collegaRegole(&m_esercizio, [this](bool giusta) {
        if (!giusta)
            impostaSfondoEsercizio(m_esercizio.colore());
        else if (m_esercizio.completo())
            Command1->show();
    });

    Form_Load();
}

void FormSposta::Form_Load()
{
    apriQuiz();
    GeneraEsercizio();
}

void FormSposta::attendiRisposta()
{
    riponi();
    Command1->hide();
}

void FormSposta::NuovoEsercizio()
{
    m_esercizio.genera();
    for (std::size_t k = 0; k < Label2.size(); ++k) {
        Label2[k]->clear();
        Label2[k]->setAccessibleName(QStringLiteral("Casella %1").arg(k + 1));
    }
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
        scala()->posa(definizione, QPoint(tw(m_esercizio.sinistra(k)), tw(4890)));
        definizione->show();
    }
    // Tab goes along the definitions as they stand, then the boxes, then "avanti".
    std::vector<QWidget *> catena = definizioniInOrdine();
    catena.insert(catena.end(), Label2.begin(), Label2.end());
    catena.push_back(Command1);
    for (std::size_t i = 1; i < catena.size(); ++i)
        setTabOrder(catena[i - 1], catena[i]);
    catena.front()->setFocus();
}

std::vector<QWidget *> FormSposta::definizioniInOrdine() const
{
    std::vector<QWidget *> definizioni;
    for (DefinizioneTrascinabile *definizione : Label1)
        if (!definizione->isHidden())
            definizioni.push_back(definizione);
    std::sort(definizioni.begin(), definizioni.end(),
              [](QWidget *a, QWidget *b) { return a->x() < b->x(); });
    return definizioni;
}

void FormSposta::Command1_Click()
{
    GeneraEsercizio();
}

void FormSposta::Label2_DragDrop(int indice, int trascinato)
{
    m_esercizio.rilascia(indice, trascinato);
}

void FormSposta::colloca(int slot)
{
    CasellaRilascio *casella = Label2.at(static_cast<std::size_t>(slot));
    DefinizioneTrascinabile *definizione = Label1.at(static_cast<std::size_t>(slot));
    casella->setText(definizione->text());
    definizione->clear();
    definizione->setAccessibleName(QString());
    definizione->hide();
    // Once filled, a box says what it holds.
    casella->setAccessibleName(QStringLiteral("Casella %1: ").arg(slot + 1) + casella->text());
}

void FormSposta::trascina(int slot, QPoint punto)
{
    if (m_trascinando)
        return;
    DefinizioneTrascinabile *definizione = Label1.at(static_cast<std::size_t>(slot));
    const int primaPresa = m_presa;
    riponi();
    auto *drag = new QDrag(definizione);
    drag->setMimeData(datiDefinizione(slot));
    drag->setPixmap(contorno(definizione->size(), definizione->scala()));
    drag->setHotSpot(punto);
    const QPoint premuto = definizione->mapToGlobal(punto);

    // The drag runs its own event loop; the window must outlive it (see closeEvent).
    m_trascinando = true;
    QPointer<FormSposta> guardia(this);
    const Qt::DropAction esito = drag->exec(Qt::MoveAction);
    if (!guardia)
        return;
    m_trascinando = false;
    // Released where it was pressed, dropped nowhere: a click, that picks the definition up
    // (or, on the one picked up, leaves it put back).
    const bool clic = esito == Qt::IgnoreAction
        && (QCursor::pos() - premuto).manhattanLength() < QApplication::startDragDistance();
    if (clic && slot != primaPresa && !definizione->isHidden())
        prendi(slot);
}

void FormSposta::prendi(int slot)
{
    const bool giaPresa = m_presa == slot;
    riponi();
    if (giaPresa)
        return;
    m_presa = slot;
    Label1.at(static_cast<std::size_t>(slot))->setPresa(true);
}

void FormSposta::riponi()
{
    if (m_presa >= 0)
        Label1.at(static_cast<std::size_t>(m_presa))->setPresa(false);
    m_presa = -1;
}

void FormSposta::posa(int casella)
{
    const int slot = m_presa;
    if (slot < 0)
        return;
    riponi();
    Label2_DragDrop(casella, slot);
    // The focus goes where the next step is: "avanti" once all three stand in their boxes,
    // the first definition left after a right drop, the same one after a wrong drop.
    DefinizioneTrascinabile *definizione = Label1.at(static_cast<std::size_t>(slot));
    if (!Command1->isHidden())
        Command1->setFocus();
    else if (!definizione->isHidden())
        definizione->setFocus();
    else if (const auto rimaste = definizioniInOrdine(); !rimaste.empty())
        rimaste.front()->setFocus();
}

bool FormSposta::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() != QEvent::KeyPress)
        return CorniceQuiz::eventFilter(oggetto, evento);
    auto *tasto = static_cast<QKeyEvent *>(evento);
    const auto definizione = std::find(Label1.begin(), Label1.end(), oggetto);
    const auto casella = std::find(Label2.begin(), Label2.end(), oggetto);
    if (definizione == Label1.end() && casella == Label2.end())
        return CorniceQuiz::eventFilter(oggetto, evento);
    if (tastoDiScelta(tasto)) {
        if (definizione != Label1.end())
            prendi(static_cast<int>(std::distance(Label1.begin(), definizione)));
        else
            posa(static_cast<int>(std::distance(Label2.begin(), casella)));
        return true;
    }
    if (tasto->modifiers() & ~Qt::KeypadModifier)
        return CorniceQuiz::eventFilter(oggetto, evento);
    switch (tasto->key()) {
    case Qt::Key_Tab:
        // A definition in hand goes to the boxes: Tab leads to the first one.
        if (m_presa < 0 || definizione == Label1.end())
            return CorniceQuiz::eventFilter(oggetto, evento);
        Label2.front()->setFocus(Qt::TabFocusReason);
        return true;
    case Qt::Key_Escape:
        if (m_presa < 0)
            return CorniceQuiz::eventFilter(oggetto, evento);
        riponi();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        spostaFuoco(static_cast<QWidget *>(oggetto), tasto->key());
        return true;
    default:
        return CorniceQuiz::eventFilter(oggetto, evento);
    }
}

void FormSposta::spostaFuoco(QWidget *da, int tasto)
{
    std::vector<QWidget *> caselle(Label2.begin(), Label2.end());
    std::vector<QWidget *> definizioni = definizioniInOrdine();
    const bool inCasella = std::find(caselle.begin(), caselle.end(), da) != caselle.end();
    const bool suStessaRiga = tasto == Qt::Key_Left || tasto == Qt::Key_Right;
    // The boxes are the upper row.
    if ((tasto == Qt::Key_Up && inCasella) || (tasto == Qt::Key_Down && !inCasella))
        return;
    const std::vector<QWidget *> &riga = inCasella == suStessaRiga ? caselle : definizioni;
    const int centro = da->geometry().center().x();
    QWidget *meta = nullptr;
    int distanza = 0;
    for (QWidget *candidato : riga) {
        const int dx = candidato->geometry().center().x() - centro;
        const bool ammesso = tasto == Qt::Key_Left ? dx < 0
            : tasto == Qt::Key_Right              ? dx > 0
                                                  : true;
        if (candidato != da && ammesso && (!meta || std::abs(dx) < distanza)) {
            meta = candidato;
            distanza = std::abs(dx);
        }
    }
    if (meta)
        meta->setFocus(tasto == Qt::Key_Left || tasto == Qt::Key_Up ? Qt::BacktabFocusReason
                                                                    : Qt::TabFocusReason);
}

void FormSposta::closeEvent(QCloseEvent *event)
{
    if (m_trascinando) {
        event->ignore();
        return;
    }
    CorniceQuiz::closeEvent(event);
}

} // namespace cartavia
