#include "Ambiente.h"

#include "logic/Errore.h"
#include "logic/quiz/Riconoscimento.h"

#include <QFileInfo>
#include <QtTest>

using namespace cartavia;

namespace {
using Valori = QList<float>;
using Segnali = QList<int>;
}

class TestRiconoscimento : public QObject
{
    Q_OBJECT
private slots:
    void generaEstraeInOrdine_data();
    void generaEstraeInOrdine();
    void posizioneGiusta_data();
    void posizioneGiusta();
    void rispostaPerPosizione();
    void rispostaContaESuona_data();
    void rispostaContaESuona();
    void contatoriSiFermanoA32767_data();
    void contatoriSiFermanoA32767();
    void moltiEserciziSeiSegnaliDiversi();
    void categoriaTroppoPiccola();
};

void TestRiconoscimento::generaEstraeInOrdine_data()
{
    QTest::addColumn<int>("primo");
    QTest::addColumn<int>("ultimo");
    QTest::addColumn<Valori>("valori");
    QTest::addColumn<quint32>("colore");
    QTest::addColumn<Segnali>("segnali");
    QTest::addColumn<int>("posizione");

    // colour, six signs (a repeat is drawn again before the next sign), then the position
    QTest::newRow("tutti, nessun doppione")
        << 1 << 144 << Valori{0.99f, 0.0f, 0.999f, 0.5f, 0.25f, 0.75f, 0.1f, 0.0f} << 0xFF00FFu
        << Segnali{1, 144, 73, 37, 109, 15} << 1;
    QTest::newRow("sosta, doppioni ripescati subito")
        << 82 << 89
        << Valori{0.0f,
                  0.0f,                    // i1 = 82
                  0.0f, 0.125f,            // i2: 82 again, then 83
                  0.0f, 0.125f, 0.25f,     // i3: 82, 83, then 84
                  0.375f,                  // i4 = 85
                  0.5f,                    // i5 = 86
                  0.5f, 0.0f, 0.999f,      // i6: 86, 82, then 89
                  0.5f}                    // position 4
        << 0xC0C0FFu << Segnali{82, 83, 84, 85, 86, 89} << 4;
    QTest::newRow("divieto, doppione del primo all'ultimo")
        << 53 << 81
        << Valori{0.5f, 0.999f, 0.0f, 0.5f, 0.25f, 0.75f, 0.999f, 0.999f, 0.999f, 0.1f, 0.99f}
        << 0x00C000u << Segnali{81, 53, 67, 60, 74, 55} << 6;
}

void TestRiconoscimento::generaEstraeInOrdine()
{
    QFETCH(int, primo);
    QFETCH(int, ultimo);
    QFETCH(Valori, valori);
    QFETCH(quint32, colore);
    QFETCH(Segnali, segnali);
    QFETCH(int, posizione);

    Ambiente a;
    a.stato.PrimoSegnale = qint16(primo);
    a.stato.UltimoSegnale = qint16(ultimo);
    for (float v : valori)
        a.casuale.aggiungi(v);

    Riconoscimento riconoscimento(a.contesto);
    QCOMPARE(int(riconoscimento.PosizioneGiusta()), 0);
    const EsercizioRiconoscimento e = riconoscimento.genera();

    QCOMPARE(e.colore, colore);
    QCOMPARE(Segnali(e.segnali.begin(), e.segnali.end()), segnali);
    QCOMPARE(int(e.PosizioneGiusta), posizione);
    QCOMPARE(int(riconoscimento.PosizioneGiusta()), posizione);
    QCOMPARE(e.testo, QStringLiteral("   ") + CartellaProgramma::testo(segnali[posizione - 1]));
    // Every scripted value used, and not one more.
    QCOMPARE(a.casuale.estratti(), valori.size());
    QCOMPARE(a.casuale.restanti(), 0);
    QCOMPARE(a.casuale.fuoriCopione(), 0);
}

void TestRiconoscimento::posizioneGiusta_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("posizione");
    QTest::newRow("0") << 0.0f << 1;
    QTest::newRow("appena sotto 1/6") << 0.1666f << 1;
    QTest::newRow("1/6") << 0.16667f << 2;
    QTest::newRow("1/2") << 0.5f << 4;
    QTest::newRow("5/6") << 0.83334f << 6;
    QTest::newRow("quasi 1") << 0.9999999f << 6;
}

void TestRiconoscimento::posizioneGiusta()
{
    QFETCH(float, r);
    QFETCH(int, posizione);
    Ambiente a;
    a.casuale.aggiungi({0.0f, 0.0f, 0.1f, 0.25f, 0.5f, 0.75f, 0.999f, r});
    Riconoscimento riconoscimento(a.contesto);
    const EsercizioRiconoscimento e = riconoscimento.genera();
    QCOMPARE(int(e.PosizioneGiusta), posizione);
    const int attesi[6] = {1, 15, 37, 73, 109, 144};
    QCOMPARE(e.testo, QStringLiteral("   ") + CartellaProgramma::testo(attesi[posizione - 1]));
}

void TestRiconoscimento::rispostaPerPosizione()
{
    Ambiente a;
    a.casuale.aggiungi({0.0f, 0.0f, 0.1f, 0.25f, 0.5f, 0.75f, 0.999f, 0.4f}); // position 3
    Riconoscimento riconoscimento(a.contesto);
    riconoscimento.genera();
    for (int indice = 0; indice < 6; ++indice)
        QCOMPARE(riconoscimento.giusta(indice), indice == 2);
}

