// Every window grows by one factor: its controls, fonts, lines, pictures and drag pointer, in
// proportion with the client area; F11 gives the whole screen; a window full screen hands
// that on to the next one.
#include "app/Navigazione.h"
#include "screens/FormAvvio.h"
#include "screens/FormMenu.h"
#include "screens/puzzle/GiocoPuzzle.h"
#include "screens/puzzle/frmpuzzle.h"
#include "screens/esame/FormEsame.h"
#include "screens/quiz/abbinamento/FormSposta.h"
#include "screens/quiz/definizione/formTrova.h"
#include "screens/quiz/riconoscimento/formDisegni.h"
#include "widgets/Scala.h"
#include "Ambiente.h"
#include "widgets/Immagine.h"

#include <QFrame>
#include <QMainWindow>
#include <QMenuBar>
#include <QRadioButton>
#include <QStyle>
#include <QPointer>
#include <QtTest>
#include <functional>

using namespace cartavia;

using ApriFinestra = std::function<QWidget *(Contesto &)>;
Q_DECLARE_METATYPE(ApriFinestra)

namespace {
template <class Finestra>
ApriFinestra apri()
{
    return [](Contesto &contesto) -> QWidget * { return passaA<Finestra>(nullptr, contesto); };
}

const std::pair<const char *, ApriFinestra> Finestre[] = {
    {"avvio", apri<FormAvvio>()},         {"menu", apri<FormMenu>()},
    {"definire", apri<formTrova>()},      {"abbinare", apri<FormSposta>()},
    {"riconoscere", apri<formDisegni>()}, {"puzzle", apri<frmpuzzle>()},
    {"esame", apri<FormEsame>()},
};

// What a control looks like at the natural size.
struct Naturale
{
    QPointer<QWidget> controllo;
    QRect rettangolo;
    qreal punti;
    int linea; // of a frame; -1 for none
    QSize immagine;
};

// Within a pixel of the natural rectangle times the factor, plus the margin on the host.
bool alPosto(const QRect &visto, const QRect &naturale, qreal f, QPoint margine)
{
    const QRectF atteso(margine.x() + naturale.x() * f, margine.y() + naturale.y() * f,
                        naturale.width() * f, naturale.height() * f);
    return qAbs(visto.x() - atteso.x()) <= 1 && qAbs(visto.y() - atteso.y()) <= 1
        && qAbs(visto.width() - atteso.width()) <= 1 && qAbs(visto.height() - atteso.height()) <= 1;
}

QString descrivi(const QWidget *w)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(w->metaObject()->className()), w->objectName());
}

int spazioFraCelle(const GiocoPuzzle *puzzle)
{
    return puzzle->rettangoloCella(1).left() - puzzle->rettangoloCella(0).right() - 1;
}
}

class TestScalaFinestre : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { chiudiTutto(); }
    void proporzioni_data();
    void proporzioni();
    void schermoIntero();
    void schermoInteroPassaAllaFinestraDopo();
};

void TestScalaFinestre::proporzioni_data()
{
    QTest::addColumn<ApriFinestra>("apriFinestra");
    QTest::addColumn<qreal>("fattore");
    for (const auto &[nome, apriFinestra] : Finestre)
        for (const qreal fattore : {1.0, 1.5, 2.0})
            QTest::addRow("%s %g", nome, fattore) << apriFinestra << fattore;
}

