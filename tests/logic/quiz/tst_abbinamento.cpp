#include "logic/quiz/Abbinamento.h"

#include "Ambiente.h"
#include "Copioni.h"
#include "logic/CasualeOrologio.h"

#include <QSignalSpy>
#include <QtTest>
#include <set>
#include <tuple>

using namespace cartavia;

namespace {
// What one drop told: nothing, right, right and the third, or wrong.
enum class Esito { Nessuno, Esatto, Completato, Errato };

// Drops definition `definizione` on box `casella` and reads its verdict from the signals, which
// must agree with one another: a right drop places its own definition, and only the third right
// one or a wrong one moves a counter.
Esito rilascia(Abbinamento &esercizio, int casella, int definizione, const Contesto &contesto)
{
    QSignalSpy risposte(&esercizio, &Abbinamento::rispostaData);
    QSignalSpy contatori(&esercizio, &Abbinamento::contatoriCambiati);
    QSignalSpy collocate(&esercizio, &Abbinamento::definizioneCollocata);
    esercizio.rilascia(casella, definizione);
    if (risposte.isEmpty()) {
        if (!contatori.isEmpty() || !collocate.isEmpty())
            return Esito(-1);
        return Esito::Nessuno;
    }
    const bool giusta = risposte.takeFirst().at(0).toBool();
    const bool contato = contatori.size() == 1
        && contatori.at(0) == QList<QVariant>{int(contesto.stato.NumeroEsatti), int(contesto.stato.NumeroErrati)};
    if (!risposte.isEmpty() || contatori.size() > 1)
        return Esito(-1);
    if (!giusta)
        return collocate.isEmpty() && contato ? Esito::Errato : Esito(-1);
    if (collocate.size() != 1 || collocate.at(0).at(0).toInt() != definizione)
        return Esito(-1);
    if (contatori.isEmpty())
        return Esito::Esatto;
    return contato ? Esito::Completato : Esito(-1);
}
}
Q_DECLARE_METATYPE(Esito)

class TestAbbinamento : public QObject
{
    Q_OBJECT

private slots:
    void ordineEstrazioni_data();
    void ordineEstrazioni();
    void disposizioni_data();
    void disposizioni();
    void sostaSempreDiversiEOgniTerna();
    void regolaRisposta_data();
    void regolaRisposta();
    void sequenzeDiRilasci_data();
    void sequenzeDiRilasci();
    void contatoriSaturano();
    void nuovoEsercizioRiparte();
};

void TestAbbinamento::ordineEstrazioni_data()
{
    QTest::addColumn<int>("primo");
    QTest::addColumn<int>("ultimo");
    QTest::addColumn<QList<float>>("valori");
    QTest::addColumn<QList<int>>("segnali");
    QTest::addColumn<int>("colore");
    QTest::addColumn<int>("disposizione");

    QTest::newRow("nessuna ripetizione")
        << 1 << 144
        << QList<float>{perColore(3), perSegnale(5), perSegnale(77), perSegnale(144), perDisposizione(2)}
        << QList<int>{5, 77, 144} << 3 << 2;
    QTest::newRow("Segnale1 ripete Segnale0 due volte")
        << 1 << 144
        << QList<float>{perColore(18), perSegnale(10), perSegnale(10), perSegnale(10),
                        perSegnale(20), perSegnale(30), perDisposizione(5)}
        << QList<int>{10, 20, 30} << 18 << 5;
    QTest::newRow("Segnale2 ripete l'uno e l'altro")
        << 1 << 144
        << QList<float>{perColore(1), perSegnale(1), perSegnale(2), perSegnale(1),
                        perSegnale(2), perSegnale(2), perSegnale(1), perSegnale(3), perDisposizione(0)}
        << QList<int>{1, 2, 3} << 1 << 0;
    QTest::newRow("estremi del rango")
        << 1 << 144
        << QList<float>{0.0f, 0.0f, 0.99999994f, 0.5f, 0.99999994f}
        << QList<int>{1, 144, 73} << 1 << 5;
    QTest::newRow("sosta 82..89")
        << 82 << 89
        << QList<float>{perColore(9), perSegnale(89, 82, 89), perSegnale(82, 82, 89),
                        perSegnale(89, 82, 89), perSegnale(82, 82, 89), perSegnale(85, 82, 89),
                        perDisposizione(4)}
        << QList<int>{89, 82, 85} << 9 << 4;
}

void TestAbbinamento::ordineEstrazioni()
{
    QFETCH(int, primo);
    QFETCH(int, ultimo);
    QFETCH(QList<float>, valori);
    QFETCH(QList<int>, segnali);
    QFETCH(int, colore);
    QFETCH(int, disposizione);

    Ambiente ambiente;
    ambiente.stato.PrimoSegnale = qint16(primo);
    ambiente.stato.UltimoSegnale = qint16(ultimo);
    for (float r : valori)
        ambiente.casuale.aggiungi(r);

    Abbinamento esercizio(ambiente.contesto);
    esercizio.genera();

    QCOMPARE(ambiente.casuale.restanti(), 0);
    QCOMPARE(ambiente.casuale.fuoriCopione(), 0);
    QCOMPARE(esercizio.colore(), ColoriSfondo[std::size_t(colore - 1)]);
    for (int k = 0; k < 3; ++k)
        QCOMPARE(int(esercizio.segnale(k)), segnali[k]);
    QCOMPARE(esercizio.disposizione(), disposizione);
    QCOMPARE(int(esercizio.NumeroAbbinati()), 0);
    QVERIFY(ambiente.suoni.suonati.isEmpty());
}

