#include "Ambiente.h"
#include "Colori.h"
#include "Finestre.h"

#include "screens/FormAvvio.h"
#include "screens/puzzle/frmpuzzle.h"
#include "screens/esame/FormEsame.h"
#include "screens/quiz/Punteggio.h"
#include "screens/quiz/abbinamento/FormSposta.h"
#include "screens/quiz/definizione/formTrova.h"
#include "screens/quiz/riconoscimento/formDisegni.h"
#include "widgets/Aspetto.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>
#include <memory>

using namespace cartavia;

// The windows under a dark desktop theme (light text on dark grey), measured on what they
// draw: the text that stands straight on the random background is the classic black, and the
// text of every answer label reads on its background at 4.5:1 at least, in every state. Where
// the random background comes too close to a control's colour, an outline keeps it in sight.
class TestTemaScuro : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setPalette(tavolozzaScura()); }
    void cleanup() { chiudiTutto(); }
    void testiSulloSfondoNeri();
    void etichetteDiRispostaLeggibili();
    void facceFuoriDalFuoco();
    void contornoDoveIlColoreSiConfonde_data();
    void contornoDoveIlColoreSiConfonde();

private:
    // The first draw of each window is its colour: light pink (255, 192, 192).
    template <class Finestra>
    std::unique_ptr<Finestra> apri(Ambiente &a, std::initializer_list<float> copione = {0.0f})
    {
        a.casuale.aggiungi(copione);
        auto f = std::make_unique<Finestra>(a.contesto);
        f->show();
        return f;
    }
};

namespace {
void verificaNero(QWidget *controllo)
{
    const ColoriMostrati c = coloriMostrati(controllo);
    QVERIFY2(c.testo == QColor(Qt::black),
             qPrintable(QStringLiteral("%1: testo %2 su %3, contrasto %4")
                            .arg(controllo->objectName(), c.testo.name(), c.sfondo.name())
                            .arg(c.contrasto(), 0, 'f', 2)));
}

void verificaLeggibile(QWidget *controllo, const QString &stato)
{
    const ColoriMostrati c = coloriMostrati(controllo);
    QVERIFY2(c.contrasto() >= 4.5,
             qPrintable(QStringLiteral("%1 (%2): testo %3 su %4, contrasto %5")
                            .arg(controllo->objectName(), stato, c.testo.name(), c.sfondo.name())
                            .arg(c.contrasto(), 0, 'f', 2)));
}
}

void TestTemaScuro::testiSulloSfondoNeri()
{
    Ambiente a;
    auto avvio = apri<FormAvvio>(a);
    verificaNero(controllo(*avvio, "Label1"));
    auto trova = apri<formTrova>(a);
    for (const char *nome : {"Label3", "EtichettaEsatti", "Label2", "EtichettaErrati"})
        verificaNero(trova->findChild<QLabel *>(QLatin1String(nome)));
    auto disegni = apri<formDisegni>(a);
    for (const char *nome : {"Label4", "Label3", "EtichettaEsatti"})
        verificaNero(disegni->findChild<QLabel *>(QLatin1String(nome)));
}

void TestTemaScuro::etichetteDiRispostaLeggibili()
{
    Ambiente a;
    // Sign 73, its text at position 2.
    auto trova = apri<formTrova>(a, {0.0f, 0.5f, 0.4f});
    const QList<QWidget *> descrizioni = controlli(*trova, "Label1", 6);
    for (QWidget *l : descrizioni)
        verificaLeggibile(l, QStringLiteral("aperto"));
    QTest::mouseClick(descrizioni[2], Qt::LeftButton);
    QVERIFY(!descrizioni[0]->isEnabled());
    QCOMPARE(coloriMostrati(descrizioni[2]).sfondo, QColor(Qt::red));
    for (QWidget *l : descrizioni)
        verificaLeggibile(l, QStringLiteral("risolto"));
    QTest::mouseClick(controllo(*trova, "Command1"), Qt::LeftButton);
    for (QWidget *l : descrizioni)
        verificaLeggibile(l, QStringLiteral("dopo \"avanti\""));

    auto disegni = apri<formDisegni>(a);
    verificaLeggibile(disegni->findChild<QLabel *>(QStringLiteral("testo")), QStringLiteral("aperto"));

    auto sposta = apri<FormSposta>(a);
    for (QWidget *definizione : controlli(*sposta, "Label1", 3))
        verificaLeggibile(definizione, QStringLiteral("aperto"));

    auto puzzle = apri<frmpuzzle>(a);
    verificaLeggibile(controllo(*puzzle, "Label1"), QStringLiteral("aperto"));

    auto esame = apri<FormEsame>(a);
    for (const char *nome : {"Label1", "LabelNumero", "LabelTempo"})
        verificaLeggibile(controllo(*esame, nome), QStringLiteral("aperto"));
}

