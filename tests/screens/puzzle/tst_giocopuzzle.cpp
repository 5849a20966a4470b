#include "screens/puzzle/GiocoPuzzle.h"

#include "Risolutore.h"
#include "Ambiente.h"
#include "logic/CasualeOrologio.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace cartavia;

using Modo = ModelloPuzzle::Modo;

namespace {
const QColor ColoreLinee(48, 48, 48);

// Block k of the test picture, 3 x 3 blocks each of its own bright colour.
QColor coloreBlocco(int k)
{
    return QColor::fromHsv(k * 40, 230, 230);
}

QImage immagineAQuadri(int lato = 300)
{
    QImage immagine(lato, lato, QImage::Format_RGB32);
    for (int y = 0; y < lato; ++y)
        for (int x = 0; x < lato; ++x)
            immagine.setPixelColor(x, y, coloreBlocco((y * 3 / lato) * 3 + x * 3 / lato));
    return immagine;
}

bool simile(const QColor &a, const QColor &b, int tolleranza = 16)
{
    return qAbs(a.red() - b.red()) <= tolleranza && qAbs(a.green() - b.green()) <= tolleranza
        && qAbs(a.blue() - b.blue()) <= tolleranza;
}

QString nome(const QColor &c)
{
    return c.name();
}

// The control as the puzzle screen holds it, fed the test picture and a seeded generator.
struct Banco
{
    explicit Banco(bool scambio, std::uint64_t seme = 3) : casuale(seme)
    {
        gioco.resize(318, 321);
        gioco.usaCasuale(casuale);
        gioco.setPicture(immagineAQuadri());
        gioco.setScambio(scambio);
        gioco.show();
        gioco.activateWindow();
        gioco.setFocus();
        gioco.inizia();
    }

    QPoint centro(int cella) const { return gioco.rettangoloCella(cella).center(); }
    void clicca(int cella) { QTest::mouseClick(&gioco, Qt::LeftButton, {}, centro(cella)); }
    void finisciMosse()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!gioco.animazioneInCorso(), 2000);
    }
    QImage foto() { return gioco.grab().toImage(); }
    int pezzo(int cella) const { return gioco.modello().pezzo(cella); }
    std::vector<int> pezzi() const { return gioco.modello().disposizione(); }

    CasualeOrologio casuale;
    GiocoPuzzle gioco;
};

// The arrow that slides the piece of `cella` into the gap next to it.
Qt::Key frecciaPer(const ModelloPuzzle &m, int cella)
{
    const int gap = m.cellaVuota();
    if (cella == gap + m.colonne())
        return Qt::Key_Up;
    if (cella == gap - m.colonne())
        return Qt::Key_Down;
    if (cella == gap + 1)
        return Qt::Key_Left;
    return Qt::Key_Right;
}

// Walks the swap game's keyboard cursor to a cell.
void portaCursore(GiocoPuzzle &g, int cella)
{
    const int colonne = g.modello().colonne();
    while (g.cursore() % colonne < cella % colonne)
        QTest::keyClick(&g, Qt::Key_Right);
    while (g.cursore() % colonne > cella % colonne)
        QTest::keyClick(&g, Qt::Key_Left);
    while (g.cursore() / colonne < cella / colonne)
        QTest::keyClick(&g, Qt::Key_Down);
    while (g.cursore() / colonne > cella / colonne)
        QTest::keyClick(&g, Qt::Key_Up);
}

// A point on the line between cells 0 and 1, halfway down cell 0.
QPoint sullaLinea(const GiocoPuzzle &g)
{
    const QRect a = g.rettangoloCella(0);
    return QPoint(a.right() + 1, a.center().y());
}
}

