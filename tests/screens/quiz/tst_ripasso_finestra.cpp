// "segnali da ripassare" in the quiz windows: the eighth item, when it can be chosen, its
// check mark, Label4, and the end of a review.
#include "Ambiente.h"
#include "Finestre.h"

#include "logic/quiz/Categorie.h"
#include "screens/quiz/definizione/formTrova.h"
#include "screens/quiz/abbinamento/FormSposta.h"
#include "screens/quiz/riconoscimento/formDisegni.h"
#include "widgets/Immagine.h"
#include "widgets/PulsanteGrafico.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>
#include <memory>

using namespace cartavia;

namespace {
QStringList spuntate(const CorniceQuiz &quiz)
{
    QStringList nomi;
    for (QAction *voce : quiz.menuBar()->findChild<QMenu *>()->actions())
        if (voce->isChecked())
            nomi.append(voce->objectName());
    return nomi;
}

std::unique_ptr<CorniceQuiz> apri(Ambiente &a, int schermo)
{
    std::unique_ptr<CorniceQuiz> quiz;
    if (schermo == 0)
        quiz = std::make_unique<FormSposta>(a.contesto);
    else if (schermo == 1)
        quiz = std::make_unique<formTrova>(a.contesto);
    else
        quiz = std::make_unique<formDisegni>(a.contesto);
    quiz->show();
    return quiz;
}
}

class TestFinestraRipasso : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { chiudiTutto(); }
    void soglia_data();
    void soglia();
    void ripassoNelRiconoscimento();
    void sbagliataNellAbbinamento();
    void ripassoNellAbbinamento();
};

void TestFinestraRipasso::soglia_data()
{
    QTest::addColumn<int>("schermo");
    QTest::addColumn<int>("sbagliati");
    QTest::addColumn<bool>("abilitata");

    const char *nomi[] = {"abbinamento", "definizione", "riconoscimento"};
    for (int schermo = 0; schermo < 3; ++schermo)
        for (int n = 0; n <= 2; ++n)
            QTest::addRow("%s, %d", nomi[schermo], n) << schermo << n << (n >= 1);
}

void TestFinestraRipasso::soglia()
{
    QFETCH(int, schermo);
    QFETCH(int, sbagliati);
    QFETCH(bool, abilitata);

    Ambiente a;
    for (int n = 1; n <= sbagliati; ++n)
        a.stato.ripasso.sbagliato(qint16(10 * n));
    auto quiz = apri(a, schermo);
    QCOMPARE(controllo<QAction>(*quiz, "mnuRipasso")->text(), QStringLiteral("segnali da ripassare (%1)").arg(sbagliati));
    QCOMPARE(controllo<QAction>(*quiz, "mnuRipasso")->isEnabled(), abilitata);
    QCOMPARE(spuntate(*quiz), QStringList{QStringLiteral("mnuTutti")});
    if (!abilitata)
        return;

    // Chosen, it carries the only check mark and the asked signs come from the set.
    controllo<QAction>(*quiz, "mnuRipasso")->trigger();
    QCOMPARE(spuntate(*quiz), QStringList{QStringLiteral("mnuRipasso")});
    QVERIFY(a.stato.ripasso.attivo());
    if (qobject_cast<formTrova *>(quiz.get()))
        QVERIFY(a.stato.ripasso.contiene(a.stato.SegnaleCorrente));
    // Another category takes the check mark back, and the draws leave the set.
    voceCategoria(*quiz, Pericolo)->trigger();
    QCOMPARE(spuntate(*quiz), QStringList{QStringLiteral("mnuPericolo")});
    QVERIFY(!a.stato.ripasso.attivo());
}

