// A seeded monkey on the real windows: thousands of random events on whatever window is open
// (clicks at random points, drags and drops, menu entries, "avanti", "nuovo puzzle", option
// changes, keys, "Esci" and the window frame's close, each question answered at random),
// with the program's invariants checked after every single event.
//
//   CARTAVIA_SEME=<seed>      replays a run (default: taken from the clock); it is printed first
//   CARTAVIA_EVENTI=<count>   how many events (default 20000)
//
// The monkey knows what each event should do to the two counters: it finds the control under
// a click before it clicks, and a drop's target before it drops, and predicts the answer's
// verdict from the exercise on show. Everything else must leave the counters alone.

#include "Ambiente.h"
#include "Finestre.h"
#include "app/Applicazione.h"
#include "app/Navigazione.h"
#include "logic/Errore.h"
#include "logic/Percorsi.h"
#include "screens/puzzle/GiocoPuzzle.h"
#include "screens/esame/FormEsame.h"
#include "screens/puzzle/frmpuzzle.h"
#include "logic/quiz/Categorie.h"
#include "screens/quiz/definizione/formTrova.h"
#include "screens/quiz/abbinamento/FormSposta.h"
#include "screens/quiz/riconoscimento/formDisegni.h"
#include "screens/FormAvvio.h"
#include "screens/FormMenu.h"
#include "logic/CasualeOrologio.h"
#include "widgets/Etichetta.h"
#include "widgets/Immagine.h"
#include "widgets/PulsanteGrafico.h"

#include <QAction>
#include <QDateTime>
#include <QDrag>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <algorithm>
#include <deque>
#include <memory>
#include <random>

using namespace cartavia;

namespace {

// Answers every question of one event with the answer drawn for that event; other boxes OK.
class DialoghiCasuali : public Dialoghi
{
public:
    Risposta mostra(const QString &testo, Stile stile) override
    {
        mostrati.append(testo);
        return domanda(stile) ? risposta : Ok;
    }
    Risposta risposta = No;
    QStringList mostrati;
};

// The number in a picture's file name: .../jpg/17.jpg gives 17.
int segnaleDelFile(const QString &file)
{
    return QFileInfo(file).completeBaseName().toInt();
}

// A click at a point of the window, handed to the control under it as Qt hands a real one
// (QTest gives it to the widget it is told, so the monkey finds that widget first).
void clic(QWidget *finestra, QPoint punto)
{
    QWidget *sotto = finestra->childAt(punto);
    if (!sotto)
        sotto = finestra;
    QTest::mouseClick(sotto, Qt::LeftButton, Qt::NoModifier, sotto->mapFrom(finestra, punto));
}

bool contiene(const QWidget *contenitore, const QWidget *w)
{
    for (; w; w = w->parentWidget())
        if (w == contenitore)
            return true;
    return false;
}

class Scimmia
{
public:
    explicit Scimmia(quint64 seme)
        : m_caso(seme), m_casuale(seme),
          m_contesto{m_ambiente.stato, m_casuale, m_ambiente.suoni, m_dialoghi,
                     m_ambiente.cartella.percorso(), [this](int codice) { m_uscita = codice; }}
    {
        m_contesto.passa = [this](Schermata s, QObject *da) { apriSchermata(s, da, m_contesto); };
    }

    // Starts the program afresh: nothing open, the counters as a new run has them.
    void avvia()
    {
        chiudiTutto();
        m_ambiente.stato.NumeroEsatti = 0;
        m_ambiente.stato.NumeroErrati = 0;
        m_uscita.reset();
        avviaProgramma(m_contesto);
        ++m_avvii;
        m_esatti = 0;
        m_errati = 0;
    }

    // One random event; returns what it did.
    QString evento();
    // Empty when every invariant holds after the event.
    QString controlla();

    int avvii() const { return m_avvii; }
    int risposte() const { return m_risposte; }
    int risolti() const { return m_risolti; }
    int posate() const { return m_posate; }
    int categorie() const { return m_categorieScelte; }
    QMap<QString, int> schermi;

private:
    int tra(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_caso); }
    bool moneta() { return tra(2) == 0; }
    QWidget *corrente() const;
    void predici(bool giusta);
    QString clicCasuale(QWidget *finestra);
    QString effettoClic(QWidget *finestra, QWidget *sotto, QPoint inFinestra);
    // Drops on a label at random; true when the drop was taken.
    bool trascinaDefinizione(FormSposta *quiz, const QMimeData *dati);
    // What a drop of `slot` on `bersaglio` should do; updates the prediction.
    void prediciRilascio(FormSposta *quiz, const QWidget *bersaglio, int slot);
    QString eventoQuiz(CorniceQuiz *quiz);
    QString tasto(QWidget *finestra);
    QString eventoPuzzle(frmpuzzle *puzzle);
    QString eventoEsame(FormEsame *esame);
    QString eventoMenu(FormMenu *menu);
    QString esci(QWidget *finestra, bool dallaCornice);
    void aggancia(QWidget *finestra);