class TestGiocoPuzzle : public QObject
{
    Q_OBJECT

private slots:
    void primaDiIniziareMostraLImmagine();
    void clicSuDueCelleLeScambia();
    void clicDueVolteSullaStessaAnnulla();
    void risolveAScambioColMouse();
    void risolveAScambioConLaTastiera();
    void trascinamento_data();
    void trascinamento();
    void clicInScivolamento();
    void risolveAScivolamentoColMouse();
    void risolveAScivolamentoConLeFrecce();
    void leMosseNonAspettanoLAnimazione_data();
    void leMosseNonAspettanoLAnimazione();
    void proprietaEGriglia_data();
    void proprietaEGriglia();
    void ilModoValeDallaProssimaPartita();
};

void TestGiocoPuzzle::primaDiIniziareMostraLImmagine()
{
    GiocoPuzzle gioco;
    gioco.resize(318, 321);
    gioco.setPicture(immagineAQuadri());
    QSignalSpy risolto(&gioco, &GiocoPuzzle::risolto);
    gioco.show();
    QVERIFY(!gioco.inGioco());
    QTest::mouseClick(&gioco, Qt::LeftButton, {}, gioco.rettangoloCella(0).center());
    QTest::mouseClick(&gioco, Qt::LeftButton, {}, gioco.rettangoloCella(1).center());
    QVERIFY(gioco.modello().risolto());
    QCOMPARE(risolto.count(), 0);
    QVERIFY(!gioco.festaInCorso());
    const QImage foto = gioco.grab().toImage();
    QVERIFY(!simile(foto.pixelColor(sullaLinea(gioco)), ColoreLinee));
    QCOMPARE(gioco.accessibleName(), QStringLiteral("Puzzle"));
}

void TestGiocoPuzzle::clicSuDueCelleLeScambia()
{
    Banco b(true);
    const auto prima = b.pezzi();
    b.clicca(0);
    QCOMPARE(b.gioco.selezionata(), 0);
    QCOMPARE(b.pezzi(), prima);
    b.clicca(7);
    QCOMPARE(b.gioco.selezionata(), -1);
    QCOMPARE(b.pezzo(0), prima[7]);
    QCOMPARE(b.pezzo(7), prima[0]);
    b.finisciMosse();
    const QImage foto = b.foto();
    for (int cella : {0, 7})
        QVERIFY2(simile(foto.pixelColor(b.centro(cella)), coloreBlocco(b.pezzo(cella))),
                 qPrintable(nome(foto.pixelColor(b.centro(cella)))));
    // While the game is on, the grid lines show.
    QVERIFY(simile(foto.pixelColor(sullaLinea(b.gioco)), ColoreLinee));
}

void TestGiocoPuzzle::clicDueVolteSullaStessaAnnulla()
{
    Banco b(true);
    const auto prima = b.pezzi();
    b.clicca(4);
    b.clicca(4);
    QCOMPARE(b.gioco.selezionata(), -1);
    QCOMPARE(b.pezzi(), prima);
    // Escape drops a choice made with the keyboard.
    QTest::keyClick(&b.gioco, Qt::Key_Space);
    QCOMPARE(b.gioco.selezionata(), b.gioco.cursore());
    QTest::keyClick(&b.gioco, Qt::Key_Escape);
    QCOMPARE(b.gioco.selezionata(), -1);
    QCOMPARE(b.pezzi(), prima);
}

void TestGiocoPuzzle::risolveAScambioColMouse()
{
    Banco b(true);
    QSignalSpy risolto(&b.gioco, &GiocoPuzzle::risolto);
    for (int cella = 0; cella < 9; ++cella) {
        if (b.pezzo(cella) == cella)
            continue;
        QCOMPARE(risolto.count(), 0);
        QVERIFY(b.gioco.inGioco());
        b.clicca(cella);
        b.clicca(b.gioco.modello().cellaDi(cella));
    }
    QVERIFY(b.gioco.modello().risolto());
    QCOMPARE(risolto.count(), 1);
    QVERIFY(!b.gioco.inGioco());
    QVERIFY(b.gioco.festaInCorso());

    // Once whole, the picture ignores the mouse until the next game.
    b.clicca(0);
    b.clicca(1);
    QVERIFY(b.gioco.modello().risolto());
    QCOMPARE(b.gioco.selezionata(), -1);

    // After the celebration the picture stands whole, without grid lines.
    QTRY_VERIFY_WITH_TIMEOUT(!b.gioco.festaInCorso(), 5000);
    b.finisciMosse();
    const QImage foto = b.foto();
    const QColor linea = foto.pixelColor(sullaLinea(b.gioco));
    QVERIFY2(simile(linea, coloreBlocco(0)) || simile(linea, coloreBlocco(1)),
             qPrintable(nome(linea)));
    QCOMPARE(risolto.count(), 1);

    b.gioco.inizia();
    QVERIFY(b.gioco.inGioco());
    QVERIFY(!b.gioco.modello().risolto());
}

