#include "screens/puzzle/frmpuzzle.h"

#include "Risolutore.h"
#include "logic/Errore.h"
#include "app/Navigazione.h"
#include "screens/puzzle/GiocoPuzzle.h"
#include "screens/FormMenu.h"
#include "Ambiente.h"
#include "Finestre.h"
#include "widgets/PulsanteGrafico.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace cartavia;

namespace {
bool simile(const QColor &a, const QColor &b, int tolleranza = 24)
{
    return qAbs(a.red() - b.red()) <= tolleranza && qAbs(a.green() - b.green()) <= tolleranza
        && qAbs(a.blue() - b.blue()) <= tolleranza;
}

// The colour in the middle of the picture the control was handed.
QColor coloreImmagine(const frmpuzzle &f)
{
    const QImage &immagine = controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->picture();
    return immagine.pixelColor(immagine.width() / 2, immagine.height() / 2);
}

template <class T>
QList<T *> aperte()
{
    QList<T *> trovate;
    for (QWidget *w : finestreAperte())
        if (auto *t = qobject_cast<T *>(w))
            trovate.append(t);
    return trovate;
}

// Plays the puzzle on the screen to its end, with the mouse.
void risolvi(GiocoPuzzle &g)
{
    auto clic = [&g](int cella) {
        QTest::mouseClick(&g, Qt::LeftButton, {}, g.rettangoloCella(cella).center());
    };
    if (g.modello().modo() == ModelloPuzzle::Modo::Scambio) {
        for (int cella = 0; cella < g.modello().celle(); ++cella)
            if (g.modello().pezzo(cella) != cella) {
                clic(cella);
                clic(g.modello().cellaDi(cella));
            }
    } else {
        for (int cella : Risolutore::per(3, 3).soluzione(g.modello().disposizione()))
            clic(cella);
    }
}
}

class TestFrmPuzzle : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void apreConUnSegnaleDelRango_data();
    void apreConUnSegnaleDelRango();
    void dalMenuPrincipale();
    void nuovoPuzzleTieneIlModo();
    void cambiareModoTieneImmagineETesto_data();
    void cambiareModoTieneImmagineETesto();
    void iContatoriNonCambiano();
    void esci_data();
    void esci();
    void immagineMancante();
    void nomiAccessibili();
};

void TestFrmPuzzle::cleanup()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        w->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestFrmPuzzle::apreConUnSegnaleDelRango_data()
{
    QTest::addColumn<int>("primo");
    QTest::addColumn<int>("ultimo");
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("segnale");
    QTest::newRow("tutti, il primo") << 1 << 144 << 0.0f << 1;
    QTest::newRow("tutti, l'ultimo") << 1 << 144 << 0.9999f << 144;
    QTest::newRow("tutti, a metà") << 1 << 144 << 0.5f << 73;
    // As a quiz leaves the range after "segnali di pericolo".
    QTest::newRow("pericolo, a metà") << 1 << 38 << 0.5f << 20;
    QTest::newRow("pericolo, l'ultimo") << 1 << 38 << 0.9999f << 38;
    QTest::newRow("sosta") << 82 << 89 << 0.25f << 84;
    QTest::newRow("indicazione, l'ultimo") << 118 << 144 << 0.9999f << 144;
}

void TestFrmPuzzle::apreConUnSegnaleDelRango()
{
    QFETCH(int, primo);
    QFETCH(int, ultimo);
    QFETCH(float, r);
    QFETCH(int, segnale);
    Ambiente a;
    a.stato.PrimoSegnale = qint16(primo);
    a.stato.UltimoSegnale = qint16(ultimo);
    a.casuale.aggiungi(r);

    frmpuzzle f(a.contesto);
    QCOMPARE(int(a.stato.SegnaleCorrente), segnale);
    QCOMPARE(controllo<QLabel>(f, "Label1")->text(), CartellaProgramma::testo(segnale));
    QVERIFY(simile(coloreImmagine(f), CartellaProgramma::colore(segnale)));
    QVERIFY(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->inGioco());
    QCOMPARE(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->modello().modo(), ModelloPuzzle::Modo::Scambio);
    QVERIFY(controllo<QRadioButton>(f, "Option1", 0)->isChecked());
    QCOMPARE(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->righe(), 3);
    QCOMPARE(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->colonne(), 3);
    QCOMPARE(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->spessorelinea(), 2);
    // The range is read, never changed.
    QCOMPARE(int(a.stato.PrimoSegnale), primo);
    QCOMPARE(int(a.stato.UltimoSegnale), ultimo);
}