    std::mt19937_64 m_caso;
    Ambiente m_ambiente;
    CasualeOrologio m_casuale;
    DialoghiCasuali m_dialoghi;
    Contesto m_contesto;
    std::optional<int> m_uscita;

    qint16 m_esatti = 0; // what the counters must read after the event
    qint16 m_errati = 0;
    bool m_tornaMenu = false;   // the event must end on the main menu
    bool m_fine = false;        // the event ends the program
    QPointer<QWidget> m_ultima; // the window of the last check
    bool m_forzati = false;     // the counters were set behind the labels' back
    int m_avvii = 0;
    int m_risposte = 0;
    int m_risolti = 0; // puzzles put together
    bool m_risolvendo = false;
    int m_categorieScelte = 0;
    QString m_ultimoTrascinamento; // what the last drop did
    int m_posate = 0; // definitions placed without a drag
};

QWidget *Scimmia::corrente() const
{
    const QList<QWidget *> aperte = finestreAperte();
    for (QWidget *w : aperte)
        if (w->windowType() != Qt::ToolTip && w->windowType() != Qt::Popup)
            return w;
    return nullptr;
}

void Scimmia::predici(bool giusta)
{
    ++m_risposte;
    aggiungiUno(giusta ? m_esatti : m_errati);
}

namespace {
// The definition of the matching quiz picked up to be placed, -1 for none.
int presa(const FormSposta *quiz)
{
    for (int k = 0; k < SlotAbbinamento; ++k)
        if (controllo<DefinizioneTrascinabile>(*quiz, "Label1", k)->presa())
            return k;
    return -1;
}

// Whether the definition of `slot` stands in its box.
bool collocata(const FormSposta *quiz, int slot)
{
    return controllo(*quiz, "Label1", slot)->isHidden();
}
}

void Scimmia::aggancia(QWidget *finestra)
{
    if (!finestra || finestra->property("scimmia").toBool())
        return;
    if (auto *puzzle = qobject_cast<frmpuzzle *>(finestra)) {
        puzzle->setProperty("scimmia", true);
        QObject::connect(controllo<GiocoPuzzle>(*puzzle, "GiocoPuzzle1"), &GiocoPuzzle::risolto, [this] {
            ++m_risolti;
            m_risolvendo = false;
        });
    }
}

void Scimmia::prediciRilascio(FormSposta *quiz, const QWidget *bersaglio, int slot)
{
    for (int casella = 0; casella < SlotAbbinamento; ++casella) {
        if (bersaglio != controllo(*quiz, "Label2", casella) || slot < 0 || collocata(quiz, slot))
            continue;
        int collocate = 0;
        for (int k = 0; k < SlotAbbinamento; ++k)
            collocate += collocata(quiz, k);
        if (casella != slot)
            predici(false);
        else if (collocate == SlotAbbinamento - 1)
            predici(true);
        else
            ++m_risposte;
    }
}

bool Scimmia::trascinaDefinizione(FormSposta *quiz, const QMimeData *dati)
{
    QList<QLabel *> etichette;
    for (QLabel *l : quiz->centralWidget()->findChildren<QLabel *>())
        if (l->isVisible())
            etichette.append(l);
    if (etichette.isEmpty()) {
        m_ultimoTrascinamento = QStringLiteral("no label to drop on");
        return false;
    }
    QLabel *bersaglio = etichette.at(tra(int(etichette.size())));

    // What the drop should do.
    const int slot = slotTrascinato(dati);
    prediciRilascio(quiz, bersaglio, slot);

    const QPointF punto(tra(bersaglio->width()), tra(bersaglio->height()));
    const bool accettato = rilascia(bersaglio, dati, punto);
    m_ultimoTrascinamento = QStringLiteral("drop slot %1 on %2").arg(slot).arg(bersaglio->text().left(20));
    return accettato;
}