void TestAbbinamento::disposizioni_data()
{
    QTest::addColumn<int>("p");
    QTest::addColumn<QList<int>>("sinistre");
    QTest::newRow("0") << 0 << QList<int>{210, 3360, 6510};
    QTest::newRow("1") << 1 << QList<int>{210, 6510, 3360};
    QTest::newRow("2") << 2 << QList<int>{3360, 210, 6510};
    QTest::newRow("3") << 3 << QList<int>{6510, 210, 3360};
    QTest::newRow("4") << 4 << QList<int>{6510, 3360, 210};
    QTest::newRow("5") << 5 << QList<int>{3360, 6510, 210};
}

void TestAbbinamento::disposizioni()
{
    QFETCH(int, p);
    QFETCH(QList<int>, sinistre);

    Ambiente ambiente;
    ambiente.casuale.aggiungi({perColore(1), perSegnale(1), perSegnale(2), perSegnale(3),
                               perDisposizione(p)});
    Abbinamento esercizio(ambiente.contesto);
    esercizio.genera();
    QCOMPARE(esercizio.disposizione(), p);
    for (int k = 0; k < 3; ++k)
        QCOMPARE(esercizio.sinistra(k), sinistre[k]);
}

void TestAbbinamento::sostaSempreDiversiEOgniTerna()
{
    Stato stato;
    CasualeOrologio casuale(20240611);
    SuoniRegistrati suoni;
    DialoghiScriptati dialoghi;
    Contesto contesto{stato, casuale, suoni, dialoghi, QString(), [](int) {}};
    stato.PrimoSegnale = 82;
    stato.UltimoSegnale = 89;

    std::set<std::tuple<int, int, int>> terne;
    std::set<int> disposizioni;
    Abbinamento esercizio(contesto);
    for (int volta = 0; volta < 5000; ++volta) {
        esercizio.genera();
        const int a = esercizio.segnale(0), b = esercizio.segnale(1), c = esercizio.segnale(2);
        for (int s : {a, b, c})
            QVERIFY2(s >= 82 && s <= 89, qPrintable(QString::number(s)));
        QVERIFY(a != b && a != c && b != c);
        terne.insert({a, b, c});
        disposizioni.insert(esercizio.disposizione());
    }
    QCOMPARE(int(terne.size()), 8 * 7 * 6);
    QCOMPARE(int(disposizioni.size()), 6);
}

void TestAbbinamento::regolaRisposta_data()
{
    QTest::addColumn<int>("casella");
    QTest::addColumn<int>("definizione");
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            QTest::addRow("casella %d, definizione %d", i, j) << i << j;
}

void TestAbbinamento::regolaRisposta()
{
    QFETCH(int, casella);
    QFETCH(int, definizione);

    Ambiente ambiente;
    ambiente.casuale.aggiungi({perColore(4), perSegnale(1), perSegnale(2), perSegnale(3),
                               perDisposizione(3), perSuono(3)});
    ambiente.stato.NumeroEsatti = 5;
    ambiente.stato.NumeroErrati = 7;
    Abbinamento esercizio(ambiente.contesto);
    esercizio.genera();

    const Esito esito = rilascia(esercizio, casella, definizione, ambiente.contesto);
    if (casella == definizione) {
        QCOMPARE(esito, Esito::Esatto);
        QCOMPARE(ambiente.suoni.nomi(), QStringList{QStringLiteral("si3.wav")});
        QCOMPARE(int(ambiente.stato.NumeroErrati), 7);
        QCOMPARE(int(esercizio.NumeroAbbinati()), 1);
        QVERIFY(esercizio.collocata(definizione));
        QCOMPARE(esercizio.colore(), ColoriSfondo[3]);
    } else {
        QCOMPARE(esito, Esito::Errato);
        QCOMPARE(ambiente.suoni.nomi(), QStringList{QStringLiteral("no.wav")});
        QCOMPARE(int(ambiente.stato.NumeroErrati), 8);
        QCOMPARE(int(esercizio.NumeroAbbinati()), 0);
        QVERIFY(!esercizio.collocata(definizione));
        QCOMPARE(esercizio.colore(), ColoreNero);
        QCOMPARE(ambiente.casuale.restanti(), 1); // the wrong sound draws nothing
    }
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 5);
}

