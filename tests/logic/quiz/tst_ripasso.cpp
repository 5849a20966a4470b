#include "tests/supporto/Ambiente.h"

#include "logic/quiz/Categorie.h"
#include "logic/quiz/Definizione.h"
#include "logic/quiz/Abbinamento.h"
#include "logic/quiz/Riconoscimento.h"

#include <QtTest>

using namespace cartavia;

// The review of missed signs, without windows: what enters and leaves the set, how a review
// draws, and when it ends.
namespace {
using Valori = QList<float>;
using Segnali = QList<int>;

// The value that draws sign n of 1..144, or index n of a set of `quanti`.
float valore(int n, int quanti = NumeroSegnali, int primo = 1)
{
    return (float(n - primo) + 0.5f) / float(quanti);
}

void riempi(Ripasso &ripasso, const Segnali &segnali)
{
    for (int s : segnali)
        ripasso.sbagliato(qint16(s));
}

Segnali contenuto(const Ripasso &ripasso)
{
    Segnali s;
    for (qint16 n : ripasso.segnali())
        s.append(n);
    return s;
}

// One exercise of `quiz` whose asked sign is drawn by `primo`, answered right or wrong.
// The other draws keep clear of the signs the cases use.
void unaRisposta(Ambiente &a, const QString &quiz, float primo, bool giusta)
{
    a.casuale.aggiungi({0.0f, primo});
    if (quiz == QLatin1String("definizione")) {
        a.casuale.aggiungi({0.0f, 0.9f, 0.91f, 0.92f, 0.93f, 0.94f});
        Definizione d(a.contesto);
        d.genera();
        d.rispondi(giusta ? a.stato.segnale(a.stato.SegnaleCorrente) : QStringLiteral("altro"));
    } else if (quiz == QLatin1String("riconoscimento")) {
        a.casuale.aggiungi({0.9f, 0.91f, 0.92f, 0.93f, 0.94f, 0.0f}); // asked at position 1
        Riconoscimento r(a.contesto);
        r.genera();
        r.rispondi(giusta ? 0 : 1);
    } else {
        // Outside a review the other two come from the catalogue, inside from the set.
        for (float v : a.stato.ripasso.attivo() ? Valori{0.5f, 0.9f, 0.0f} : Valori{0.9f, 0.95f, 0.0f})
            a.casuale.aggiungi(v);
        Abbinamento ab;
        ab.genera(a.contesto);
        ab.rilascia(giusta ? 0 : 1, 0, a.contesto); // the definition of slot 0
    }
}
}

class TestRipasso : public QObject
{
    Q_OBJECT
private slots:
    void entraEdEsce_data();
    void entraEdEsce();
    void estrazioneInRipasso_data();
    void estrazioneInRipasso();
    void fineDelRipasso_data();
    void fineDelRipasso();
};

void TestRipasso::entraEdEsce_data()
{
    QTest::addColumn<QString>("quiz");
    QTest::addColumn<Segnali>("prima");
    QTest::addColumn<bool>("inRipasso");
    QTest::addColumn<bool>("giusta");
    QTest::addColumn<Segnali>("dopo");

    // Outside a review the asked sign is 7; in a review, the first of the set.
    for (const char *quiz : {"definizione", "riconoscimento", "abbinamento"}) {
        const QString q = QLatin1String(quiz);
        QTest::addRow("%s: sbagliato, entra", quiz) << q << Segnali{} << false << false << Segnali{7};
        QTest::addRow("%s: sbagliato di nuovo, una volta sola", quiz)
            << q << Segnali{3, 7} << false << false << Segnali{3, 7};
        QTest::addRow("%s: giusto fuori dal ripasso, resta", quiz)
            << q << Segnali{7} << false << true << Segnali{7};
        QTest::addRow("%s: giusto nel ripasso, esce", quiz)
            << q << Segnali{7, 3, 9} << true << true << Segnali{3, 9};
        QTest::addRow("%s: sbagliato nel ripasso, resta", quiz)
            << q << Segnali{7, 3, 9} << true << false << Segnali{7, 3, 9};
    }
}

void TestRipasso::entraEdEsce()
{
    QFETCH(QString, quiz);
    QFETCH(Segnali, prima);
    QFETCH(bool, inRipasso);
    QFETCH(bool, giusta);
    QFETCH(Segnali, dopo);

    Ambiente a;
    riempi(a.stato.ripasso, prima);
    scegliCategoria(a.stato, inRipasso ? DaRipassare : Tutti);
    unaRisposta(a, quiz, inRipasso ? valore(1, int(prima.size())) : valore(7), giusta);
    QCOMPARE(contenuto(a.stato.ripasso), dopo);
    QCOMPARE(a.casuale.restanti(), 0);
    // The counters work as ever.
    QCOMPARE(a.stato.NumeroEsatti, qint16(giusta && quiz != QLatin1String("abbinamento")));
    QCOMPARE(a.stato.NumeroErrati, qint16(!giusta));
}

