#include "logic/puzzle/ModelloPuzzle.h"

#include "Risolutore.h"
#include "Ambiente.h"
#include "logic/CasualeOrologio.h"

#include <QtTest>

#include <algorithm>
#include <memory>

using namespace cartavia;

using Modo = ModelloPuzzle::Modo;
using Direzione = ModelloPuzzle::Direzione;
using Pezzi = std::vector<int>;

Q_DECLARE_METATYPE(Modo)
Q_DECLARE_METATYPE(Direzione)
Q_DECLARE_METATYPE(Pezzi)

namespace {
bool ognPezzoUnaVolta(const Pezzi &pezzi)
{
    Pezzi ordinati = pezzi;
    std::sort(ordinati.begin(), ordinati.end());
    for (int i = 0; i < int(ordinati.size()); ++i)
        if (ordinati[i] != i)
            return false;
    return true;
}

// Where a generator for a shuffle comes from: a constant, or a seeded stream.
std::unique_ptr<Casuale> creaGeneratore(int tipo)
{
    switch (tipo) {
    case 0: return std::make_unique<CasualeFisso>(0.0f);
    case 1: return std::make_unique<CasualeFisso>(0.9999f); // Fisher-Yates leaves all in place
    case 2: return std::make_unique<CasualeFisso>(0.5f);
    default: return std::make_unique<CasualeOrologio>(std::uint64_t(tipo));
    }
}
}

class TestModelloPuzzle : public QObject
{
    Q_OBJECT

private slots:
    void nuovoModelloRisolto_data();
    void nuovoModelloRisolto();
    void mescola_data();
    void mescola();
    void mescolaUsaIlGeneratore();
    void scambio_data();
    void scambio();
    void scivolamento_data();
    void scivolamento();
    void frecce_data();
    void frecce();
    void risolto_data();
    void risolto();
    void unaPartitaFinoAllaFine_data();
    void unaPartitaFinoAllaFine();
};

void TestModelloPuzzle::nuovoModelloRisolto_data()
{
    QTest::addColumn<Modo>("modo");
    QTest::addColumn<int>("righe");
    QTest::addColumn<int>("colonne");
    QTest::addColumn<int>("celle");
    QTest::addColumn<int>("vuota");
    QTest::newRow("scambio 3x3") << Modo::Scambio << 3 << 3 << 9 << -1;
    QTest::newRow("scivolamento 3x3") << Modo::Scivolamento << 3 << 3 << 9 << 8;
    QTest::newRow("scivolamento 2x4") << Modo::Scivolamento << 2 << 4 << 8 << 7;
    QTest::newRow("una cella diventa due") << Modo::Scambio << 1 << 1 << 2 << -1;
}

void TestModelloPuzzle::nuovoModelloRisolto()
{
    QFETCH(Modo, modo);
    QFETCH(int, righe);
    QFETCH(int, colonne);
    QFETCH(int, celle);
    QFETCH(int, vuota);
    const ModelloPuzzle m(righe, colonne, modo);
    QCOMPARE(m.celle(), celle);
    QVERIFY(m.risolto());
    QCOMPARE(m.cellaVuota(), vuota);
}

void TestModelloPuzzle::mescola_data()
{
    QTest::addColumn<Modo>("modo");
    QTest::addColumn<int>("righe");
    QTest::addColumn<int>("colonne");
    QTest::addColumn<int>("generatore");

    const std::pair<int, int> griglie[] = {{3, 3}, {2, 2}, {2, 3}, {1, 2}};
    const char *nomi[] = {"sempre 0", "sempre 0.9999", "sempre 0.5", "seme 7", "seme 8",
                          "seme 9", "seme 10", "seme 11"};
    const int tipi[] = {0, 1, 2, 7, 8, 9, 10, 11};
    for (Modo modo : {Modo::Scambio, Modo::Scivolamento})
        for (auto [righe, colonne] : griglie)
            for (int i = 0; i < 8; ++i)
                QTest::addRow("%s %dx%d %s", modo == Modo::Scambio ? "scambio" : "scivolamento",
                              righe, colonne, nomi[i])
                    << modo << righe << colonne << tipi[i];
}

void TestModelloPuzzle::mescola()
{
    QFETCH(Modo, modo);
    QFETCH(int, righe);
    QFETCH(int, colonne);
    QFETCH(int, generatore);

    ModelloPuzzle m(righe, colonne, modo);
    auto casuale = creaGeneratore(generatore);
    for (int volta = 0; volta < 20; ++volta) {
        m.mescola(*casuale);
        QVERIFY2(!m.risolto(), qPrintable(QStringLiteral("round %1").arg(volta)));
        QVERIFY(ognPezzoUnaVolta(m.disposizione()));
        QCOMPARE(int(m.disposizione().size()), righe * colonne);
        QCOMPARE(m.modo(), modo);
        if (modo == Modo::Scivolamento)
            QVERIFY(Risolutore::per(righe, colonne).raggiungibile(m.disposizione()));
    }
}