void TestGiocoPuzzle::risolveAScambioConLaTastiera()
{
    Banco b(true, 11);
    QSignalSpy risolto(&b.gioco, &GiocoPuzzle::risolto);
    for (int cella = 0; cella < 9; ++cella) {
        if (b.pezzo(cella) == cella)
            continue;
        portaCursore(b.gioco, cella);
        QCOMPARE(b.gioco.cursore(), cella);
        QTest::keyClick(&b.gioco, Qt::Key_Space);
        QCOMPARE(b.gioco.selezionata(), cella);
        portaCursore(b.gioco, b.gioco.modello().cellaDi(cella));
        QTest::keyClick(&b.gioco, Qt::Key_Return);
        QCOMPARE(b.pezzo(cella), cella);
    }
    QVERIFY(b.gioco.modello().risolto());
    QCOMPARE(risolto.count(), 1);
}

void TestGiocoPuzzle::trascinamento_data()
{
    QTest::addColumn<bool>("scambio");
    QTest::addColumn<QString>("formato");
    QTest::addColumn<int>("da");
    QTest::addColumn<int>("a");
    QTest::addColumn<bool>("scambiati");
    const QString nostro = QString::fromLatin1(GiocoPuzzle::TipoMime);
    QTest::newRow("un pezzo su un altro") << true << nostro << 2 << 6 << true;
    QTest::newRow("su quello accanto") << true << nostro << 4 << 5 << true;
    QTest::newRow("sulla stessa cella") << true << nostro << 3 << 3 << false;
    QTest::newRow("testo qualunque") << true << QStringLiteral("text/plain") << 2 << 6 << false;
    QTest::newRow("nel gioco a scivolamento") << false << nostro << 5 << 8 << false;
}

void TestGiocoPuzzle::trascinamento()
{
    QFETCH(bool, scambio);
    QFETCH(QString, formato);
    QFETCH(int, da);
    QFETCH(int, a);
    QFETCH(bool, scambiati);
    Banco b(scambio);
    const auto prima = b.pezzi();

    QMimeData dati;
    dati.setData(formato, QByteArray::number(da));
    QDragEnterEvent entra(b.centro(da), Qt::MoveAction, &dati, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&b.gioco, &entra);
    QDragMoveEvent muovi(b.centro(a), Qt::MoveAction, &dati, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&b.gioco, &muovi);
    QCOMPARE(muovi.isAccepted(), scambiati);
    QDropEvent lascia(QPointF(b.centro(a)), Qt::MoveAction, &dati, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&b.gioco, &lascia);
    QCOMPARE(lascia.isAccepted(), scambiati);

    auto atteso = prima;
    if (scambiati)
        std::swap(atteso[da], atteso[a]);
    QCOMPARE(b.pezzi(), atteso);
}