void TestRipasso::estrazioneInRipasso_data()
{
    QTest::addColumn<QString>("quiz");
    QTest::addColumn<Segnali>("insieme");
    QTest::addColumn<Valori>("valori");
    QTest::addColumn<Segnali>("mostrati"); // what each label, picture or slot shows

    // The asked sign is an index into the set; the other texts come from the whole
    // catalogue, again while one is the asked sign (repeats among them stay).
    QTest::newRow("definizione")
        << QStringLiteral("definizione") << Segnali{20, 50, 90}
        << Valori{0.0f, valore(2, 3), 0.0f, valore(50), valore(7), valore(7), 0.9999f, 0.0f,
                  valore(50), valore(2)}
        << Segnali{50, 7, 7, 144, 1, 2};
    // The asked sign first, then five others each different from every one before it; the
    // asked sign stands at the drawn position (4), the others fill the rest in order.
    QTest::newRow("riconoscimento")
        << QStringLiteral("riconoscimento") << Segnali{20, 50, 90}
        << Valori{0.0f, valore(3, 3), valore(90), valore(10), valore(10), valore(11), valore(12),
                  valore(13), valore(14), 0.5f}
        << Segnali{10, 11, 12, 90, 13, 14};
    // All three from the set, each again while it repeats one before it.
    QTest::newRow("abbinamento")
        << QStringLiteral("abbinamento") << Segnali{20, 50, 90, 100}
        << Valori{0.0f, valore(2, 4), valore(2, 4), valore(1, 4), valore(2, 4), valore(4, 4), 0.0f}
        << Segnali{50, 20, 100};
}

void TestRipasso::estrazioneInRipasso()
{
    QFETCH(QString, quiz);
    QFETCH(Segnali, insieme);
    QFETCH(Valori, valori);
    QFETCH(Segnali, mostrati);

    Ambiente a;
    riempi(a.stato.ripasso, insieme);
    scegliCategoria(a.stato, DaRipassare);
    QCOMPARE(a.stato.PrimoSegnale, qint16(1));
    QCOMPARE(a.stato.UltimoSegnale, qint16(144));
    for (float v : valori)
        a.casuale.aggiungi(v);

    Segnali visti;
    if (quiz == QLatin1String("definizione")) {
        Definizione d(a.contesto);
        const EsercizioDefinizione e = d.genera();
        QCOMPARE(e.posizione, 0);
        for (const QString &testo : e.testi)
            visti.append(QString(testo).remove(QStringLiteral("Segnale ")).toInt());
        QCOMPARE(a.stato.SegnaleCorrente, qint16(mostrati.first()));
    } else if (quiz == QLatin1String("riconoscimento")) {
        Riconoscimento r(a.contesto);
        const EsercizioRiconoscimento e = r.genera();
        for (qint16 s : e.segnali)
            visti.append(s);
        QCOMPARE(e.testo, QStringLiteral("   Segnale 90"));
        QCOMPARE(r.segnaleChiesto(), qint16(90));
    } else {
        Abbinamento ab;
        ab.genera(a.contesto);
        for (int k = 0; k < SlotAbbinamento; ++k)
            visti.append(ab.segnale(k));
    }
    QCOMPARE(visti, mostrati);
    QCOMPARE(a.casuale.restanti(), 0);
    QCOMPARE(a.casuale.fuoriCopione(), 0);
    QCOMPARE(contenuto(a.stato.ripasso), insieme); // drawing takes nothing out
}

void TestRipasso::fineDelRipasso_data()
{
    QTest::addColumn<bool>("inRipasso");
    QTest::addColumn<Segnali>("insieme");
    QTest::addColumn<int>("soglia");
    QTest::addColumn<bool>("finito");
    QTest::addColumn<bool>("avviso");

    QTest::newRow("vuoto nel ripasso") << true << Segnali{} << 1 << true << true;
    QTest::newRow("ancora uno") << true << Segnali{4} << 1 << false << false;
    // The matching quiz needs three: with two left it stops reviewing, with no box.
    QTest::newRow("abbinamento, due") << true << Segnali{4, 5} << 3 << true << false;
    QTest::newRow("abbinamento, tre") << true << Segnali{4, 5, 6} << 3 << false << false;
    QTest::newRow("vuoto fuori dal ripasso") << false << Segnali{} << 1 << false << false;
}

void TestRipasso::fineDelRipasso()
{
    QFETCH(bool, inRipasso);
    QFETCH(Segnali, insieme);
    QFETCH(int, soglia);
    QFETCH(bool, finito);
    QFETCH(bool, avviso);

    Ambiente a;
    riempi(a.stato.ripasso, insieme);
    scegliCategoria(a.stato, inRipasso ? DaRipassare : Pericolo);
    const qint16 ultimo = a.stato.UltimoSegnale;
    QCOMPARE(concludiRipasso(a.contesto, soglia), finito);
    QCOMPARE(a.stato.ripasso.attivo(), inRipasso && !finito);
    QCOMPARE(a.stato.UltimoSegnale, finito ? qint16(144) : ultimo);
    QCOMPARE(a.dialoghi.mostrati.size(), avviso ? 1 : 0);
    if (avviso)
        QCOMPARE(a.dialoghi.mostrati.first(),
                 qMakePair(QStringLiteral("Hai ripassato tutti i segnali sbagliati!"),
                           int(Dialoghi::Informazione)));
    QCOMPARE(contenuto(a.stato.ripasso), insieme);
}

QTEST_GUILESS_MAIN(TestRipasso)
#include "tst_ripasso.moc"