void TestModelloPuzzle::mescolaUsaIlGeneratore()
{
    // The same draws give the same game, different draws a different one: the shuffle
    // takes its chances from the generator it is handed and from nowhere else.
    for (Modo modo : {Modo::Scambio, Modo::Scivolamento}) {
        ModelloPuzzle a(3, 3, modo), b(3, 3, modo), c(3, 3, modo);
        CasualeOrologio ga(42), gb(42), gc(43);
        a.mescola(ga);
        b.mescola(gb);
        c.mescola(gc);
        QCOMPARE(a.disposizione(), b.disposizione());
        QVERIFY(a.disposizione() != c.disposizione());
    }
    // A swap shuffle with every draw 0 is the Fisher-Yates walk that always picks cell 0.
    ModelloPuzzle m(3, 3, Modo::Scambio);
    CasualeFisso zero(0.0f);
    m.mescola(zero);
    const Pezzi atteso{1, 2, 3, 4, 5, 6, 7, 8, 0};
    QCOMPARE(m.disposizione(), atteso);
}

void TestModelloPuzzle::scambio_data()
{
    QTest::addColumn<Modo>("modo");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<bool>("lecito");
    QTest::newRow("vicine") << Modo::Scambio << 0 << 1 << true;
    QTest::newRow("lontane") << Modo::Scambio << 0 << 8 << true;
    QTest::newRow("al contrario") << Modo::Scambio << 7 << 2 << true;
    QTest::newRow("stessa cella") << Modo::Scambio << 4 << 4 << false;
    QTest::newRow("fuori prima") << Modo::Scambio << -1 << 3 << false;
    QTest::newRow("fuori dopo") << Modo::Scambio << 3 << 9 << false;
    QTest::newRow("nel gioco a scivolamento") << Modo::Scivolamento << 7 << 8 << false;
}

void TestModelloPuzzle::scambio()
{
    QFETCH(Modo, modo);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(bool, lecito);
    const Pezzi prima{3, 1, 4, 0, 5, 2, 6, 7, 8};
    ModelloPuzzle m = disposto(modo, modo == Modo::Scambio ? prima : Pezzi{0, 1, 2, 3, 4, 5, 6, 7, 8});
    const Pezzi iniziale = m.disposizione();
    QCOMPARE(m.scambia(a, b), lecito);
    Pezzi atteso = iniziale;
    if (lecito)
        std::swap(atteso[a], atteso[b]);
    QCOMPARE(m.disposizione(), atteso);
}

void TestModelloPuzzle::scivolamento_data()
{
    QTest::addColumn<Modo>("modo");
    QTest::addColumn<Pezzi>("prima");
    QTest::addColumn<int>("cella");
    QTest::addColumn<Pezzi>("dopo"); // empty: the move is refused
    const Pezzi centro{0, 1, 2, 3, 8, 4, 6, 7, 5}; // gap in the middle, two slides from solved
    QTest::newRow("da sopra") << Modo::Scivolamento << centro << 1
                              << Pezzi{0, 8, 2, 3, 1, 4, 6, 7, 5};
    QTest::newRow("da sotto") << Modo::Scivolamento << centro << 7
                              << Pezzi{0, 1, 2, 3, 7, 4, 6, 8, 5};
    QTest::newRow("da sinistra") << Modo::Scivolamento << centro << 3
                                 << Pezzi{0, 1, 2, 8, 3, 4, 6, 7, 5};
    QTest::newRow("da destra") << Modo::Scivolamento << centro << 5
                               << Pezzi{0, 1, 2, 3, 4, 8, 6, 7, 5};
    QTest::newRow("in diagonale") << Modo::Scivolamento << centro << 0 << Pezzi{};
    QTest::newRow("il vuoto stesso") << Modo::Scivolamento << centro << 4 << Pezzi{};
    QTest::newRow("fuori") << Modo::Scivolamento << centro << 9 << Pezzi{};
    const Pezzi angolo{8, 1, 2, 0, 4, 5, 6, 7, 3}; // gap top left
    QTest::newRow("non a capo riga") << Modo::Scivolamento
                                     << Pezzi{0, 1, 8, 2, 4, 5, 6, 7, 3} << 3 << Pezzi{};
    QTest::newRow("angolo, da destra") << Modo::Scivolamento << angolo << 1
                                       << Pezzi{1, 8, 2, 0, 4, 5, 6, 7, 3};
    QTest::newRow("angolo, lontano") << Modo::Scivolamento << angolo << 2 << Pezzi{};
    QTest::newRow("nel gioco a scambio") << Modo::Scambio << centro << 1 << Pezzi{};
}

void TestModelloPuzzle::scivolamento()
{
    QFETCH(Modo, modo);
    QFETCH(Pezzi, prima);
    QFETCH(int, cella);
    QFETCH(Pezzi, dopo);
    ModelloPuzzle m = disposto(modo, prima);
    const bool lecito = !dopo.empty();
    QCOMPARE(m.puoScivolare(cella), lecito);
    QCOMPARE(m.scivola(cella), lecito);
    QCOMPARE(m.disposizione(), lecito ? dopo : prima);
}

