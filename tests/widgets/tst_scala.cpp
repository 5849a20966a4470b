// The helper that lets a window grow, on a small window of its own: what the window does
// to its controls while it is scaled is taken in natural units, and at the natural size
// again every pixel is as it was.
#include "widgets/Aspetto.h"
#include "widgets/Scala.h"
#include "widgets/Twips.h"
#include "Ambiente.h"
#include "widgets/Immagine.h"

#include <QGroupBox>
#include <QLabel>
#include <QtTest>

using namespace cartavia;

namespace {
// A control that draws something of its own: it only records the factor it was told.
class Disegno : public QWidget, public Scalabile
{
public:
    using QWidget::QWidget;
    void impostaScala(qreal fattore) override { ricevuto = fattore; }
    qreal ricevuto = 1;
};

// A small layout: a framed label, a group box with a label inside, a picture box and a
// control that draws by itself.
struct Finestrina
{
    explicit Finestrina(const QString &file)
    {
        finestra.setWindowTitle(QStringLiteral("prova"));
        impostaSfondo(&finestra, 0xC0C0C0);
        etichetta = new QLabel(QStringLiteral("testo di prova"), &finestra);
        etichetta->setGeometry(tw(120, 120, 2400, 600));
        etichetta->setFont(carattere(QStringLiteral("Arial"), 12, true));
        etichetta->setFrameStyle(QFrame::Box | QFrame::Plain);
        gruppo = new QGroupBox(&finestra);
        gruppo->setGeometry(tw(120, 900, 2400, 1140)); // the controls' box: 120 twips clear all round
        gruppo->setFont(carattere(QStringLiteral("MS Sans Serif"), 8, false));
        dentro = new QLabel(QStringLiteral("dentro"), gruppo);
        dentro->setGeometry(tw(240, 240, 1575, 255));
        immagine = new Immagine(&finestra);
        immagine->setBordo(true);
        immagine->setGeometry(tw(2700, 120, 1500, 1500));
        disegno = new Disegno(&finestra);
        disegno->setGeometry(tw(2700, 1740, 1500, 255));
        scala = new Scala(&finestra, twSize(4320, 2160));
        immagine->carica(file);
        controlli = {etichetta, gruppo, dentro, immagine, disegno};
    }

    QWidget finestra;
    QLabel *etichetta;
    QGroupBox *gruppo;
    QLabel *dentro;
    Immagine *immagine;
    Disegno *disegno;
    Scala *scala;
    QList<QWidget *> controlli;
};

// Where a control must stand: its natural rectangle times the factor, plus the margin on
// the host, to within a pixel on each edge.
bool alPosto(const QRect &visto, const QRect &naturale, qreal f, QPoint margine)
{
    const QRectF atteso(margine.x() + naturale.x() * f, margine.y() + naturale.y() * f,
                        naturale.width() * f, naturale.height() * f);
    return qAbs(visto.x() - atteso.x()) <= 1 && qAbs(visto.y() - atteso.y()) <= 1
        && qAbs(visto.width() - atteso.width()) <= 1 && qAbs(visto.height() - atteso.height()) <= 1;
}
}

class TestScala : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { chiudiTutto(); }
    void proporzioni_data();
    void proporzioni();
    void cambiDellaFinestra();
    void schermoIntero();
};

void TestScala::proporzioni_data()
{
    QTest::addColumn<QSize>("dimensione");
    QTest::addColumn<qreal>("fattore");
    QTest::addColumn<QPoint>("margine");
    const QSize n = twSize(4320, 2160); // 288 x 144
    QTest::newRow("naturale") << n << 1.0 << QPoint(0, 0);
    QTest::newRow("1,5") << n * 1.5 << 1.5 << QPoint(0, 0);
    QTest::newRow("2") << n * 2 << 2.0 << QPoint(0, 0);
    QTest::newRow("più larga") << QSize(n.width() * 2 + 101, n.height() * 3 / 2) << 1.5
                               << QPoint((n.width() / 2 + 101) / 2, 0);
    QTest::newRow("più alta") << QSize(n.width() * 2, n.height() * 3) << 2.0
                              << QPoint(0, n.height() / 2);
}