void TestFrmPuzzle::dalMenuPrincipale()
{
    Ambiente a;
    a.stato.PrimoSegnale = 1;
    a.stato.UltimoSegnale = 38;
    a.casuale.aggiungi(0.0f); // the menu's colour
    auto *menu = passaA<FormMenu>(nullptr, a.contesto);
    QVERIFY(controllo<PulsanteGrafico>(*menu, "Command3")->isEnabled());
    a.casuale.aggiungi(0.9999f); // the puzzle's sign
    QTest::mouseClick(controllo<PulsanteGrafico>(*menu, "Command3"), Qt::LeftButton);

    const auto puzzle = aperte<frmpuzzle>();
    QCOMPARE(puzzle.size(), 1);
    QCOMPARE(finestreAperte().size(), 1);
    QCOMPARE(int(a.stato.SegnaleCorrente), 38);
    QCOMPARE(controllo<QLabel>(*puzzle.first(), "Label1")->text(), CartellaProgramma::testo(38));
}

void TestFrmPuzzle::nuovoPuzzleTieneIlModo()
{
    Ambiente a;
    a.casuale.aggiungi(0.0f);
    frmpuzzle f(a.contesto);
    f.show();
    QCOMPARE(int(a.stato.SegnaleCorrente), 1);

    QTest::mouseClick(controllo<QRadioButton>(f, "Option1", 1), Qt::LeftButton);
    QVERIFY(controllo<QRadioButton>(f, "Option1", 1)->isChecked());
    QCOMPARE(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->modello().modo(), ModelloPuzzle::Modo::Scivolamento);

    a.casuale.aggiungi(0.5f);
    QTest::mouseClick(controllo<QPushButton>(f, "Command1"), Qt::LeftButton);
    QCOMPARE(int(a.stato.SegnaleCorrente), 73);
    QCOMPARE(controllo<QLabel>(f, "Label1")->text(), CartellaProgramma::testo(73));
    QVERIFY(simile(coloreImmagine(f), CartellaProgramma::colore(73)));
    QCOMPARE(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->modello().modo(), ModelloPuzzle::Modo::Scivolamento);
    QVERIFY(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->accessibleDescription().startsWith(QStringLiteral("puzzle a scivolamento;")));
    QVERIFY(controllo<QRadioButton>(f, "Option1", 1)->isChecked());
    QVERIFY(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->inGioco());

    // The same sign may come twice in a row.
    a.casuale.aggiungi(0.5f);
    QTest::mouseClick(controllo<QPushButton>(f, "Command1"), Qt::LeftButton);
    QCOMPARE(int(a.stato.SegnaleCorrente), 73);
    QVERIFY(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->inGioco());
}

void TestFrmPuzzle::cambiareModoTieneImmagineETesto_data()
{
    QTest::addColumn<bool>("risolviPrima");
    QTest::newRow("a metà partita") << false;
    QTest::newRow("a puzzle finito") << true;
}

void TestFrmPuzzle::cambiareModoTieneImmagineETesto()
{
    QFETCH(bool, risolviPrima);
    Ambiente a;
    a.casuale.aggiungi(0.25f);
    frmpuzzle f(a.contesto);
    f.show();
    const int segnale = a.stato.SegnaleCorrente;
    const QImage immagine = controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->picture();
    const QString testo = controllo<QLabel>(f, "Label1")->text();
    if (risolviPrima) {
        risolvi(*controllo<GiocoPuzzle>(f, "GiocoPuzzle1"));
        QVERIFY(!controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->inGioco());
    }

    for (int volta = 0; volta < 3; ++volta) {
        const int opzione = volta % 2 == 0 ? 1 : 0;
        QTest::mouseClick(controllo<QRadioButton>(f, "Option1", opzione), Qt::LeftButton);
        QCOMPARE(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->modello().modo(), opzione == 0 ? ModelloPuzzle::Modo::Scambio
                                                                : ModelloPuzzle::Modo::Scivolamento);
        QVERIFY(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->inGioco());
        QVERIFY(!controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->modello().risolto());
        QCOMPARE(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->picture(), immagine);
        QCOMPARE(controllo<QLabel>(f, "Label1")->text(), testo);
        QCOMPARE(int(a.stato.SegnaleCorrente), segnale);
    }
}

void TestFrmPuzzle::iContatoriNonCambiano()
{
    Ambiente a;
    a.stato.NumeroEsatti = 5;
    a.stato.NumeroErrati = 3;
    a.stato.PrimoSegnale = 39;
    a.stato.UltimoSegnale = 52;
    frmpuzzle f(a.contesto);
    f.show();
    risolvi(*controllo<GiocoPuzzle>(f, "GiocoPuzzle1"));
    QVERIFY(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->modello().risolto());
    QTest::mouseClick(controllo<QRadioButton>(f, "Option1", 1), Qt::LeftButton);
    risolvi(*controllo<GiocoPuzzle>(f, "GiocoPuzzle1"));
    QVERIFY(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->modello().risolto());
    QTest::mouseClick(controllo<QPushButton>(f, "Command1"), Qt::LeftButton);
    QVERIFY(a.stato.SegnaleCorrente >= 39 && a.stato.SegnaleCorrente <= 52);
    QCOMPARE(int(a.stato.NumeroEsatti), 5);
    QCOMPARE(int(a.stato.NumeroErrati), 3);
    QCOMPARE(int(a.stato.PrimoSegnale), 39);
    QCOMPARE(int(a.stato.UltimoSegnale), 52);
    QVERIFY(a.suoni.suonati.isEmpty());
    QVERIFY(a.dialoghi.mostrati.isEmpty());
}