// What a click on `sotto` should do; updates the prediction.
QString Scimmia::effettoClic(QWidget *finestra, QWidget *sotto, QPoint inFinestra)
{
    if (auto *barra = qobject_cast<QMenuBar *>(sotto)) {
        QAction *voce = barra->actionAt(barra->mapFrom(finestra, inFinestra));
        if (!voce)
            return QStringLiteral("menu bar");
        if (voce->menu())
            return QStringLiteral("opens ") + voce->text().trimmed();
        if (voce->objectName() == QLatin1String("mnuAzzera")) {
            m_esatti = m_errati = 0;
            m_forzati = false;
        } else if (voce->text() == QLatin1String("Esci")) {
            m_tornaMenu = m_dialoghi.risposta == Dialoghi::Si;
        }
        return voce->text().trimmed();
    }
    if (auto *quiz = qobject_cast<FormSposta *>(finestra)) {
        // A click on a box places the definition picked up: the drop it would be.
        for (CasellaRilascio *casella : controlli<CasellaRilascio>(*quiz, "Label2", SlotAbbinamento))
            if (casella == sotto && presa(quiz) >= 0) {
                ++m_posate;
                prediciRilascio(quiz, casella, presa(quiz));
                return QStringLiteral("place %1 on %2").arg(presa(quiz)).arg(casella->accessibleName());
            }
    }
    if (auto *quiz = qobject_cast<formTrova *>(finestra)) {
        for (Etichetta *l : controlli<Etichetta>(*quiz, "Label1", 6))
            if (contiene(l, sotto) && l->isEnabled()) {
                predici(m_ambiente.stato.segnale(m_ambiente.stato.SegnaleCorrente) == l->text());
                return QStringLiteral("answer ") + l->text();
            }
    }
    if (auto *quiz = qobject_cast<formDisegni *>(finestra)) {
        for (int i = 0; i < 6; ++i)
            if (contiene(controllo<Immagine>(*quiz, "Image1", i), sotto)
                && controllo<Immagine>(*quiz, "Image1", i)->isEnabled()) {
                predici(i == posizioneGiusta(*quiz) - 1);
                return QStringLiteral("picture %1").arg(i);
            }
    }
    if (auto *menu = qobject_cast<FormMenu *>(finestra)) {
        if (contiene(controllo<PulsanteGrafico>(*menu, "Command1"), sotto) || contiene(controllo<PulsanteGrafico>(*menu, "Command2"), sotto)
            || contiene(controllo<PulsanteGrafico>(*menu, "Command3D1"), sotto))
            m_esatti = m_errati = 0; // a quiz opens with the score at 0
        if (contiene(controllo<PulsanteGrafico>(*menu, "Command3D5"), sotto))
            m_fine = m_dialoghi.risposta == Dialoghi::Si;
    }
    return sotto ? QString::fromLatin1(sotto->metaObject()->className()) : QStringLiteral("nothing");
}

QString Scimmia::clicCasuale(QWidget *finestra)
{
    const QPoint punto(tra(finestra->width()), tra(finestra->height()));
    QWidget *sotto = finestra->childAt(punto);
    const QString cosa = effettoClic(finestra, sotto, punto);
    clic(finestra, punto);
    return QStringLiteral("click (%1,%2) %3").arg(punto.x()).arg(punto.y()).arg(cosa);
}

// "Esci" of an activity, or its window frame's close button: the question, answered at random.
QString Scimmia::esci(QWidget *finestra, bool dallaCornice)
{
    m_tornaMenu = m_dialoghi.risposta == Dialoghi::Si;
    if (dallaCornice) {
        finestra->close();
        return QStringLiteral("close frame");
    }
    controllo<QAction>(*finestra, "mnuEsci")->trigger();
    return QStringLiteral("Esci");
}

// A key for the control that has the focus: Tab and the arrows walk the controls, Space,
// Return or Enter press a button, Space, Return or Enter on an answer (a description, a picture) answers,
// on a definition of the matching quiz picks it up, on a box places it there; Escape puts it
// back.
QString Scimmia::tasto(QWidget *finestra)
{
    static const Qt::Key tasti[] = {Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Space,
                                    Qt::Key_Return, Qt::Key_Enter,  Qt::Key_Escape, Qt::Key_Up,
                                    Qt::Key_Down,   Qt::Key_Left,   Qt::Key_Right};
    const Qt::Key t = tasti[tra(int(std::size(tasti)))];
    QWidget *fuoco = QApplication::focusWidget();
    if (!fuoco || fuoco->window() != finestra)
        fuoco = finestra;
    QString cosa = QString::fromLatin1(fuoco->metaObject()->className());
    const bool preme = t == Qt::Key_Space || t == Qt::Key_Return || t == Qt::Key_Enter;
    const bool premeBottone = preme && qobject_cast<PulsanteGrafico *>(fuoco);
    const bool sceglie = preme
        && (qobject_cast<Etichetta *>(fuoco) || qobject_cast<Immagine *>(fuoco)
            || qobject_cast<CasellaRilascio *>(fuoco))
        && (fuoco->focusPolicy() & Qt::TabFocus);
    if ((premeBottone || sceglie) && fuoco->isEnabled() && fuoco->isVisible())
        cosa = effettoClic(finestra, fuoco, fuoco->mapTo(finestra, fuoco->rect().center()));
    QTest::keyClick(fuoco, t);
    return QStringLiteral("key %1 on %2").arg(int(t), 0, 16).arg(cosa);
}

