// The two quizzes that offer six choices: the definition (six texts for one picture) and the
// recognition (six pictures for one text). What they share runs in one table over both.
#include "Ambiente.h"

#include "logic/Errore.h"
#include "logic/quiz/Definizione.h"
#include "logic/quiz/Riconoscimento.h"

#include <QtTest>
#include <functional>
#include <memory>

using namespace cartavia;

namespace {
using Testi = QStringList;
using Valori = QList<float>;
using Segnali = QList<int>;

QString s(int n)
{
    return CartellaProgramma::testo(n);
}

// Recognition: the colour and the signs 1, 15, 37, 73, 109, 144, then the draw of the place.
void seiSegnali(Ambiente &a, float posto)
{
    a.casuale.aggiungi({0.0f, 0.0f, 0.1f, 0.25f, 0.5f, 0.75f, 0.999f, posto});
}
const int SeiSegnali[6] = {1, 15, 37, 73, 109, 144};

// One exercise of either quiz, ready for an answer. The definition asks for sign `segnale`; the
// recognition puts the right picture at place 3. `rispondi(true, ..)` gives the right choice,
// `rispondi(false, altra)` the wrong one `altra`: a sign's text for the definition, a place
// (0..5) for the recognition.
struct Domanda
{
    std::unique_ptr<RegoleQuiz> regole;
    std::function<void(bool, int)> rispondi;
};

Domanda domanda(const QString &quiz, Ambiente &a, Contesto &contesto, int segnale = 73)
{
    Domanda d;
    if (quiz == QLatin1String("definizione")) {
        a.stato.SegnaleCorrente = qint16(segnale);
        auto *definizione = new Definizione(contesto);
        d.regole.reset(definizione);
        d.rispondi = [definizione, segnale](bool giusta, int altra) { definizione->rispondi(s(giusta ? segnale : altra)); };
    } else {
        seiSegnali(a, 0.4f); // place 3
        auto *riconoscimento = new Riconoscimento(contesto);
        riconoscimento->genera();
        d.regole.reset(riconoscimento);
        d.rispondi = [riconoscimento](bool giusta, int altra) { riconoscimento->rispondi(giusta ? 2 : altra); };
    }
    return d;
}
}

class TestSceltaFraSei : public QObject
{
    Q_OBJECT
private slots:
    void definizioneEstraeInOrdine_data();
    void definizioneEstraeInOrdine();
    void riconoscimentoEstraeInOrdine_data();
    void riconoscimentoEstraeInOrdine();
    void posizioneGiusta_data();
    void posizioneGiusta();
    void confrontoPerTesto_data();
    void confrontoPerTesto();
    void rispostaPerPosizione();
    void rispostaContaESuona_data();
    void rispostaContaESuona();
    void contatoriSiFermanoA32767_data();
    void contatoriSiFermanoA32767();
    void moltiEserciziRestanoNellaCategoria();
    void moltiEserciziSeiSegnaliDiversi();
    void categoriaTroppoPiccola();
};

void TestSceltaFraSei::definizioneEstraeInOrdine_data()
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

void TestSceltaFraSei::definizioneEstraeInOrdine()
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

void TestSceltaFraSei::riconoscimentoEstraeInOrdine_data()
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

void TestSceltaFraSei::riconoscimentoEstraeInOrdine()
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

void TestSceltaFraSei::posizioneGiusta_data()
{
    QTest::addColumn<QString>("quiz");
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("posto"); // 1..6 from the top
    const QList<QPair<float, int>> soglie = {{0.0f, 1},      {0.1666f, 1}, {0.16667f, 2},
                                              {0.5f, 4},      {0.83334f, 6}, {0.9999999f, 6}};
    for (const char *quiz : {"definizione", "riconoscimento"})
        for (const auto &[r, posto] : soglie)
            QTest::addRow("%s, %.7g", quiz, double(r)) << QString::fromLatin1(quiz) << r << posto;
}