void TestScala::proporzioni()
{
    QFETCH(QSize, dimensione);
    QFETCH(qreal, fattore);
    QFETCH(QPoint, margine);
    CartellaProgramma cartella;
    Finestrina f(cartella.percorso() + QStringLiteral("/jpg/7.jpg"));
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
    QCOMPARE(f.finestra.size(), twSize(4320, 2160));
    QList<QRect> naturali;
    for (QWidget *c : f.controlli)
        naturali << c->geometry();

    f.finestra.resize(dimensione);
    QCOMPARE(f.scala->fattore(), fattore);
    QCOMPARE(f.scala->margine(), margine);
    for (int i = 0; i < f.controlli.size(); ++i) {
        const QPoint m = f.controlli[i]->parentWidget() == &f.finestra ? margine : QPoint();
        QVERIFY2(alPosto(f.controlli[i]->geometry(), naturali[i], fattore, m),
                 qPrintable(f.controlli[i]->metaObject()->className()));
    }
    QCOMPARE(f.etichetta->font().pointSizeF(), 12 * fattore);
    QCOMPARE(f.dentro->font().pointSizeF(), 8 * fattore); // inherited from the group box
    QCOMPARE(f.etichetta->lineWidth(), qRound(fattore));
    QCOMPARE(f.disegno->ricevuto, fattore);
    // Decoded again at the size shown, not stretched from the small one.
    QCOMPARE(f.immagine->immagine().size(), f.immagine->size() - QSize(2, 2) * qRound(fattore));
    QCOMPARE(f.immagine->immagine().size(), f.immagine->dimensioneDecodifica());
    // The margins show the window's colour.
    const QImage schermata = f.finestra.grab().toImage();
    QCOMPARE(schermata.pixelColor(1, schermata.height() - 2), QColor(0xC0, 0xC0, 0xC0));
}

void TestScala::cambiDellaFinestra()
{
    CartellaProgramma cartella;
    Finestrina f(cartella.percorso() + QStringLiteral("/jpg/7.jpg"));
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
    const QImage prima = f.finestra.grab().toImage();

    f.finestra.resize(f.finestra.size() * 2);
    QCOMPARE(f.scala->fattore(), 2.0);
    // At twice the size the window still speaks in natural units: a move, a new rectangle
    // for a hidden control shown later, a new font.
    f.etichetta->move(tw(360), tw(240));
    QCOMPARE(f.etichetta->geometry(), QRect(tw(360) * 2, tw(240) * 2, 160 * 2, 40 * 2));
    // (8, 8) shows at (16, 16): a move there changes nothing Qt can see, posa() is exact.
    f.scala->posa(f.etichetta, QPoint(16, 16));
    QCOMPARE(f.etichetta->geometry(), QRect(32, 32, 160 * 2, 40 * 2));
    f.disegno->hide();
    f.disegno->setGeometry(tw(2700, 1800, 1200, 300));
    f.disegno->show();
    QCOMPARE(f.disegno->geometry(), QRect(180 * 2, 120 * 2, 80 * 2, 20 * 2));
    QCOMPARE(f.scala->naturale(f.disegno), tw(2700, 1800, 1200, 300));
    f.etichetta->setFont(carattere(QStringLiteral("Arial"), 18, true));
    QCOMPARE(f.etichetta->font().pointSizeF(), 36.0);

    // Back at the natural size, with the window's changes undone, every pixel is as before.
    f.finestra.resize(f.finestra.size() / 2);
    QCOMPARE(f.scala->fattore(), 1.0);
    f.etichetta->setGeometry(tw(120, 120, 2400, 600));
    f.etichetta->setFont(carattere(QStringLiteral("Arial"), 12, true));
    f.disegno->setGeometry(tw(2700, 1740, 1500, 255));
    QCOMPARE(f.finestra.grab().toImage(), prima);
}

void TestScala::schermoIntero()
{
    CartellaProgramma cartella;
    Finestrina f(cartella.percorso() + QStringLiteral("/jpg/7.jpg"));
    f.finestra.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.finestra));
    QTest::keyClick(&f.finestra, Qt::Key_F11);
    QTRY_VERIFY(f.finestra.isFullScreen());
    QTRY_VERIFY(f.scala->fattore() > 1);
    QTest::keyClick(&f.finestra, Qt::Key_F11);
    QTRY_VERIFY(!f.finestra.isFullScreen());
    QTRY_COMPARE(f.scala->fattore(), 1.0);
}

QTEST_MAIN(TestScala)
#include "tst_scala.moc"