QString Scimmia::eventoQuiz(CorniceQuiz *quiz)
{
    const int scelta = tra(100);
    if (scelta < 40)
        return clicCasuale(quiz);
    if (scelta < 50) { // a category item
        const int i = tra(7);
        voceCategoria(*quiz, i)->trigger();
        ++m_categorieScelte;
        return QStringLiteral("category %1").arg(i);
    }
    if (scelta < 52) {
        controllo<QAction>(*quiz, "mnuAzzera")->trigger();
        m_esatti = m_errati = 0;
        m_forzati = false;
        return QStringLiteral("Azzera conteggio");
    }
    if (scelta < 54) {
        if (auto *eseguiti = quiz->findChild<QAction *>(QStringLiteral("mnuEserEseg")))
            eseguiti->trigger();
        return QStringLiteral("Esercizi eseguiti");
    }
    if (scelta < 56)
        return esci(quiz, false);
    if (scelta < 57)
        return esci(quiz, true);
    if (scelta < 58) { // the counters near their top, to see them stop there
        m_ambiente.stato.NumeroEsatti = m_esatti = qint16(32767 - tra(3));
        m_ambiente.stato.NumeroErrati = m_errati = qint16(32767 - tra(3));
        m_forzati = true; // the labels show the new values only after the next answer
        return QStringLiteral("counters near 32767");
    }
    if (scelta < 64)
        return tasto(quiz);

    // Aimed at the controls that answer and at "avanti".
    if (auto *sposta = qobject_cast<FormSposta *>(quiz)) {
        if (scelta < 66) { // a click on a box: places the definition picked up, if any
            QLabel *l = controllo<QLabel>(*sposta, "Label2", tra(3));
            const QPoint punto = l->mapTo(quiz, l->rect().center());
            const QString cosa = effettoClic(quiz, quiz->childAt(punto), punto);
            clic(quiz, punto);
            return QStringLiteral("box ") + cosa;
        }
        if (scelta < 70) {
            // Without a display the drag it starts ends at once, where the pointer is: at the
            // press, a click that picks the definition up; elsewhere, a drop on a random label.
            const int slot = tra(3);
            QLabel *l = controllo<QLabel>(*sposta, "Label1", slot);
            if (!l->isVisible())
                return QStringLiteral("hidden definition");
            const QPoint punto = l->mapTo(quiz, QPoint(tra(l->width()), tra(l->height())));
            const bool fermo = tra(4) == 0;
            QCursor::setPos(quiz->mapToGlobal(punto) + (fermo ? QPoint() : QPoint(0, -100)));
            clic(quiz, punto);
            if (fermo)
                return QStringLiteral("press definition");
            std::unique_ptr<QMimeData> dati(datiDefinizione(slot));
            trascinaDefinizione(sposta, dati.get());
            return m_ultimoTrascinamento;
        }
        if (scelta < 85) { // a drag between any two labels of the window
            const auto etichette = quiz->centralWidget()->findChildren<QLabel *>();
            QLabel *da = etichette.at(tra(int(etichette.size())));
            if (!da->isVisible())
                return QStringLiteral("drag from hidden label");
            std::unique_ptr<QMimeData> dati;
            const auto definizioni = controlli<QLabel>(*sposta, "Label1", SlotAbbinamento);
            const int slot = int(definizioni.indexOf(da) < 0 ? SlotAbbinamento : definizioni.indexOf(da));
            if (slot < SlotAbbinamento)
                dati.reset(datiDefinizione(slot));
            else {
                dati = std::make_unique<QMimeData>();
                dati->setText(da->text());
            }
            trascinaDefinizione(sposta, dati.get());
            return m_ultimoTrascinamento;
        }
        if (controllo<PulsanteGrafico>(*sposta, "Command1")->isVisible()) {
            QTest::mouseClick(controllo<PulsanteGrafico>(*sposta, "Command1"), Qt::LeftButton);
            return QStringLiteral("avanti");
        }
        return clicCasuale(quiz);
    }
    if (auto *trova = qobject_cast<formTrova *>(quiz)) {
        if (scelta < 85) {
            Etichetta *l = controllo<Etichetta>(*trova, "Label1", tra(6));
            const QPoint punto = l->mapTo(quiz, l->rect().center());
            const QString cosa = effettoClic(quiz, quiz->childAt(punto), punto);
            clic(quiz, punto);
            return QStringLiteral("aimed ") + cosa;
        }
        QTest::mouseClick(controllo<PulsanteGrafico>(*trova, "Command1"), Qt::LeftButton);
        return QStringLiteral("avanti (%1)").arg(controllo<PulsanteGrafico>(*trova, "Command1")->isEnabled() ? "on" : "off");
    }
    if (auto *disegni = qobject_cast<formDisegni *>(quiz)) {
        if (scelta < 85) {
            Immagine *im = controllo<Immagine>(*disegni, "Image1", tra(6));
            const QPoint punto = im->mapTo(quiz, im->rect().center());
            const QString cosa = effettoClic(quiz, quiz->childAt(punto), punto);
            clic(quiz, punto);
            return QStringLiteral("aimed ") + cosa;
        }
        QTest::mouseClick(controllo<PulsanteGrafico>(*disegni, "Command1"), Qt::LeftButton);
        return QStringLiteral("avanti");
    }
    return clicCasuale(quiz);
}