void TestSceltaFraSei::posizioneGiusta()
{
    QFETCH(QString, quiz);
    QFETCH(float, r);
    QFETCH(int, posto);
    Ambiente a;
    if (quiz == QLatin1String("definizione")) {
        a.casuale.aggiungi({0.0f, 0.0f, r, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
        Definizione definizione(a.contesto);
        const EsercizioDefinizione e = definizione.genera();
        QCOMPARE(e.posizione, posto - 1);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(e.testi[std::size_t(i)], i == posto - 1 ? s(1) : s(73));
    } else {
        seiSegnali(a, r);
        Riconoscimento riconoscimento(a.contesto);
        const EsercizioRiconoscimento e = riconoscimento.genera();
        QCOMPARE(int(e.PosizioneGiusta), posto);
        QCOMPARE(e.testo, QStringLiteral("   ") + s(SeiSegnali[posto - 1]));
    }
}

void TestSceltaFraSei::confrontoPerTesto_data()
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

void TestSceltaFraSei::confrontoPerTesto()
{
    QFETCH(QString, testo);
    QFETCH(bool, giusta);
    Ambiente a;
    a.stato.SegnaleCorrente = 73;
    Definizione definizione(a.contesto);
    QCOMPARE(definizione.giusta(testo), giusta);
}

void TestSceltaFraSei::rispostaPerPosizione()
{
    Ambiente a;
    a.casuale.aggiungi({0.0f, 0.0f, 0.1f, 0.25f, 0.5f, 0.75f, 0.999f, 0.4f}); // position 3
    Riconoscimento riconoscimento(a.contesto);
    riconoscimento.genera();
    for (int indice = 0; indice < 6; ++indice)
        QCOMPARE(riconoscimento.giusta(indice), indice == 2);
}

void TestSceltaFraSei::rispostaContaESuona_data()
{
    QTest::addColumn<QString>("quiz");
    QTest::addColumn<bool>("giusta");
    QTest::addColumn<int>("altra");
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("suono");
    QTest::addColumn<int>("esattiAlSuono");
    QTest::addColumn<int>("erratiAlSuono");
    // From 4 right and 9 wrong. The definition counts either answer before its sound starts;
    // the recognition counts a right answer before its sound, a wrong one after.
    QTest::newRow("definizione, giusta, si1") << "definizione" << true << 0 << 0.0f << "si1.wav" << 5 << 9;
    QTest::newRow("definizione, giusta, si4") << "definizione" << true << 0 << 0.99f << "si4.wav" << 5 << 9;
    QTest::newRow("definizione, sbagliata") << "definizione" << false << 72 << 0.0f << "no.wav" << 4 << 10;
    QTest::newRow("riconoscimento, giusta, si2") << "riconoscimento" << true << 0 << 0.3f << "si2.wav" << 5 << 9;
    QTest::newRow("riconoscimento, giusta, si3") << "riconoscimento" << true << 0 << 0.6f << "si3.wav" << 5 << 9;
    QTest::newRow("riconoscimento, sbagliata") << "riconoscimento" << false << 0 << 0.0f << "no.wav" << 4 << 9;
    QTest::newRow("riconoscimento, sbagliata, ultima") << "riconoscimento" << false << 5 << 0.0f << "no.wav" << 4 << 9;
}

void TestSceltaFraSei::rispostaContaESuona()
{
    QFETCH(QString, quiz);
    QFETCH(bool, giusta);
    QFETCH(int, altra);
    QFETCH(float, r);
    QFETCH(QString, suono);
    QFETCH(int, esattiAlSuono);
    QFETCH(int, erratiAlSuono);

    Ambiente a;
    SuoniConContatori suoni(a.stato);
    Contesto conSuoni{a.stato, a.casuale, suoni, a.dialoghi, a.contesto.cartella, a.contesto.termina};
    Domanda d = domanda(quiz, a, conSuoni);
    a.stato.NumeroEsatti = 4;
    a.stato.NumeroErrati = 9;
    const int prima = a.casuale.estratti();
    a.casuale.aggiungi(r);

    RegistroRegole detti(*d.regole, suoni);
    d.rispondi(giusta, altra);
    QCOMPARE(detti.detti, RegistroRegole::unaRisposta(giusta, giusta ? 5 : 4, giusta ? 9 : 10));
    QCOMPARE(int(a.stato.NumeroEsatti), giusta ? 5 : 4);
    QCOMPARE(int(a.stato.NumeroErrati), giusta ? 9 : 10);
    QCOMPARE(suoni.conContatori.size(), 1);
    QCOMPARE(suoni.conContatori[0].nome, suono);
    QCOMPARE(int(suoni.conContatori[0].esatti), esattiAlSuono);
    QCOMPARE(int(suoni.conContatori[0].errati), erratiAlSuono);
    QCOMPARE(a.casuale.estratti() - prima, giusta ? 1 : 0); // only a right answer draws its sound
}

void TestSceltaFraSei::contatoriSiFermanoA32767_data()
{
    QTest::addColumn<QString>("quiz");
    QTest::addColumn<bool>("giusta");
    QTest::addColumn<int>("prima");
    QTest::addColumn<int>("dopo");
    for (const char *quiz : {"definizione", "riconoscimento"}) {
        QTest::addRow("%s, esatti al limite", quiz) << QString::fromLatin1(quiz) << true << 32767 << 32767;
        QTest::addRow("%s, esatti sotto il limite", quiz) << QString::fromLatin1(quiz) << true << 32766 << 32767;
        QTest::addRow("%s, errati al limite", quiz) << QString::fromLatin1(quiz) << false << 32767 << 32767;
        QTest::addRow("%s, errati sotto il limite", quiz) << QString::fromLatin1(quiz) << false << 32766 << 32767;
    }
}

void TestSceltaFraSei::contatoriSiFermanoA32767()
{
    QFETCH(QString, quiz);
    QFETCH(bool, giusta);
    QFETCH(int, prima);
    QFETCH(int, dopo);
    Ambiente a;
    Domanda d = domanda(quiz, a, a.contesto, 5);
    qint16 &contatore = giusta ? a.stato.NumeroEsatti : a.stato.NumeroErrati;
    contatore = qint16(prima);
    d.rispondi(giusta, quiz == QLatin1String("definizione") ? 6 : 1);
    QCOMPARE(int(contatore), dopo);
    QCOMPARE(a.suoni.suonati.size(), 1); // the sound still plays
}

void TestSceltaFraSei::moltiEserciziRestanoNellaCategoria()
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

void TestSceltaFraSei::moltiEserciziSeiSegnaliDiversi()
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

void TestSceltaFraSei::categoriaTroppoPiccola()
{
    // No menu offers such a range; drawing six different signs from it would never end.
    Ambiente a;
    a.stato.PrimoSegnale = 10;
    a.stato.UltimoSegnale = 14;
    Riconoscimento riconoscimento(a.contesto);
    QVERIFY_THROWS_EXCEPTION(ErroreCartavia, riconoscimento.genera());
}

QTEST_GUILESS_MAIN(TestSceltaFraSei)
#include "tst_scelta_fra_sei.moc"