void TestFrmPuzzle::esci_data()
{
    QTest::addColumn<bool>("dallaCornice");
    QTest::addColumn<int>("risposta");
    QTest::newRow("Esci, No") << false << int(Dialoghi::No);
    QTest::newRow("Esci, Sì") << false << int(Dialoghi::Si);
    QTest::newRow("chiusura della finestra, No") << true << int(Dialoghi::No);
    QTest::newRow("chiusura della finestra, Sì") << true << int(Dialoghi::Si);
}

void TestFrmPuzzle::esci()
{
    QFETCH(bool, dallaCornice);
    QFETCH(int, risposta);
    Ambiente a;
    auto *f = passaA<frmpuzzle>(nullptr, a.contesto);
    QTest::mouseClick(controllo<QRadioButton>(*f, "Option1", 1), Qt::LeftButton);
    auto &g = *controllo<GiocoPuzzle>(*f, "GiocoPuzzle1");
    const int gap = g.modello().cellaVuota();
    const int accanto = g.modello().vicina(gap, ModelloPuzzle::Direzione::Su) >= 0
        ? g.modello().vicina(gap, ModelloPuzzle::Direzione::Su)
        : g.modello().vicina(gap, ModelloPuzzle::Direzione::Giu);
    QTest::mouseClick(&g, Qt::LeftButton, {}, g.rettangoloCella(accanto).center());
    const auto partita = g.modello().disposizione();
    const QString testo = controllo<QLabel>(*f, "Label1")->text();

    a.dialoghi.rispondi(risposta);
    if (dallaCornice)
        f->close();
    else
        controllo<QAction>(*f, "mnuEsci")->trigger();

    QCOMPARE(a.dialoghi.mostrati.size(), 1);
    QCOMPARE(a.dialoghi.mostrati.first().first, QStringLiteral("Vuoi tornare al menù?"));
    QCOMPARE(a.dialoghi.mostrati.first().second, 36);
    if (risposta == Dialoghi::No) {
        QCOMPARE(aperte<frmpuzzle>().size(), 1);
        QCOMPARE(finestreAperte().size(), 1);
        QCOMPARE(g.modello().disposizione(), partita);
        QVERIFY(g.inGioco());
        QCOMPARE(g.modello().modo(), ModelloPuzzle::Modo::Scivolamento);
        QCOMPARE(controllo<QLabel>(*f, "Label1")->text(), testo);
    } else {
        QPointer<frmpuzzle> puzzle(f);
        QCOMPARE(aperte<FormMenu>().size(), 1);
        QCOMPARE(finestreAperte().size(), 1);
        QVERIFY(!puzzle); // deleted, not only hidden
    }
    QVERIFY(!a.codiceUscita);
}

void TestFrmPuzzle::immagineMancante()
{
    Ambiente a;
    a.cartella.rimuovi(QStringLiteral("jpg/144.jpg"));
    a.casuale.aggiungi(0.9999f);
    QVERIFY_THROWS_EXCEPTION(ErroreCartavia, frmpuzzle f(a.contesto));
}

void TestFrmPuzzle::nomiAccessibili()
{
    Ambiente a;
    a.casuale.aggiungi(0.0f);
    frmpuzzle f(a.contesto);
    QCOMPARE(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->accessibleName(), QStringLiteral("Puzzle"));
    QVERIFY(controllo<GiocoPuzzle>(f, "GiocoPuzzle1")->accessibleDescription().startsWith(QStringLiteral("puzzle a scambio;")));
    QCOMPARE(controllo<QLabel>(f, "Label1")->accessibleName(), CartellaProgramma::testo(1));
    QCOMPARE(controllo<QRadioButton>(f, "Option1", 0)->accessibleName(), QStringLiteral("puzzle a scambio"));
    QCOMPARE(controllo<QRadioButton>(f, "Option1", 1)->accessibleName(), QStringLiteral("puzzle a scivolamento"));
    QCOMPARE(controllo<QPushButton>(f, "Command1")->accessibleName(), QStringLiteral("nuovo puzzle"));
    QCOMPARE(controllo<QAction>(f, "mnuEsci")->text(), QStringLiteral("Esci"));
    QCOMPARE(f.menuBar()->actions().size(), 1);
    QVERIFY(f.windowTitle().isEmpty());
    QCOMPARE(f.centralWidget()->size(), QSize(576, 456));
}

QTEST_MAIN(TestFrmPuzzle)
#include "tst_frmpuzzle.moc"