// The exam test: clicks, its own keys (V and F answer, the arrows and the page keys move,
// Return presses "Consegna" or "Nuova prova" when they have the focus), now and then Esci. It
// never touches the counters.
QString Scimmia::eventoEsame(FormEsame *esame)
{
    const int scelta = tra(100);
    if (scelta < 35)
        return clicCasuale(esame);
    if (scelta < 92) {
        static const Qt::Key tasti[] = {Qt::Key_V,      Qt::Key_F,        Qt::Key_Left,
                                        Qt::Key_Right,  Qt::Key_PageUp,   Qt::Key_PageDown,
                                        Qt::Key_Return, Qt::Key_Tab,      Qt::Key_Space};
        const Qt::Key t = tasti[tra(int(std::size(tasti)))];
        QWidget *fuoco = QApplication::focusWidget();
        QTest::keyClick(fuoco && fuoco->window() == esame ? fuoco : esame, t);
        return QStringLiteral("exam key %1").arg(int(t), 0, 16);
    }
    return esci(esame, scelta < 96);
}

QString Scimmia::eventoPuzzle(frmpuzzle *puzzle)
{
    GiocoPuzzle *gioco = controllo<GiocoPuzzle>(*puzzle, "GiocoPuzzle1");
    // Now and then the monkey sets out to put a swap puzzle together, one right drop per
    // event, so that the solved state is reached and checked too.
    if (!m_risolvendo && tra(100) < 2)
        m_risolvendo = true;
    const int scelta = m_risolvendo && gioco->inGioco()
            && gioco->modello().modo() == ModelloPuzzle::Modo::Scambio
        ? 80
        : tra(100);
    if (scelta < 30)
        return clicCasuale(puzzle);
    if (scelta < 55) { // a click on a cell
        const int cella = tra(gioco->modello().celle());
        QTest::mouseClick(gioco, Qt::LeftButton, Qt::NoModifier,
                          gioco->rettangoloCella(cella).center());
        return QStringLiteral("cell %1").arg(cella);
    }
    if (scelta < 75) { // a key
        static const Qt::Key tasti[] = {Qt::Key_Up,    Qt::Key_Down,   Qt::Key_Left,
                                        Qt::Key_Right, Qt::Key_Space,  Qt::Key_Return,
                                        Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab};
        const Qt::Key tasto = tasti[tra(int(std::size(tasti)))];
        QTest::keyClick(gioco, tasto);
        return QStringLiteral("key %1").arg(int(tasto), 0, 16);
    }
    if (scelta < 85) { // a piece dropped on another cell: at random, or on its own home
        const ModelloPuzzle &m = gioco->modello();
        int da = tra(m.celle());
        int a = tra(m.celle());
        if ((m_risolvendo || moneta()) && m.modo() == ModelloPuzzle::Modo::Scambio)
            for (int c = 0; c < m.celle(); ++c)
                if (m.pezzo(c) != c) {
                    da = c;
                    a = m.pezzo(c);
                    break;
                }
        QMimeData dati;
        dati.setData(QString::fromLatin1(GiocoPuzzle::TipoMime), QByteArray::number(da));
        const QPoint punto = gioco->rettangoloCella(a).center();
        QDragEnterEvent entra(punto, Qt::MoveAction, &dati, Qt::LeftButton, {});
        QCoreApplication::sendEvent(gioco, &entra);
        if (entra.isAccepted()) {
            QDragMoveEvent muovi(punto, Qt::MoveAction, &dati, Qt::LeftButton, {});
            QCoreApplication::sendEvent(gioco, &muovi);
            QDropEvent lascia(QPointF(punto), Qt::MoveAction, &dati, Qt::LeftButton, {});
            QCoreApplication::sendEvent(gioco, &lascia);
        }
        return QStringLiteral("drop %1 on %2").arg(da).arg(a);
    }
    if (scelta < 90) {
        QTest::mouseClick(controllo<QPushButton>(*puzzle, "Command1"), Qt::LeftButton);
        return QStringLiteral("nuovo puzzle");
    }
    if (scelta < 95) {
        const int i = tra(2);
        QTest::mouseClick(controllo<QRadioButton>(*puzzle, "Option1", i), Qt::LeftButton, Qt::NoModifier,
                          QPoint(6, controllo<QRadioButton>(*puzzle, "Option1", i)->height() / 2));
        return QStringLiteral("option %1").arg(i);
    }
    return esci(puzzle, scelta >= 99);
}

QString Scimmia::eventoMenu(FormMenu *menu)
{
    const int scelta = tra(100);
    if (scelta < 50)
        return clicCasuale(menu);
    if (scelta < 95) {
        PulsanteGrafico *pulsanti[] = {controllo<PulsanteGrafico>(*menu, "Command1"), controllo<PulsanteGrafico>(*menu, "Command2"), controllo<PulsanteGrafico>(*menu, "Command3D1"),
                                       controllo<PulsanteGrafico>(*menu, "Command3"), controllo<PulsanteGrafico>(*menu, "CommandEsame"), controllo<PulsanteGrafico>(*menu, "Command3D6"),
                                       controllo<PulsanteGrafico>(*menu, "Command3D5")};
        PulsanteGrafico *p = pulsanti[tra(int(std::size(pulsanti)))];
        const QPoint punto = p->mapTo(menu, p->rect().center());
        const QString cosa = effettoClic(menu, menu->childAt(punto), punto);
        clic(menu, punto);
        return QStringLiteral("menu button ") + p->text() + QLatin1Char(' ') + cosa;
    }
    if (scelta < 98)
        return tasto(menu);
    // The window frame's close button of the main menu ends the program.
    m_fine = true;
    menu->close();
    return QStringLiteral("close the main menu");
}

