#include "Ambiente.h"

#include "logic/quiz/Definizione.h"

#include <QFileInfo>
#include <QtTest>

using namespace cartavia;

namespace {
using Testi = QStringList;
using Valori = QList<float>;

QString s(int n)
{
    return CartellaProgramma::testo(n);
}
}

class TestDefinizione : public QObject
{
    Q_OBJECT
private slots:
    void generaEstraeInOrdine_data();
    void generaEstraeInOrdine();
    void posizioneGiusta_data();
    void posizioneGiusta();
    void confrontoPerTesto_data();
    void confrontoPerTesto();
    void rispostaContaESuona_data();
    void rispostaContaESuona();
    void contatoriSiFermanoA32767_data();
    void contatoriSiFermanoA32767();
    void moltiEserciziRestanoNellaCategoria();
};

void TestDefinizione::generaEstraeInOrdine_data()
{
    QTest::addColumn<int>("primo");
    QTest::addColumn<int>("ultimo");
    QTest::addColumn<Valori>("valori");
    QTest::addColumn<quint32>("colore");
    QTest::addColumn<int>("segnale");
    QTest::addColumn<Testi>("testi");

    // colour, sign, position, then the other labels from top to bottom
    QTest::newRow("tutti, giusto in mezzo")
        << 1 << 144 << Valori{0.0f, 0.5f, 0.4f, 0.0f, 0.1f, 0.25f, 0.75f, 0.999f} << 0xC0C0FFu
        << 73 << Testi{s(1), s(15), s(73), s(37), s(109), s(144)};
    QTest::newRow("giusto in cima")
        << 1 << 144 << Valori{0.99f, 0.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.25f, 0.1f} << 0xFF00FFu
        << 1 << Testi{s(1), s(73), s(73), s(1), s(37), s(15)};
    QTest::newRow("giusto in fondo")
        << 1 << 144 << Valori{0.5f, 0.25f, 0.99f, 0.999f, 0.75f, 0.5f, 0.25f, 0.0f} << 0x00C000u
        << 37 << Testi{s(144), s(109), s(73), s(37), s(1), s(37)};
    // The picture stays in the category, the other texts come from the whole catalogue.
    QTest::newRow("sosta, altri dall'intero catalogo")
        << 82 << 89 << Valori{0.1f, 0.999f, 0.6f, 0.0f, 0.999f, 0.5f, 0.25f, 0.75f} << 0x8080FFu
        << 89 << Testi{s(1), s(144), s(73), s(89), s(37), s(109)};
    const float quasiUno = 1.0f - 1.0f / 16777216.0f;
    QTest::newRow("estratti al limite")
        << 53 << 81 << Valori{quasiUno, quasiUno, quasiUno, quasiUno, quasiUno, quasiUno, quasiUno, quasiUno}
        << 0xFF00FFu << 81 << Testi{s(144), s(144), s(144), s(144), s(144), s(81)};
}

void TestDefinizione::generaEstraeInOrdine()
{
    QFETCH(int, primo);
    QFETCH(int, ultimo);
    QFETCH(Valori, valori);
    QFETCH(quint32, colore);
    QFETCH(int, segnale);
    QFETCH(Testi, testi);

    Ambiente a;
    a.stato.PrimoSegnale = qint16(primo);
    a.stato.UltimoSegnale = qint16(ultimo);
    for (float v : valori)
        a.casuale.aggiungi(v);

    Definizione definizione(a.contesto);
    const EsercizioDefinizione e = definizione.genera();

    QCOMPARE(e.colore, colore);
    QCOMPARE(int(e.segnale), segnale);
    QCOMPARE(int(a.stato.SegnaleCorrente), segnale);
    QCOMPARE(Testi(e.testi.begin(), e.testi.end()), testi);
    QCOMPARE(e.testi[std::size_t(e.posizione)], s(segnale));
    // One colour and exactly seven more draws, nothing else.
    QCOMPARE(a.casuale.estratti(), 8);
    QCOMPARE(a.casuale.restanti(), 0);
    QCOMPARE(a.casuale.fuoriCopione(), 0);
}

void TestDefinizione::posizioneGiusta_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("posizione");
    QTest::newRow("0") << 0.0f << 0;
    QTest::newRow("appena sotto 1/6") << 0.1666f << 0;
    QTest::newRow("1/6") << 0.16667f << 1;
    QTest::newRow("1/2") << 0.5f << 3;
    QTest::newRow("5/6") << 0.83334f << 5;
    QTest::newRow("quasi 1") << 0.9999999f << 5;
}