void TestModelloPuzzle::frecce_data()
{
    QTest::addColumn<Pezzi>("prima");
    QTest::addColumn<Direzione>("freccia");
    QTest::addColumn<int>("cella"); // the piece that moves, -1 for none
    const Pezzi centro{0, 1, 2, 3, 8, 4, 6, 7, 5};
    QTest::newRow("su: sale quello sotto") << centro << Direzione::Su << 7;
    QTest::newRow("giu: scende quello sopra") << centro << Direzione::Giu << 1;
    QTest::newRow("sinistra: quello a destra") << centro << Direzione::Sinistra << 5;
    QTest::newRow("destra: quello a sinistra") << centro << Direzione::Destra << 3;
    const Pezzi risolto{0, 1, 2, 3, 4, 5, 6, 7, 8}; // gap bottom right
    QTest::newRow("in basso a destra, su") << risolto << Direzione::Su << -1;
    QTest::newRow("in basso a destra, sinistra") << risolto << Direzione::Sinistra << -1;
    QTest::newRow("in basso a destra, giu") << risolto << Direzione::Giu << 5;
    QTest::newRow("in basso a destra, destra") << risolto << Direzione::Destra << 7;
}

void TestModelloPuzzle::frecce()
{
    QFETCH(Pezzi, prima);
    QFETCH(Direzione, freccia);
    QFETCH(int, cella);
    ModelloPuzzle m = disposto(Modo::Scivolamento, prima);
    QCOMPARE(m.cellaPerFreccia(freccia), cella);
    const int vuota = m.cellaVuota();
    const int pezzo = cella >= 0 ? m.pezzo(cella) : -1;
    QCOMPARE(m.scivolaVerso(freccia), cella >= 0);
    if (cella >= 0) {
        QCOMPARE(m.pezzo(vuota), pezzo);
        QCOMPARE(m.cellaVuota(), cella);
    } else {
        QCOMPARE(m.disposizione(), prima);
    }
    // In the swap game the arrows slide nothing.
    ModelloPuzzle s = disposto(Modo::Scambio, prima);
    QCOMPARE(s.cellaPerFreccia(freccia), -1);
    QVERIFY(!s.scivolaVerso(freccia));
}

void TestModelloPuzzle::risolto_data()
{
    QTest::addColumn<Modo>("modo");
    QTest::addColumn<Pezzi>("pezzi");
    QTest::addColumn<bool>("risolto");
    QTest::newRow("scambio, in ordine") << Modo::Scambio << Pezzi{0, 1, 2, 3, 4, 5, 6, 7, 8} << true;
    QTest::newRow("scambio, ultimi due") << Modo::Scambio << Pezzi{0, 1, 2, 3, 4, 5, 6, 8, 7} << false;
    QTest::newRow("scambio, primi due") << Modo::Scambio << Pezzi{1, 0, 2, 3, 4, 5, 6, 7, 8} << false;
    QTest::newRow("scivolamento, in ordine") << Modo::Scivolamento
                                             << Pezzi{0, 1, 2, 3, 4, 5, 6, 7, 8} << true;
    // Every piece in place but the gap elsewhere is not the picture.
    QTest::newRow("scivolamento, vuoto a sinistra") << Modo::Scivolamento
                                                    << Pezzi{0, 1, 2, 3, 4, 5, 6, 8, 7} << false;
}

void TestModelloPuzzle::risolto()
{
    QFETCH(Modo, modo);
    QFETCH(Pezzi, pezzi);
    QFETCH(bool, risolto);
    QCOMPARE(disposto(modo, pezzi).risolto(), risolto);
}

void TestModelloPuzzle::unaPartitaFinoAllaFine_data()
{
    QTest::addColumn<Modo>("modo");
    QTest::newRow("scambio") << Modo::Scambio;
    QTest::newRow("scivolamento") << Modo::Scivolamento;
}

void TestModelloPuzzle::unaPartitaFinoAllaFine()
{
    QFETCH(Modo, modo);
    ModelloPuzzle m(3, 3, modo);
    CasualeOrologio casuale(5);
    m.mescola(casuale);
    if (modo == Modo::Scambio) {
        for (int cella = 0; cella < m.celle(); ++cella) {
            if (m.pezzo(cella) == cella)
                continue;
            QVERIFY(!m.risolto());
            QVERIFY(m.scambia(cella, m.cellaDi(cella)));
        }
    } else {
        for (int cella : Risolutore::per(3, 3).soluzione(m.disposizione())) {
            QVERIFY(!m.risolto());
            QVERIFY(m.scivola(cella));
        }
    }
    QVERIFY(m.risolto());
}

QTEST_APPLESS_MAIN(TestModelloPuzzle)
#include "tst_modellopuzzle.moc"