QString Scimmia::evento()
{
    m_dialoghi.risposta = moneta() ? Dialoghi::Si : Dialoghi::No;
    m_tornaMenu = false;
    m_fine = false;
    m_esatti = m_ambiente.stato.NumeroEsatti;
    m_errati = m_ambiente.stato.NumeroErrati;

    QWidget *finestra = corrente();
    aggancia(finestra);
    QString cosa;
    if (!finestra)
        cosa = QStringLiteral("no window");
    else if (auto *quiz = qobject_cast<CorniceQuiz *>(finestra))
        cosa = eventoQuiz(quiz);
    else if (auto *puzzle = qobject_cast<frmpuzzle *>(finestra))
        cosa = eventoPuzzle(puzzle);
    else if (auto *esame = qobject_cast<FormEsame *>(finestra))
        cosa = eventoEsame(esame);
    else if (auto *menu = qobject_cast<FormMenu *>(finestra))
        cosa = eventoMenu(menu);
    else {
        cosa = clicCasuale(finestra); // the splash: any click opens the menu
        m_tornaMenu = true;
    }
    if (finestra)
        ++schermi[QString::fromLatin1(finestra->metaObject()->className()).section(QStringLiteral("::"), -1)];

    // A menu the click opened goes away before the next event; the window's own state stays.
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return (m_dialoghi.risposta == Dialoghi::Si ? QStringLiteral("[Si] ") : QStringLiteral("[No] "))
        + cosa;
}