void TestDefinizione::posizioneGiusta()
{
    QFETCH(float, r);
    QFETCH(int, posizione);
    Ambiente a;
    a.casuale.aggiungi({0.0f, 0.0f, r, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
    Definizione definizione(a.contesto);
    const EsercizioDefinizione e = definizione.genera();
    QCOMPARE(e.posizione, posizione);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(e.testi[std::size_t(i)], i == posizione ? s(1) : s(73));
}

void TestDefinizione::confrontoPerTesto_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("giusta");
    QTest::newRow("uguale") << s(73) << true;
    QTest::newRow("maiuscole diverse") << QStringLiteral("segnale 73") << false;
    QTest::newRow("spazio in coda") << QStringLiteral("Segnale 73 ") << false;
    QTest::newRow("spazio in testa") << QStringLiteral(" Segnale 73") << false;
    QTest::newRow("altro segnale") << s(7) << false;
    QTest::newRow("una cifra in piu") << s(730) << false;
    QTest::newRow("vuoto") << QString() << false;
}

void TestDefinizione::confrontoPerTesto()
{
    QFETCH(QString, testo);
    QFETCH(bool, giusta);
    Ambiente a;
    a.stato.SegnaleCorrente = 73;
    Definizione definizione(a.contesto);
    QCOMPARE(definizione.giusta(testo), giusta);
}

void TestDefinizione::rispostaContaESuona_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<float>("r");
    QTest::addColumn<bool>("giusta");
    QTest::addColumn<QString>("suono");
    QTest::addColumn<int>("estratti");
    QTest::newRow("giusta, si1") << s(73) << 0.0f << true << "si1.wav" << 1;
    QTest::newRow("giusta, si4") << s(73) << 0.99f << true << "si4.wav" << 1;
    QTest::newRow("sbagliata") << s(72) << 0.0f << false << "no.wav" << 0;
}

void TestDefinizione::rispostaContaESuona()
{
    QFETCH(QString, testo);
    QFETCH(float, r);
    QFETCH(bool, giusta);
    QFETCH(QString, suono);
    QFETCH(int, estratti);

    Ambiente a;
    SuoniConContatori suoni(a.stato);
    Contesto conSuoni{a.stato, a.casuale, suoni, a.dialoghi, a.contesto.cartella, a.contesto.termina};
    a.stato.SegnaleCorrente = 73;
    a.stato.NumeroEsatti = 4;
    a.stato.NumeroErrati = 9;
    a.casuale.aggiungi(r);

    Definizione definizione(conSuoni);
    RegistroRegole detti(definizione, suoni);
    definizione.rispondi(testo);
    QCOMPARE(detti.detti, RegistroRegole::unaRisposta(giusta, giusta ? 5 : 4, giusta ? 9 : 10));
    QCOMPARE(int(a.stato.NumeroEsatti), giusta ? 5 : 4);
    QCOMPARE(int(a.stato.NumeroErrati), giusta ? 9 : 10);
    QCOMPARE(suoni.conContatori.size(), 1);
    QCOMPARE(suoni.conContatori[0].nome, suono);
    // Either way the answer is counted before its sound starts.
    QCOMPARE(int(suoni.conContatori[0].esatti), int(a.stato.NumeroEsatti));
    QCOMPARE(int(suoni.conContatori[0].errati), int(a.stato.NumeroErrati));
    QCOMPARE(a.casuale.estratti(), estratti);
}

void TestDefinizione::contatoriSiFermanoA32767_data()
{
    QTest::addColumn<bool>("giusta");
    QTest::addColumn<int>("prima");
    QTest::addColumn<int>("dopo");
    QTest::newRow("esatti al limite") << true << 32767 << 32767;
    QTest::newRow("esatti sotto il limite") << true << 32766 << 32767;
    QTest::newRow("errati al limite") << false << 32767 << 32767;
    QTest::newRow("errati sotto il limite") << false << 32766 << 32767;
}

void TestDefinizione::contatoriSiFermanoA32767()
{
    QFETCH(bool, giusta);
    QFETCH(int, prima);
    QFETCH(int, dopo);
    Ambiente a;
    a.stato.SegnaleCorrente = 5;
    qint16 &contatore = giusta ? a.stato.NumeroEsatti : a.stato.NumeroErrati;
    contatore = qint16(prima);
    Definizione definizione(a.contesto);
    definizione.rispondi(giusta ? s(5) : s(6));
    QCOMPARE(int(contatore), dopo);
    QCOMPARE(a.suoni.suonati.size(), 1); // the sound still plays
}

void TestDefinizione::moltiEserciziRestanoNellaCategoria()
{
    Ambiente a; // unscripted: the seeded generator
    a.stato.PrimoSegnale = 82;
    a.stato.UltimoSegnale = 89;
    Definizione definizione(a.contesto);
    std::array<int, 6> perPosizione{};
    QSet<int> segnali;
    for (int n = 0; n < 600; ++n) {
        const int prima = a.casuale.estratti();
        const EsercizioDefinizione e = definizione.genera();
        QCOMPARE(a.casuale.estratti() - prima, 8);
        QVERIFY(e.segnale >= 82 && e.segnale <= 89);
        QCOMPARE(e.testi[std::size_t(e.posizione)], s(e.segnale));
        ++perPosizione[std::size_t(e.posizione)];
        segnali.insert(e.segnale);
    }
    QCOMPARE(segnali.size(), 8);
    for (int volte : perPosizione)
        QVERIFY2(volte > 60, qPrintable(QString::number(volte))); // about 100 each
}

QTEST_GUILESS_MAIN(TestDefinizione)
#include "tst_definizione.moc"