void TestGiocoPuzzle::clicInScivolamento()
{
    Banco b(false);
    const ModelloPuzzle &m = b.gioco.modello();
    QCOMPARE(m.modo(), Modo::Scivolamento);
    // Clicks on the gap and on pieces away from it change nothing.
    const auto prima = b.pezzi();
    const int gap = m.cellaVuota();
    for (int cella = 0; cella < 9; ++cella) {
        if (m.adiacenti(cella, gap))
            continue;
        b.clicca(cella);
        QCOMPARE(b.pezzi(), prima);
    }
    // A piece next to the gap slides in, and its own cell becomes the gap.
    const int accanto = m.vicina(gap, ModelloPuzzle::Direzione::Su) >= 0
        ? m.vicina(gap, ModelloPuzzle::Direzione::Su)
        : m.vicina(gap, ModelloPuzzle::Direzione::Giu);
    const int pezzo = b.pezzo(accanto);
    b.clicca(accanto);
    QCOMPARE(b.pezzo(gap), pezzo);
    QCOMPARE(m.cellaVuota(), accanto);
    b.finisciMosse();
    const QImage foto = b.foto();
    QVERIFY(simile(foto.pixelColor(b.centro(gap)), coloreBlocco(pezzo)));
    QVERIFY(simile(foto.pixelColor(b.centro(accanto)), QColor(205, 205, 205)));
}

void TestGiocoPuzzle::risolveAScivolamentoColMouse()
{
    Banco b(false, 21);
    QSignalSpy risolto(&b.gioco, &GiocoPuzzle::risolto);
    const auto clic = Risolutore::per(3, 3).soluzione(b.pezzi());
    QVERIFY(!clic.empty());
    for (int cella : clic) {
        QCOMPARE(risolto.count(), 0);
        const int gap = b.gioco.modello().cellaVuota();
        b.clicca(cella);
        QCOMPARE(b.gioco.modello().cellaVuota(), cella);
        QVERIFY(gap != cella);
    }
    QVERIFY(b.gioco.modello().risolto());
    QCOMPARE(risolto.count(), 1);
    QVERIFY(!b.gioco.inGioco());
    // The whole picture, the piece that was left out included.
    QTRY_VERIFY_WITH_TIMEOUT(!b.gioco.festaInCorso(), 5000);
    b.finisciMosse();
    QVERIFY(simile(b.foto().pixelColor(b.centro(8)), coloreBlocco(8)));
}

void TestGiocoPuzzle::risolveAScivolamentoConLeFrecce()
{
    Banco b(false, 22);
    QSignalSpy risolto(&b.gioco, &GiocoPuzzle::risolto);
    for (int cella : Risolutore::per(3, 3).soluzione(b.pezzi())) {
        const int gap = b.gioco.modello().cellaVuota();
        const int pezzo = b.pezzo(cella);
        QTest::keyClick(&b.gioco, frecciaPer(b.gioco.modello(), cella));
        QCOMPARE(b.pezzo(gap), pezzo);
    }
    QVERIFY(b.gioco.modello().risolto());
    QCOMPARE(risolto.count(), 1);
}

void TestGiocoPuzzle::leMosseNonAspettanoLAnimazione_data()
{
    QTest::addColumn<bool>("scambio");
    QTest::newRow("scambio") << true;
    QTest::newRow("scivolamento") << false;
}

void TestGiocoPuzzle::leMosseNonAspettanoLAnimazione()
{
    QFETCH(bool, scambio);
    Banco b(scambio, 31);
    ModelloPuzzle atteso = b.gioco.modello();
    if (scambio) {
        b.clicca(0);
        b.clicca(1);
        atteso.scambia(0, 1);
        QVERIFY(b.gioco.animazioneInCorso());
        b.clicca(1);
        b.clicca(2);
        atteso.scambia(1, 2);
    } else {
        // Two slides straight after each other, the second while the first still glides.
        const auto frecce = {Qt::Key_Up, Qt::Key_Left, Qt::Key_Down, Qt::Key_Right};
        int fatte = 0;
        for (Qt::Key tasto : frecce) {
            const ModelloPuzzle::Direzione d = tasto == Qt::Key_Up ? ModelloPuzzle::Direzione::Su
                : tasto == Qt::Key_Left ? ModelloPuzzle::Direzione::Sinistra
                : tasto == Qt::Key_Down ? ModelloPuzzle::Direzione::Giu
                                        : ModelloPuzzle::Direzione::Destra;
            if (atteso.cellaPerFreccia(d) < 0 || atteso.risolto())
                continue;
            atteso.scivolaVerso(d);
            QTest::keyClick(&b.gioco, tasto);
            if (++fatte == 1)
                QVERIFY(b.gioco.animazioneInCorso());
            if (fatte == 2)
                break;
        }
        QCOMPARE(fatte, 2);
    }
    QCOMPARE(b.pezzi(), atteso.disposizione());
    b.finisciMosse();
}