void TestRiconoscimento::rispostaContaESuona_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<float>("r");
    QTest::addColumn<bool>("giusta");
    QTest::addColumn<QString>("suono");
    QTest::addColumn<int>("esattiAlSuono");
    QTest::addColumn<int>("erratiAlSuono");
    QTest::addColumn<int>("estratti");
    // A right answer is counted before its sound, a wrong one after.
    QTest::newRow("giusta, si2") << 2 << 0.3f << true << "si2.wav" << 5 << 9 << 1;
    QTest::newRow("giusta, si3") << 2 << 0.6f << true << "si3.wav" << 5 << 9 << 1;
    QTest::newRow("sbagliata") << 0 << 0.0f << false << "no.wav" << 4 << 9 << 0;
    QTest::newRow("sbagliata, ultima") << 5 << 0.0f << false << "no.wav" << 4 << 9 << 0;
}

void TestRiconoscimento::rispostaContaESuona()
{
    QFETCH(int, indice);
    QFETCH(float, r);
    QFETCH(bool, giusta);
    QFETCH(QString, suono);
    QFETCH(int, esattiAlSuono);
    QFETCH(int, erratiAlSuono);
    QFETCH(int, estratti);

    Ambiente a;
    SuoniConContatori suoni(a.stato);
    Contesto conSuoni{a.stato, a.casuale, suoni, a.dialoghi, a.contesto.cartella, a.contesto.termina};
    a.casuale.aggiungi({0.0f, 0.0f, 0.1f, 0.25f, 0.5f, 0.75f, 0.999f, 0.4f}); // position 3
    Riconoscimento riconoscimento(conSuoni);
    riconoscimento.genera();
    a.stato.NumeroEsatti = 4;
    a.stato.NumeroErrati = 9;
    const int prima = a.casuale.estratti();
    a.casuale.aggiungi(r);

    RegistroRegole detti(riconoscimento, suoni);
    riconoscimento.rispondi(indice);
    QCOMPARE(detti.detti, RegistroRegole::unaRisposta(giusta, giusta ? 5 : 4, giusta ? 9 : 10));
    QCOMPARE(int(a.stato.NumeroEsatti), giusta ? 5 : 4);
    QCOMPARE(int(a.stato.NumeroErrati), giusta ? 9 : 10);
    QCOMPARE(suoni.conContatori.size(), 1);
    QCOMPARE(suoni.conContatori[0].nome, suono);
    QCOMPARE(int(suoni.conContatori[0].esatti), esattiAlSuono);
    QCOMPARE(int(suoni.conContatori[0].errati), erratiAlSuono);
    QCOMPARE(a.casuale.estratti() - prima, estratti);
}

void TestRiconoscimento::contatoriSiFermanoA32767_data()
{
    QTest::addColumn<bool>("giusta");
    QTest::addColumn<int>("prima");
    QTest::addColumn<int>("dopo");
    QTest::newRow("esatti al limite") << true << 32767 << 32767;
    QTest::newRow("esatti sotto il limite") << true << 32766 << 32767;
    QTest::newRow("errati al limite") << false << 32767 << 32767;
    QTest::newRow("errati sotto il limite") << false << 32766 << 32767;
}

void TestRiconoscimento::contatoriSiFermanoA32767()
{
    QFETCH(bool, giusta);
    QFETCH(int, prima);
    QFETCH(int, dopo);
    Ambiente a;
    a.casuale.aggiungi({0.0f, 0.0f, 0.1f, 0.25f, 0.5f, 0.75f, 0.999f, 0.0f}); // position 1
    Riconoscimento riconoscimento(a.contesto);
    riconoscimento.genera();
    qint16 &contatore = giusta ? a.stato.NumeroEsatti : a.stato.NumeroErrati;
    contatore = qint16(prima);
    riconoscimento.rispondi(giusta ? 0 : 1);
    QCOMPARE(int(contatore), dopo);
    QCOMPARE(a.suoni.suonati.size(), 1);
}

void TestRiconoscimento::moltiEserciziSeiSegnaliDiversi()
{
    Ambiente a; // unscripted: the seeded generator
    a.stato.PrimoSegnale = 82;
    a.stato.UltimoSegnale = 89;
    Riconoscimento riconoscimento(a.contesto);
    std::array<int, 6> perPosizione{};
    QSet<int> visti;
    for (int n = 0; n < 600; ++n) {
        const EsercizioRiconoscimento e = riconoscimento.genera();
        QSet<int> diversi;
        for (qint16 segnale : e.segnali) {
            QVERIFY(segnale >= 82 && segnale <= 89);
            diversi.insert(segnale);
            visti.insert(segnale);
        }
        QCOMPARE(diversi.size(), 6);
        QVERIFY(e.PosizioneGiusta >= 1 && e.PosizioneGiusta <= 6);
        QCOMPARE(e.testo, QStringLiteral("   ")
                     + CartellaProgramma::testo(e.segnali[std::size_t(e.PosizioneGiusta - 1)]));
        ++perPosizione[std::size_t(e.PosizioneGiusta - 1)];
    }
    QCOMPARE(visti.size(), 8);
    for (int volte : perPosizione)
        QVERIFY2(volte > 60, qPrintable(QString::number(volte))); // about 100 each
}

void TestRiconoscimento::categoriaTroppoPiccola()
{
    // No menu offers such a range; drawing six different signs from it would never end.
    Ambiente a;
    a.stato.PrimoSegnale = 10;
    a.stato.UltimoSegnale = 14;
    Riconoscimento riconoscimento(a.contesto);
    QVERIFY_THROWS_EXCEPTION(ErroreCartavia, riconoscimento.genera());
}

QTEST_GUILESS_MAIN(TestRiconoscimento)
#include "tst_riconoscimento.moc"