QString Scimmia::controlla()
{
    const Stato &s = m_ambiente.stato;
    if (m_fine || m_uscita) {
        if (!m_fine)
            return QStringLiteral("the program ended unasked");
        if (finestreAperte().size() > 1)
            return QStringLiteral("the program ended with %1 windows still open").arg(finestreAperte().size());
        avvia();
        return QString();
    }

    const QList<QWidget *> aperte = finestreAperte();
    QList<QWidget *> programma;
    for (QWidget *w : aperte)
        if (w->windowType() != Qt::ToolTip && w->windowType() != Qt::Popup)
            programma.append(w);
    if (programma.size() != 1) {
        QStringList nomi;
        for (QWidget *w : programma)
            nomi << QString::fromLatin1(w->metaObject()->className());
        return QStringLiteral("%1 program windows open: %2").arg(programma.size()).arg(nomi.join(u' '));
    }
    QWidget *finestra = programma.first();
    if (m_tornaMenu && !qobject_cast<FormMenu *>(finestra))
        return QStringLiteral("expected the main menu, found %1").arg(finestra->metaObject()->className());

    if (s.NumeroEsatti < 0 || s.NumeroErrati < 0)
        return QStringLiteral("a counter below 0: %1 %2").arg(s.NumeroEsatti).arg(s.NumeroErrati);
    if (s.NumeroEsatti != m_esatti || s.NumeroErrati != m_errati)
        return QStringLiteral("counters %1/%2, expected %3/%4")
            .arg(s.NumeroEsatti).arg(s.NumeroErrati).arg(m_esatti).arg(m_errati);

    int categoria = -1;
    for (int i = 0; i < 7; ++i)
        if (Categorie[std::size_t(i)].primo == s.PrimoSegnale
            && Categorie[std::size_t(i)].ultimo == s.UltimoSegnale)
            categoria = i;
    if (categoria < 0)
        return QStringLiteral("range %1..%2 is no category").arg(s.PrimoSegnale).arg(s.UltimoSegnale);

    if (finestra != m_ultima) {
        m_ultima = finestra;
        m_forzati = false;
    }
    if (auto *quiz = qobject_cast<CorniceQuiz *>(finestra)) {
        // The labels that show the score (the matching quiz has none).
        QLabel *esatti = nullptr;
        QLabel *errati = nullptr;
        if (!qobject_cast<FormSposta *>(quiz)) {
            esatti = controllo<QLabel>(*quiz, "EtichettaEsatti");
            errati = controllo<QLabel>(*quiz, "EtichettaErrati");
        }
        if (esatti && !m_forzati
            && (esatti->text() != testoContatore(s.NumeroEsatti)
                || errati->text() != testoContatore(s.NumeroErrati)))
            return QStringLiteral("the score reads '%1' '%2'").arg(esatti->text(), errati->text());
        int spuntate = 0;
        for (int i = 0; i < 7; ++i)
            if (voceCategoria(*quiz, i)->isChecked()) {
                ++spuntate;
                if (i != categoria)
                    return QStringLiteral("item %1 checked, range of %2").arg(i).arg(categoria);
            }
        if (spuntate != 1)
            return QStringLiteral("%1 category items checked").arg(spuntate);
    }

    if (auto *quiz = qobject_cast<FormSposta *>(finestra)) {
        // What stands on screen agrees with itself: a definition placed is hidden and its
        // text stands in its box, under the picture of its sign.
        int nascoste = 0;
        std::array<int, SlotAbbinamento> segnali{};
        for (int k = 0; k < SlotAbbinamento; ++k) {
            const auto i = std::size_t(k);
            segnali[i] = segnaleDelFile(controllo<Immagine>(*quiz, "Image1", k)->file());
            const bool nascosta = collocata(quiz, k);
            nascoste += nascosta;
            const QString atteso = nascosta ? s.segnale(segnali[i]) : QString();
            if (controllo<QLabel>(*quiz, "Label2", k)->text() != atteso)
                return QStringLiteral("box %1 reads '%2'").arg(k).arg(controllo<QLabel>(*quiz, "Label2", k)->text());
            if (!nascosta && controllo<QLabel>(*quiz, "Label1", k)->text() != s.segnale(segnali[i]))
                return QStringLiteral("definition %1 is not sign %2").arg(k).arg(segnali[i]);
            if (segnali[i] < s.PrimoSegnale || segnali[i] > s.UltimoSegnale)
                return QStringLiteral("sign %1 outside the range").arg(segnali[i]);
        }
        if (segnali[0] == segnali[1] || segnali[0] == segnali[2] || segnali[1] == segnali[2])
            return QStringLiteral("a sign twice in one exercise");
        if (nascoste == SlotAbbinamento && !controllo(*quiz, "Command1")->isVisible())
            return QStringLiteral("exercise complete but no \"avanti\"");
    } else if (auto *quiz = qobject_cast<formTrova *>(finestra)) {
        const bool avanti = controllo<PulsanteGrafico>(*quiz, "Command1")->isEnabled();
        int giuste = 0;
        for (Etichetta *l : controlli<Etichetta>(*quiz, "Label1", 6)) {
            if (l->isEnabled() == avanti)
                return QStringLiteral("a description enabled %1 with \"avanti\" enabled %2").arg(l->isEnabled()).arg(avanti);
            giuste += l->text() == s.segnale(s.SegnaleCorrente);
        }
        if (giuste < 1)
            return QStringLiteral("no description of sign %1").arg(s.SegnaleCorrente);
        if (segnaleDelFile(controllo<Immagine>(*quiz, "Image1")->file()) != s.SegnaleCorrente)
            return QStringLiteral("the picture is not sign %1").arg(s.SegnaleCorrente);
        if (s.SegnaleCorrente < s.PrimoSegnale || s.SegnaleCorrente > s.UltimoSegnale)
            return QStringLiteral("sign %1 outside the range").arg(s.SegnaleCorrente);
        if (controllo<PulsanteGrafico>(*quiz, "ComandoIconaSi")->isVisible() && controllo<PulsanteGrafico>(*quiz, "ComandoIconaNo")->isVisible())
            return QStringLiteral("both faces shown");
    } else if (auto *quiz = qobject_cast<formDisegni *>(finestra)) {
        const bool avanti = controllo<PulsanteGrafico>(*quiz, "Command1")->isEnabled();
        QSet<int> segnali;
        for (Immagine *im : controlli<Immagine>(*quiz, "Image1", 6)) {
            if (im->isEnabled() == avanti)
                return QStringLiteral("a picture enabled %1 with \"avanti\" enabled %2").arg(im->isEnabled()).arg(avanti);
            const int n = segnaleDelFile(im->file());
            if (n < s.PrimoSegnale || n > s.UltimoSegnale)
                return QStringLiteral("sign %1 outside the range").arg(n);
            segnali.insert(n);
        }
        if (segnali.size() != 6 && s.UltimoSegnale - s.PrimoSegnale + 1 >= 6)
            return QStringLiteral("a sign twice in one exercise");
        if (controllo<CorniceRisposta>(*quiz, "Shape1")->isVisible() != avanti)
            return QStringLiteral("frame shown %1 with \"avanti\" enabled %2").arg(controllo<CorniceRisposta>(*quiz, "Shape1")->isVisible()).arg(avanti);
        // The description names one of the six pictures (posizioneGiusta ends the run if none).
        posizioneGiusta(*quiz);
        if (controllo<QLabel>(*quiz, "Label4")->text()
            != QStringLiteral("selezionati ") + voceCategoria(*quiz, categoria)->text())
            return QStringLiteral("Label4 reads '%1'").arg(controllo<QLabel>(*quiz, "Label4")->text());
    } else if (auto *puzzle = qobject_cast<frmpuzzle *>(finestra)) {
        GiocoPuzzle *g = controllo<GiocoPuzzle>(*puzzle, "GiocoPuzzle1");
        const ModelloPuzzle &m = g->modello();
        if (g->inGioco() == m.risolto())
            return QStringLiteral("in play %1, solved %2").arg(g->inGioco()).arg(m.risolto());
        const bool scambio = controllo<QRadioButton>(*puzzle, "Option1", 0)->isChecked();
        if (scambio == controllo<QRadioButton>(*puzzle, "Option1", 1)->isChecked())
            return QStringLiteral("both options alike");
        if ((m.modo() == ModelloPuzzle::Modo::Scambio) != scambio)
            return QStringLiteral("the game's mode differs from the option");
        std::vector<int> pezzi = m.disposizione();
        std::sort(pezzi.begin(), pezzi.end());
        for (int i = 0; i < int(pezzi.size()); ++i)
            if (pezzi[std::size_t(i)] != i)
                return QStringLiteral("the pieces are no permutation");
        if (m.celle() != 9)
            return QStringLiteral("%1 cells").arg(m.celle());
        if (s.SegnaleCorrente < s.PrimoSegnale || s.SegnaleCorrente > s.UltimoSegnale)
            return QStringLiteral("sign %1 outside the range").arg(s.SegnaleCorrente);
        if (controllo<QLabel>(*puzzle, "Label1")->text() != s.segnale(s.SegnaleCorrente))
            return QStringLiteral("the text is not sign %1").arg(s.SegnaleCorrente);
    }
    return QString();
}

