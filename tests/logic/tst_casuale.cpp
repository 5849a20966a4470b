#include "logic/Casuale.h"
#include "Ambiente.h"
#include "logic/CasualeOrologio.h"

#include <QtTest>
#include <cmath>

using namespace cartavia;

class TestCasuale : public QObject
{
    Q_OBJECT
private slots:
    void orologioSempreSottoUno();
    void conversioni_data();
    void conversioni();
    void ogniValoreRaggiungibile();
};

void TestCasuale::orologioSempreSottoUno()
{
    CasualeOrologio casuale(42);
    float minimo = 1, massimo = 0;
    for (int i = 0; i < 200000; ++i) {
        const float r = casuale.prossimo();
        QVERIFY(r >= 0.0f && r < 1.0f);
        minimo = std::min(minimo, r);
        massimo = std::max(massimo, r);
    }
    QVERIFY(minimo < 0.001f);
    QVERIFY(massimo > 0.999f);
}

void TestCasuale::conversioni_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("primo");
    QTest::addColumn<int>("ultimo");
    QTest::addColumn<int>("indice");

    const float quasiUno = std::nextafter(1.0f, 0.0f);
    QTest::newRow("zero") << 0.0f << 1 << 144 << 1;
    QTest::newRow("quasi uno, 144") << quasiUno << 1 << 144 << 144;
    QTest::newRow("quasi uno, 82..89") << quasiUno << 82 << 89 << 89;
    QTest::newRow("metà, 82..89") << 0.5f << 82 << 89 << 86;
    QTest::newRow("bordo esatto") << 0.125f << 82 << 89 << 83;
    QTest::newRow("appena sotto il bordo") << std::nextafter(0.125f, 0.0f) << 82 << 89 << 82;
    // A source that breaks its promise still yields an index of the range.
    QTest::newRow("uno") << 1.0f << 1 << 144 << 144;
    QTest::newRow("negativo") << -0.5f << 1 << 38 << 1;
}

void TestCasuale::conversioni()
{
    QFETCH(float, r);
    QFETCH(int, primo);
    QFETCH(int, ultimo);
    QFETCH(int, indice);

    CasualeScriptato casuale;
    casuale.aggiungi({r, r});
    QCOMPARE(indiceNelRango(casuale, primo, ultimo), indice);
    if (primo == 1)
        QCOMPARE(interoDa1A(casuale, ultimo), indice);
    QCOMPARE(casuale.fuoriCopione(), 0);
}

void TestCasuale::ogniValoreRaggiungibile()
{
    CasualeOrologio casuale(7);
    QVector<int> conteggi(8);
    for (int i = 0; i < 8000; ++i)
        ++conteggi[indiceNelRango(casuale, 82, 89) - 82];
    for (int conteggio : conteggi)
        QVERIFY2(conteggio > 800 && conteggio < 1200, qPrintable(QString::number(conteggio)));
}

QTEST_GUILESS_MAIN(TestCasuale)
#include "tst_casuale.moc"