void TestGiocoPuzzle::proprietaEGriglia_data()
{
    QTest::addColumn<int>("righe");
    QTest::addColumn<int>("colonne");
    QTest::addColumn<int>("spessore");
    QTest::addColumn<bool>("scambio");
    QTest::newRow("3x3, 2 px, scambio") << 3 << 3 << 2 << true;
    QTest::newRow("2x4, 6 px, scivolamento") << 2 << 4 << 6 << false;
    QTest::newRow("4x2, 1 px, scambio") << 4 << 2 << 1 << true;
}

void TestGiocoPuzzle::proprietaEGriglia()
{
    QFETCH(int, righe);
    QFETCH(int, colonne);
    QFETCH(int, spessore);
    QFETCH(bool, scambio);
    GiocoPuzzle gioco;
    CasualeOrologio casuale(4);
    gioco.usaCasuale(casuale);
    gioco.resize(318, 321);
    QVERIFY(gioco.setProperty("righe", righe));
    QVERIFY(gioco.setProperty("colonne", colonne));
    QVERIFY(gioco.setProperty("spessorelinea", spessore));
    QVERIFY(gioco.setProperty("picture", immagineAQuadri()));
    QVERIFY(gioco.setProperty("scambio", scambio));
    QCOMPARE(gioco.property("righe").toInt(), righe);
    QCOMPARE(gioco.property("spessorelinea").toInt(), spessore);
    gioco.show();
    QVERIFY(QMetaObject::invokeMethod(&gioco, [&] { gioco.inizia(); }));

    QCOMPARE(gioco.modello().righe(), righe);
    QCOMPARE(gioco.modello().colonne(), colonne);
    QCOMPARE(gioco.modello().modo(), scambio ? Modo::Scambio : Modo::Scivolamento);
    QVERIFY(gioco.accessibleDescription().startsWith(
        scambio ? QStringLiteral("puzzle a scambio;") : QStringLiteral("puzzle a scivolamento;")));

    // The cells tile the control, `spessore` pixels apart.
    const QRect primo = gioco.rettangoloCella(0);
    const QRect accanto = gioco.rettangoloCella(1);
    const QRect sotto = gioco.rettangoloCella(colonne);
    QCOMPARE(accanto.left() - primo.right() - 1, spessore);
    QCOMPARE(sotto.top() - primo.bottom() - 1, spessore);
    QCOMPARE(gioco.rettangoloCella(colonne * righe - 1).bottomRight(),
             QPoint(gioco.width() - 1, gioco.height() - 1));

    // On screen the line is as thick as that, and the pieces come right up to it.
    const QImage foto = gioco.grab().toImage();
    const int y = primo.top() + 3; // clear of the selection and focus frames' inner edge
    for (int x = primo.right() + 1; x < accanto.left(); ++x)
        QVERIFY2(simile(foto.pixelColor(x, y), ColoreLinee, 4), qPrintable(QString::number(x)));
    QVERIFY(!simile(foto.pixelColor(primo.right() - 4, y + 4), ColoreLinee, 30));
}

void TestGiocoPuzzle::ilModoValeDallaProssimaPartita()
{
    Banco b(true);
    const auto prima = b.pezzi();
    b.gioco.setScambio(false);
    QCOMPARE(b.gioco.modello().modo(), Modo::Scambio);
    QCOMPARE(b.pezzi(), prima);
    b.gioco.inizia();
    QCOMPARE(b.gioco.modello().modo(), Modo::Scivolamento);
    QVERIFY(b.gioco.accessibleDescription().startsWith(QStringLiteral("puzzle a scivolamento;")));
    QVERIFY(!b.gioco.modello().risolto());
}

QTEST_MAIN(TestGiocoPuzzle)
#include "tst_giocopuzzle.moc"