// The offscreen platform says, each time a menu opens or a window is raised, what it cannot
// do; thousands of those lines would bury the monkey's own report.
QtMessageHandler gestorePrecedente = nullptr;
void filtraMessaggi(QtMsgType tipo, const QMessageLogContext &contesto, const QString &testo)
{
    if (tipo == QtWarningMsg && testo.startsWith(QLatin1String("This plugin does not support")))
        return;
    gestorePrecedente(tipo, contesto, testo);
}

} // namespace

class TestScimmia : public QObject
{
    Q_OBJECT

private slots:
    void scimmia();
};

void TestScimmia::scimmia()
{
    bool ok = false;
    const quint64 seme = qEnvironmentVariable("CARTAVIA_SEME").toULongLong(&ok);
    const quint64 semeUsato = ok ? seme : quint64(QDateTime::currentMSecsSinceEpoch());
    int eventi = qEnvironmentVariableIntValue("CARTAVIA_EVENTI", &ok);
    if (!ok || eventi <= 0)
        eventi = 20000;
    std::printf("CARTAVIA_SEME=%llu CARTAVIA_EVENTI=%d\n", static_cast<unsigned long long>(semeUsato), eventi);
    std::fflush(stdout);

    gestorePrecedente = qInstallMessageHandler(filtraMessaggi);
    Scimmia scimmia(semeUsato);
    scimmia.avvia();
    std::deque<QString> ultimi;
    QElapsedTimer orologio;
    orologio.start();
    for (int n = 1; n <= eventi; ++n) {
        QString cosa;
        QString errore;
        try {
            cosa = scimmia.evento();
            errore = scimmia.controlla();
        } catch (const ErroreCartavia &e) {
            errore = QStringLiteral("failure: ") + QString::fromUtf8(e.what());
        }
        ultimi.push_back(QStringLiteral("%1: %2").arg(n).arg(cosa));
        if (qEnvironmentVariableIsSet("CARTAVIA_TRACCIA"))
            std::printf("%s\n", qPrintable(ultimi.back()));
        if (ultimi.size() > 12)
            ultimi.pop_front();
        if (!errore.isEmpty()) {
            QStringList storia(ultimi.begin(), ultimi.end());
            QFAIL(qPrintable(QStringLiteral("event %1 (CARTAVIA_SEME=%2): %3\nlast events:\n  %4")
                                 .arg(n).arg(semeUsato).arg(errore, storia.join(QStringLiteral("\n  ")))));
        }
    }
    QStringList schermi;
    for (auto it = scimmia.schermi.cbegin(); it != scimmia.schermi.cend(); ++it)
        schermi << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    std::printf("%d events in %lld ms: %d answers, %d definitions placed without a drag, %d "
                "category choices, %d puzzles solved, %d starts; events per screen: %s\n",
                eventi, orologio.elapsed(), scimmia.risposte(), scimmia.posate(),
                scimmia.categorie(), scimmia.risolti(), scimmia.avvii(),
                qPrintable(schermi.join(QStringLiteral(", "))));
    // Every screen must have had its share, or the run proved little (the splash and the
    // main menu are left after one or two events; the activities keep the monkey longer).
    for (const char *nome : {"FormAvvio", "FormMenu", "FormSposta", "formTrova", "formDisegni", "frmpuzzle"})
        QVERIFY2(scimmia.schermi.value(QLatin1String(nome)) >= std::max(1, eventi / 2000), nome);
    QVERIFY(scimmia.risposte() >= eventi / 20);
    // About 26 in 20,000 events, 18 to 32 over ten seeds: a quarter of the least is still proof
    // that the keyboard's placing was reached, and no seed's bad luck fails the run.
    QVERIFY(scimmia.posate() >= eventi / 4000);
    chiudiTutto();
}

QTEST_MAIN(TestScimmia)
#include "tst_scimmia.moc"