void TestFinestraRipasso::ripassoNelRiconoscimento()
{
    Ambiente a;
    auto quiz = apri(a, 2);
    auto *f = static_cast<formDisegni *>(quiz.get());
    QVERIFY(!controllo<QAction>(*f, "mnuRipasso")->isEnabled());

    // A wrong picture: the asked sign enters, and the item says so at once.
    const int giusta = posizioneGiusta(*f) - 1;
    const QString chiesto = controllo<QLabel>(*f, "testo")->text();
    clic(controllo<Immagine>(*f, "Image1", (giusta + 1) % 6));
    QCOMPARE(a.stato.ripasso.dimensione(), 1);
    QCOMPARE(controllo<QAction>(*f, "mnuRipasso")->text(), QStringLiteral("segnali da ripassare (1)"));
    QVERIFY(controllo<QAction>(*f, "mnuRipasso")->isEnabled());

    controllo<QAction>(*f, "mnuRipasso")->trigger();
    QCOMPARE(controllo<QLabel>(*f, "Label4")->text(), QStringLiteral("selezionati segnali da ripassare"));
    QCOMPARE(controllo<QLabel>(*f, "testo")->text(), chiesto);
    QVERIFY(a.dialoghi.mostrati.isEmpty());

    // Right: the set empties, the box says so, the quiz is back on "tutti i segnali".
    clic(controllo<Immagine>(*f, "Image1", posizioneGiusta(*f) - 1));
    QCOMPARE(a.dialoghi.mostrati.size(), 1);
    QCOMPARE(a.dialoghi.mostrati.first().first,
             QStringLiteral("Hai ripassato tutti i segnali sbagliati!"));
    QCOMPARE(spuntate(*f), QStringList{QStringLiteral("mnuTutti")});
    QCOMPARE(controllo<QLabel>(*f, "Label4")->text(), QStringLiteral("selezionati tutti i segnali"));
    QCOMPARE(controllo<QAction>(*f, "mnuRipasso")->text(), QStringLiteral("segnali da ripassare (0)"));
    QVERIFY(!controllo<QAction>(*f, "mnuRipasso")->isEnabled());
    QVERIFY(!a.stato.ripasso.attivo());
    // The answered exercise stays until "avanti", which draws from the whole catalogue.
    QVERIFY(controllo<PulsanteGrafico>(*f, "Command1")->isEnabled());
    QCOMPARE(int(a.stato.NumeroEsatti), 1);
    QCOMPARE(int(a.stato.NumeroErrati), 1);
    const int prima = a.casuale.estratti();
    clic(controllo<PulsanteGrafico>(*f, "Command1"));
    QVERIFY(a.casuale.estratti() >= prima + 8);
    QCOMPARE(a.dialoghi.mostrati.size(), 1);
}

void TestFinestraRipasso::sbagliataNellAbbinamento()
{
    Ambiente a;
    auto quiz = apri(a, 0);
    auto *f = static_cast<FormSposta *>(quiz.get());
    // The definition of slot 0 on the box of slot 2, then of slot 1 on box 0: both signs
    // enter, and the item can be chosen.
    auto segnale = [&](int slot) {
        return qint16(controllo<QLabel>(*f, "Label1", slot)->text().remove(QStringLiteral("Segnale ")).toInt());
    };
    QVERIFY(rilasciaDefinizione(*f, 2, 0));
    QVERIFY(rilasciaDefinizione(*f, 0, 1));
    QCOMPARE(a.stato.ripasso.segnali(), (QList<qint16>{segnale(0), segnale(1)}));
    QCOMPARE(controllo<QAction>(*f, "mnuRipasso")->text(), QStringLiteral("segnali da ripassare (2)"));
    QVERIFY(controllo<QAction>(*f, "mnuRipasso")->isEnabled());
    QCOMPARE(int(a.stato.NumeroErrati), 2);
}

void TestFinestraRipasso::ripassoNellAbbinamento()
{
    Ambiente a;
    for (qint16 s : {20, 50})
        a.stato.ripasso.sbagliato(s);
    auto quiz = apri(a, 0);
    auto *f = static_cast<FormSposta *>(quiz.get());
    // Two missed signs are enough: the exercise shows 20, 50 and sign 1 of the catalogue.
    a.casuale.aggiungi({0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    controllo<QAction>(*f, "mnuRipasso")->trigger();
    QCOMPARE(controllo<QLabel>(*f, "Label1", 2)->text(), QStringLiteral("Segnale 1"));

    // Each sign leaves as its definition is placed; the set runs out with one definition
    // still to place, and the review goes on to the end of the exercise.
    for (int k = 0; k < 2; ++k) {
        QVERIFY(rilasciaDefinizione(*f, k, k));
        QCOMPARE(a.stato.ripasso.dimensione(), 1 - k);
        QCOMPARE(spuntate(*f), QStringList{QStringLiteral("mnuRipasso")});
        QVERIFY(a.dialoghi.mostrati.isEmpty());
    }
    QVERIFY(rilasciaDefinizione(*f, 2, 2));
    QCOMPARE(a.dialoghi.mostrati.size(), 1);
    QCOMPARE(a.dialoghi.mostrati.first().first, QStringLiteral("Hai ripassato tutti i segnali sbagliati!"));
    QCOMPARE(spuntate(*f), QStringList{QStringLiteral("mnuTutti")});
}

QTEST_MAIN(TestFinestraRipasso)
#include "tst_ripasso_finestra.moc"