void TestAbbinamento::sequenzeDiRilasci_data()
{
    // Each drop: x = box, y = definition.
    QTest::addColumn<QList<QPoint>>("rilasci");
    QTest::addColumn<QList<Esito>>("esiti");
    QTest::addColumn<QStringList>("suoni");
    QTest::addColumn<int>("esatti");
    QTest::addColumn<int>("errati");
    QTest::addColumn<bool>("nero");

    const QString s1 = QStringLiteral("si1.wav"), s2 = QStringLiteral("si2.wav"),
                  s3 = QStringLiteral("si3.wav"), no = QStringLiteral("no.wav");

    QTest::newRow("tre esatti")
        << QList<QPoint>{{2, 2}, {0, 0}, {1, 1}}
        << QList<Esito>{Esito::Esatto, Esito::Esatto, Esito::Completato}
        << QStringList{s1, s2, s3} << 1 << 0 << false;
    QTest::newRow("due esatti non contano")
        << QList<QPoint>{{0, 0}, {1, 1}}
        << QList<Esito>{Esito::Esatto, Esito::Esatto}
        << QStringList{s1, s2} << 0 << 0 << false;
    QTest::newRow("errori poi completato")
        << QList<QPoint>{{0, 1}, {1, 1}, {2, 0}, {1, 0}, {0, 0}, {2, 2}}
        << QList<Esito>{Esito::Errato, Esito::Esatto, Esito::Errato, Esito::Errato, Esito::Esatto,
                        Esito::Completato}
        << QStringList{no, s1, no, no, s2, s3} << 1 << 3 << true;
    QTest::newRow("casella piena e' sempre errata")
        << QList<QPoint>{{0, 0}, {0, 1}, {0, 2}}
        << QList<Esito>{Esito::Esatto, Esito::Errato, Esito::Errato}
        << QStringList{s1, no, no} << 0 << 2 << true;
    QTest::newRow("definizione gia' collocata non si rilascia")
        << QList<QPoint>{{1, 1}, {1, 1}, {2, 1}}
        << QList<Esito>{Esito::Esatto, Esito::Nessuno, Esito::Nessuno}
        << QStringList{s1} << 0 << 0 << false;
}

void TestAbbinamento::sequenzeDiRilasci()
{
    QFETCH(QList<QPoint>, rilasci);
    QFETCH(QList<Esito>, esiti);
    QFETCH(QStringList, suoni);
    QFETCH(int, esatti);
    QFETCH(int, errati);
    QFETCH(bool, nero);

    Ambiente ambiente;
    ambiente.casuale.aggiungi({perColore(6), perSegnale(40), perSegnale(41), perSegnale(42),
                               perDisposizione(1), perSuono(1), perSuono(2), perSuono(3)});
    ambiente.stato.NumeroEsatti = 10;
    ambiente.stato.NumeroErrati = 20;
    Abbinamento esercizio(ambiente.contesto);
    esercizio.genera();

    for (int n = 0; n < rilasci.size(); ++n)
        QCOMPARE(rilascia(esercizio, rilasci[n].x(), rilasci[n].y(), ambiente.contesto), esiti[n]);

    QCOMPARE(ambiente.suoni.nomi(), suoni);
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 10 + esatti);
    QCOMPARE(int(ambiente.stato.NumeroErrati), 20 + errati);
    QCOMPARE(esercizio.colore(), nero ? ColoreNero : ColoriSfondo[5]);
    QCOMPARE(ambiente.casuale.fuoriCopione(), 0);
}

void TestAbbinamento::contatoriSaturano()
{
    Ambiente ambiente;
    ambiente.stato.NumeroEsatti = 32767;
    ambiente.stato.NumeroErrati = 32767;
    Abbinamento esercizio(ambiente.contesto);
    esercizio.genera();

    QCOMPARE(rilascia(esercizio, 0, 1, ambiente.contesto), Esito::Errato);
    QCOMPARE(int(ambiente.stato.NumeroErrati), 32767);
    for (int k = 0; k < 3; ++k)
        esercizio.rilascia(k, k);
    QVERIFY(esercizio.completo());
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 32767);

    ambiente.stato.NumeroEsatti = 32766;
    esercizio.genera();
    for (int k = 0; k < 3; ++k)
        esercizio.rilascia(k, k);
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 32767);
}

void TestAbbinamento::nuovoEsercizioRiparte()
{
    Ambiente ambiente;
    Abbinamento esercizio(ambiente.contesto);
    esercizio.genera();
    esercizio.rilascia(0, 0);
    esercizio.rilascia(1, 2);
    QCOMPARE(esercizio.colore(), ColoreNero);

    ambiente.casuale.aggiungi({perColore(7), perSegnale(1), perSegnale(2), perSegnale(3),
                               perDisposizione(0)});
    esercizio.genera();
    QCOMPARE(int(esercizio.NumeroAbbinati()), 0);
    QCOMPARE(esercizio.colore(), ColoriSfondo[6]);
    for (int k = 0; k < 3; ++k)
        QVERIFY(!esercizio.collocata(k));
    QCOMPARE(rilascia(esercizio, 0, 0, ambiente.contesto), Esito::Esatto);
}

QTEST_MAIN(TestAbbinamento)
#include "tst_abbinamento.moc"