void TestScalaFinestre::proporzioni()
{
    QFETCH(ApriFinestra, apriFinestra);
    QFETCH(qreal, fattore);
    Ambiente a;
    QWidget *finestra = apriFinestra(a.contesto);
    QVERIFY(QTest::qWaitForWindowExposed(finestra));
    Scala *scala = finestra->findChild<Scala *>();
    QVERIFY(scala);
    auto *ospite = qobject_cast<QWidget *>(scala->parent());
    QCOMPARE(ospite->size(), scala->naturale());

    std::vector<Naturale> naturali;
    for (QWidget *c : ospite->findChildren<QWidget *>()) {
        if (c->isWindow())
            continue;
        const auto *cornice = qobject_cast<QFrame *>(c);
        const auto *immagine = qobject_cast<Immagine *>(c);
        naturali.push_back({c, c->geometry(), c->font().pointSizeF(),
                            cornice && cornice->frameShape() != QFrame::NoFrame ? cornice->lineWidth() : -1,
                            immagine ? immagine->immagine().size() : QSize()});
    }
    QVERIFY(naturali.size() >= 5);
    auto *puzzle = ospite->findChild<GiocoPuzzle *>();
    const int spazioNaturale = puzzle ? spazioFraCelle(puzzle) : 0;

    // The window grows until its client area is the natural one times the factor.
    const QSize voluta(qRound(scala->naturale().width() * fattore),
                       qRound(scala->naturale().height() * fattore));
    finestra->resize(finestra->size() - ospite->size() + voluta);
    QTRY_COMPARE(ospite->size(), voluta);
    QVERIFY2(qAbs(scala->fattore() - fattore) < 0.002, qPrintable(QString::number(scala->fattore())));
    const qreal f = scala->fattore();
    // Grown, what the host shows stands in its middle, whatever margins the layout leaves;
    // the menu bar and the round indicators of the options grow by the same factor.
    QRect contenuto;
    for (QWidget *c : ospite->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        contenuto |= c->geometry();
    const QPoint scarto = contenuto.topLeft() - (ospite->rect().bottomRight() - contenuto.bottomRight());
    QVERIFY(fattore == 1 || (qAbs(scarto.x()) <= 2 && qAbs(scarto.y()) <= 2));
    if (auto *principale = qobject_cast<QMainWindow *>(finestra))
        QCOMPARE(principale->menuBar()->font().pointSizeF(),
                 QApplication::font(principale->menuBar()).pointSizeF() * f);
    for (QRadioButton *opzione : finestra->findChildren<QRadioButton *>())
        QCOMPARE(opzione->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, opzione),
                 qRound(QApplication::style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) * f));

    int font = 0, linee = 0, immagini = 0, puntatori = 0;
    for (const Naturale &n : naturali) {
        QWidget *c = n.controllo;
        QVERIFY(c);
        const QPoint margine = c->parentWidget() == ospite ? scala->margine() : QPoint();
        QVERIFY2(alPosto(c->geometry(), n.rettangolo, f, margine),
                 qPrintable(descrivi(c) + QStringLiteral(": %1,%2 %3x%4 from %5,%6 %7x%8")
                                              .arg(c->x()).arg(c->y()).arg(c->width()).arg(c->height())
                                              .arg(n.rettangolo.x()).arg(n.rettangolo.y())
                                              .arg(n.rettangolo.width()).arg(n.rettangolo.height())));
        if (n.punti > 0) {
            QVERIFY2(qAbs(c->font().pointSizeF() - n.punti * f) < 0.01, qPrintable(descrivi(c)));
            ++font;
        }
        if (n.linea > 0) {
            QCOMPARE(static_cast<QFrame *>(c)->lineWidth(), qMax(1, qRound(n.linea * f)));
            ++linee;
        }
        if (auto *immagine = qobject_cast<Immagine *>(c); immagine && !immagine->file().isEmpty()) {
            // Decoded again at the size it is shown at, inside a border that grew as well.
            QCOMPARE(immagine->immagine().size(), immagine->dimensioneDecodifica());
            const QSize visto = immagine->immagine().size();
            QVERIFY2(qAbs(visto.width() - n.immagine.width() * f) <= 2 * qRound(f) + 1
                         && qAbs(visto.height() - n.immagine.height() * f) <= 2 * qRound(f) + 1,
                     qPrintable(descrivi(c)));
            ++immagini;
        }
        if (c->testAttribute(Qt::WA_SetCursor) && c->cursor().shape() == Qt::BitmapCursor) {
            const QSizeF puntatore = c->cursor().pixmap().deviceIndependentSize();
            QVERIFY(qAbs(puntatore.width() - 32 * f) <= 1);
            ++puntatori;
        }
    }
    QVERIFY(font > 0);
    if (puzzle) {
        QCOMPARE(puzzle->picture().size(), puzzle->dimensioneImmagine());
        QCOMPARE(spazioFraCelle(puzzle), qMax(1, qRound(spazioNaturale * f)));
    }
    // Every window has fonts; frames, pictures and drag pointers where it has them.
    QVERIFY(linee + immagini + puntatori + (puzzle ? 1 : 0) > 0 || naturali.size() == 7); // the menu: seven buttons
}

void TestScalaFinestre::schermoIntero()
{
    for (const auto &[nome, apriFinestra] : Finestre) {
        Ambiente a;
        QWidget *finestra = apriFinestra(a.contesto);
        QVERIFY(QTest::qWaitForWindowActive(finestra));
        QWidget *fuoco = finestra->focusWidget() ? finestra->focusWidget() : finestra;
        QTest::keyClick(fuoco, Qt::Key_F11);
        QTRY_VERIFY2(finestra->isFullScreen(), nome);
        QTest::keyClick(fuoco, Qt::Key_F11);
        QTRY_VERIFY2(!finestra->isFullScreen(), nome);
        chiudiTutto();
    }
}

void TestScalaFinestre::schermoInteroPassaAllaFinestraDopo()
{
    Ambiente a;
    QWidget *menu = passaA<FormMenu>(nullptr, a.contesto);
    menu->setWindowState(Qt::WindowFullScreen);
    apriSchermata(Schermata::Puzzle, menu, a.contesto);
    const QList<QWidget *> aperte = finestreAperte();
    QCOMPARE(aperte.size(), 1);
    QVERIFY(qobject_cast<frmpuzzle *>(aperte.first()));
    QVERIFY(aperte.first()->isFullScreen());
    apriSchermata(Schermata::Menu, aperte.first(), a.contesto);
    QVERIFY(finestreAperte().first()->isFullScreen());
}

QTEST_MAIN(TestScalaFinestre)
#include "tst_scala_finestre.moc"