void TestTemaScuro::facceFuoriDalFuoco()
{
    Ambiente a;
    for (QWidget *quiz : std::initializer_list<QWidget *>{apri<formTrova>(a).release(),
                                                          apri<formDisegni>(a).release()}) {
        std::unique_ptr<QWidget> finestra(quiz);
        finestra->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(finestra.get()));
        auto *faccia = finestra->findChild<QWidget *>(QStringLiteral("ComandoIconaNo"));
        QVERIFY(faccia && faccia->isVisible());
        // Tab goes round every control and never stops on a face.
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : finestra.get(),
                            Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != faccia);
        }
        // A click on it does nothing, not even take the focus and its frame.
        QTest::mouseClick(faccia, Qt::LeftButton);
        QVERIFY(!faccia->hasFocus());
    }
}

void TestTemaScuro::contornoDoveIlColoreSiConfonde_data()
{
    QTest::addColumn<bool>("riconoscimento"); // else the definition quiz
    QTest::addColumn<int>("colore");          // the background, 1..18
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("contorno");

    // The right description turns red (sign 73 at position 2): a red box on a red window.
    QTest::newRow("risposta rossa su rosso") << false << 3 << "Label1_2" << true;
    QTest::newRow("risposta rossa su giallo chiaro") << false << 6 << "Label1_2" << false;
    // The black counters on the dark blue.
    QTest::newRow("contatore nero su blu") << false << 17 << "EtichettaEsatti" << true;
    QTest::newRow("contatore nero su rosa") << false << 1 << "EtichettaEsatti" << false;
    QTest::newRow("riconoscimento, contatore nero su blu") << true << 17 << "EtichettaErrati" << true;
}

void TestTemaScuro::contornoDoveIlColoreSiConfonde()
{
    QFETCH(bool, riconoscimento);
    QFETCH(int, colore);
    QFETCH(QString, nome);
    QFETCH(bool, contorno);

    Ambiente a;
    const float perColore = (float(colore) - 0.5f) / 18.0f;
    std::unique_ptr<QWidget> f;
    if (riconoscimento) {
        f = apri<formDisegni>(a, {perColore});
    } else {
        f = apri<formTrova>(a, {perColore, 0.5f, 0.4f});
        QTest::mouseClick(controllo(*f, "Label1", 2), Qt::LeftButton);
    }
    QWidget *c = f->findChild<QWidget *>(nome);
    const QColor sfondo = coloreQt(ColoriSfondo[std::size_t(colore - 1)], f.get());

    if (nome.startsWith(QLatin1String("Label1"))) {
        // The box stays red; the pixels just outside its sides stand out from the window at
        // 3:1, or are the window's own colour where the red stands out by itself.
        QCOMPARE(coloriMostrati(c).sfondo, QColor(Qt::red));
        const QImage immagine = f->grab().toImage();
        const QRect r(c->mapTo(f.get(), QPoint()), c->size());
        int anello = 0, visibili = 0;
        for (int y = r.top() - 2; y <= r.bottom() + 2; ++y)
            for (int x = r.left() - 2; x <= r.right() + 2; ++x)
                if (!r.contains(x, y) && (r.contains(x, r.top()) || r.contains(r.left(), y))) {
                    ++anello;
                    const QColor pixel = immagine.pixelColor(x, y);
                    visibili += contorno ? rapportoContrasto(pixel, sfondo) >= 3 : pixel == sfondo;
                }
        QCOMPARE(visibili, anello);
    } else {
        // The text stays black; on the blue a white halo makes it read at 4.5:1.
        const ColoriMostrati mostrati = coloriMostrati(c);
        QCOMPARE(mostrati.sfondo, sfondo);
        if (contorno)
            QVERIFY2(mostrati.contrasto() >= 4.5, qPrintable(mostrati.testo.name()));
        else
            QCOMPARE(mostrati.testo, QColor(Qt::black));
        const QImage testo = f->grab(QRect(c->mapTo(f.get(), QPoint()), c->size())).toImage();
        int neri = 0;
        for (int y = 0; y < testo.height(); ++y)
            for (int x = 0; x < testo.width(); ++x)
                neri += testo.pixelColor(x, y) == QColor(Qt::black);
        QVERIFY(neri > 20);
    }
}

QTEST_MAIN(TestTemaScuro)
#include "tst_tema_scuro.moc"
