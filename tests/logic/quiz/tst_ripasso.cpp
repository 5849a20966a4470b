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

// One exercise of `quiz` whose asked sign is drawn by `primo`, answered as `risposte` tells,
// right or wrong, one try after the other. The other draws keep clear of the signs the cases use.
void unEsercizio(Ambiente &a, const QString &quiz, float primo, const QList<bool> &risposte)
{
    a.casuale.aggiungi({0.0f, primo});
    if (quiz == QLatin1String("definizione")) {
        a.casuale.aggiungi({0.0f, 0.9f, 0.91f, 0.92f, 0.93f, 0.94f});
        Definizione d(a.contesto);
        d.genera();
        for (bool giusta : risposte)
            d.rispondi(giusta ? a.stato.segnale(a.stato.SegnaleCorrente) : QStringLiteral("altro"));
    } else if (quiz == QLatin1String("riconoscimento")) {
        a.casuale.aggiungi({0.9f, 0.91f, 0.92f, 0.93f, 0.94f, 0.0f}); // asked at position 1
        Riconoscimento r(a.contesto);
        r.genera();
        for (bool giusta : risposte)
            r.rispondi(giusta ? 0 : 1);
    } else {
        // The other two, from the catalogue or from what the set still holds.
        a.casuale.aggiungi({0.9f, 0.95f, 0.0f});
        Abbinamento ab(a.contesto);
        ab.genera();
        for (bool giusta : risposte)
            ab.rilascia(giusta ? 0 : 1, 0); // the definition of slot 0
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
    QTest::addColumn<QList<bool>>("risposte");
    QTest::addColumn<Segnali>("dopo");

    // Outside a review the asked sign is 7; in a review, the first of the set.
    const QList<bool> giusta{true}, sbagliata{false}, sbagliataPoiGiusta{false, true};
    for (const char *quiz : {"definizione", "riconoscimento", "abbinamento"}) {
        const QString q = QLatin1String(quiz);
        QTest::addRow("%s: sbagliato, entra", quiz) << q << Segnali{} << false << sbagliata << Segnali{7};
        QTest::addRow("%s: sbagliato di nuovo, una volta sola", quiz)
            << q << Segnali{3, 7} << false << sbagliata << Segnali{3, 7};
        QTest::addRow("%s: giusto fuori dal ripasso, resta", quiz)
            << q << Segnali{7} << false << giusta << Segnali{7};
        QTest::addRow("%s: giusto al primo tentativo nel ripasso, esce", quiz)
            << q << Segnali{7, 3, 9} << true << giusta << Segnali{3, 9};
        QTest::addRow("%s: sbagliato nel ripasso, resta", quiz)
            << q << Segnali{7, 3, 9} << true << sbagliata << Segnali{7, 3, 9};
        // Found only after a wrong try: the sign stays to be reviewed again.
        QTest::addRow("%s: sbagliato poi giusto nel ripasso, resta", quiz)
            << q << Segnali{7, 3, 9} << true << sbagliataPoiGiusta << Segnali{7, 3, 9};
        QTest::addRow("%s: sbagliato poi giusto fuori dal ripasso, entra", quiz)
            << q << Segnali{} << false << sbagliataPoiGiusta << Segnali{7};
    }
}

void TestRipasso::entraEdEsce()
{
    QFETCH(QString, quiz);
    QFETCH(Segnali, prima);
    QFETCH(bool, inRipasso);
    QFETCH(QList<bool>, risposte);
    QFETCH(Segnali, dopo);

    Ambiente a;
    riempi(a.stato.ripasso, prima);
    scegliCategoria(a.stato, inRipasso ? DaRipassare : Tutti);
    unEsercizio(a, quiz, inRipasso ? valore(1, int(prima.size())) : valore(7), risposte);
    QCOMPARE(contenuto(a.stato.ripasso), dopo);
    QCOMPARE(a.casuale.restanti(), 0);
    // The counters work as ever.
    QCOMPARE(a.stato.NumeroEsatti, qint16(risposte.last() && quiz != QLatin1String("abbinamento")));
    QCOMPARE(a.stato.NumeroErrati, qint16(risposte.count(false)));
}

void TestRipasso::estrazioneInRipasso_data()
{
    QTest::addColumn<QString>("quiz");
    QTest::addColumn<Segnali>("insieme");
    QTest::addColumn<Valori>("valori");
    QTest::addColumn<Segnali>("mostrati"); // what each label, picture or slot shows

    // Sign 100 reads as sign 20 (see below). The asked sign is an index into the set, and so
    // is every other sign while the set holds one not shown yet; then the whole catalogue
    // fills in. Each draw is an index into the signs still free: no sign, and no text, twice.
    QTest::newRow("definizione")
        << QStringLiteral("definizione") << Segnali{20, 50, 90}
        << Valori{0.0f, valore(2, 3), 0.0f, valore(2, 2), 0.0f, 0.0f, 0.9999f, (95.5f / 138)}
        << Segnali{50, 90, 20, 1, 144, 101};
    // The asked sign stands at the drawn position (4), the others fill the rest in order.
    QTest::newRow("riconoscimento")
        << QStringLiteral("riconoscimento") << Segnali{20, 50, 90}
        << Valori{0.0f, valore(3, 3), 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.5f}
        << Segnali{20, 50, 1, 90, 2, 3};
    QTest::newRow("abbinamento")
        << QStringLiteral("abbinamento") << Segnali{20, 50, 90, 100}
        << Valori{0.0f, valore(2, 4), 0.0f, 0.9999f, 0.0f}
        << Segnali{50, 20, 90};
    QTest::newRow("abbinamento, uno solo")
        << QStringLiteral("abbinamento") << Segnali{20}
        << Valori{0.0f, 0.0f, 0.0f, 0.0f, 0.0f}
        << Segnali{20, 1, 2};
}

void TestRipasso::estrazioneInRipasso()
{
    QFETCH(QString, quiz);
    QFETCH(Segnali, insieme);
    QFETCH(Valori, valori);
    QFETCH(Segnali, mostrati);

    Ambiente a;
    a.stato.ListaSegnali[100] = a.stato.segnale(20);
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
        Abbinamento ab(a.contesto);
        ab.genera();
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
    QTest::addColumn<bool>("finito");

    // Only an empty set ends a review, whatever the quiz: one left is enough for any of them.
    QTest::newRow("vuoto nel ripasso") << true << Segnali{} << true;
    QTest::newRow("ancora uno") << true << Segnali{4} << false;
    QTest::newRow("ancora due") << true << Segnali{4, 5} << false;
    QTest::newRow("vuoto fuori dal ripasso") << false << Segnali{} << false;
}

void TestRipasso::fineDelRipasso()
{
    QFETCH(bool, inRipasso);
    QFETCH(Segnali, insieme);
    QFETCH(bool, finito);

    Ambiente a;
    riempi(a.stato.ripasso, insieme);
    scegliCategoria(a.stato, inRipasso ? DaRipassare : Pericolo);
    const qint16 ultimo = a.stato.UltimoSegnale;
    QCOMPARE(concludiRipasso(a.contesto), finito);
    QCOMPARE(a.stato.ripasso.attivo(), inRipasso && !finito);
    QCOMPARE(a.stato.UltimoSegnale, finito ? qint16(144) : ultimo);
    QCOMPARE(a.dialoghi.mostrati.size(), finito ? 1 : 0);
    if (finito)
        QCOMPARE(a.dialoghi.mostrati.first(),
                 qMakePair(QStringLiteral("Hai ripassato tutti i segnali sbagliati!"),
                           int(Dialoghi::Informazione)));
    QCOMPARE(contenuto(a.stato.ripasso), insieme);
}

QTEST_GUILESS_MAIN(TestRipasso)
#include "tst_ripasso.moc"
