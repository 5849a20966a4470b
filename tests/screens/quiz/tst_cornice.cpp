// The frame every quiz shares, on a stand-in quiz that records what the frame asks of it.
#include "app/Applicazione.h"
#include "app/Navigazione.h"
#include "logic/quiz/Categorie.h"
#include "screens/quiz/CorniceQuiz.h"
#include "screens/FormMenu.h"
#include "Ambiente.h"
#include "Finestre.h"

#include "logic/quiz/RegoleQuiz.h"
#include "widgets/Annuncio.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace cartavia;

namespace {
class QuizDiProva : public CorniceQuiz
{
public:
    QuizDiProva(Contesto &contesto, const AspettoCornice &aspetto = Cornici::sposta())
        : CorniceQuiz(contesto, aspetto), m_stato(contesto.stato)
    {
        connect(this, &CorniceQuiz::categoriaScelta, this, [this](const QString &voce) { voci.append(voce); });
        collegaRegole(&regole, [this](bool giusta) { verdetti.append(giusta); });
    }
    void apri() { apriQuiz(); }
    void GeneraEsercizio() override
    {
        esercizi.append({m_stato.PrimoSegnale, m_stato.UltimoSegnale});
    }

    QList<QPair<int, int>> esercizi; // the range each exercise was built from
    QStringList voci;
    RegoleQuiz regole;     // what the rules would tell
    QList<bool> verdetti;  // what the quiz's own part was told

private:
    Stato &m_stato;
};

QStringList spuntate(const CorniceQuiz &quiz)
{
    QStringList nomi;
    for (int i = Tutti; i < DaRipassare; ++i)
        if (QAction *voce = voceCategoria(quiz, i); voce->isChecked())
            nomi.append(voce->objectName());
    return nomi;
}
}

class TestCornice : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { chiudiTutto(); }
    void apertura();
    void categorie_data();
    void categorie();
    void stessaCategoriaDiNuovo();
    void barraDeiMenu_data();
    void barraDeiMenu();
    void azzera();
    void eserciziEseguiti_data();
    void eserciziEseguiti();
    void esci_data();
    void esci();
    void chiusuraDallaCornice();
};

void TestCornice::apertura()
{
    Ambiente a;
    a.stato.NumeroEsatti = 5;
    a.stato.NumeroErrati = 3;
    a.stato.PrimoSegnale = 82;
    a.stato.UltimoSegnale = 89;
    QuizDiProva quiz(a.contesto, Cornici::trova());
    quiz.apri();
    QCOMPARE(quiz.esercizi, (QList<QPair<int, int>>{{1, 144}}));
    QCOMPARE(spuntate(quiz), QStringList{QStringLiteral("mnuTutti")});
    QCOMPARE(quiz.voci, QStringList{QStringLiteral("tutti i segnali")});
    QCOMPARE(a.stato.NumeroEsatti, qint16(0));
    QCOMPARE(a.stato.NumeroErrati, qint16(0));
    QCOMPARE(controllo<QLabel>(quiz, "EtichettaEsatti")->text(), QStringLiteral(" 0"));
    QCOMPARE(controllo<QLabel>(quiz, "EtichettaErrati")->text(), QStringLiteral(" 0"));
}

void TestCornice::categorie_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("voceTrova");
    QTest::addColumn<int>("primo");
    QTest::addColumn<int>("ultimo");
    QTest::newRow("tutti") << 0 << "mnuTutti" << "tutti i segnali" << 1 << 144;
    QTest::newRow("pericolo") << 1 << "mnuPericolo" << "segnali di pericolo" << 1 << 38;
    QTest::newRow("precedenza") << 2 << "mnuPrecedenza" << "segnali di precedenza" << 39 << 52;
    QTest::newRow("divieto") << 3 << "mnudivieto" << "Segnali di divieto" << 53 << 81;
    QTest::newRow("sosta") << 4 << "mnuSosta" << "segnali di fermata, sosta e parcheggio" << 82 << 89;
    QTest::newRow("obbligo") << 5 << "mnuobbligo" << "segnali di obbligo" << 90 << 117;
    QTest::newRow("indicazione") << 6 << "mnuindicazione" << "segnali di indicazione" << 118 << 144;
}

void TestCornice::categorie()
{
    QFETCH(int, indice);
    QFETCH(QString, nome);
    QFETCH(QString, voceTrova);
    QFETCH(int, primo);
    QFETCH(int, ultimo);

    Ambiente a;
    QuizDiProva quiz(a.contesto, Cornici::trova());
    quiz.apri();
    a.stato.NumeroEsatti = 2;
    a.stato.NumeroErrati = 7;
    voceCategoria(quiz, indice)->trigger();

    QCOMPARE(spuntate(quiz), QStringList{nome});
    QCOMPARE(quiz.esercizi.last(), qMakePair(primo, ultimo));
    QCOMPARE(quiz.esercizi.size(), 2);
    QCOMPARE(quiz.voci.last(), voceTrova);
    QCOMPARE(a.stato.PrimoSegnale, qint16(primo));
    QCOMPARE(a.stato.UltimoSegnale, qint16(ultimo));
    // Changing category abandons the exercise without counting anything.
    QCOMPARE(a.stato.NumeroEsatti, qint16(2));
    QCOMPARE(a.stato.NumeroErrati, qint16(7));
}

void TestCornice::stessaCategoriaDiNuovo()
{
    Ambiente a;
    QuizDiProva quiz(a.contesto);
    quiz.apri();
    voceCategoria(quiz, Pericolo)->trigger();
    voceCategoria(quiz, Pericolo)->trigger(); // a checkable item toggles itself first
    QCOMPARE(spuntate(quiz), QStringList{QStringLiteral("mnuPericolo")});
    QCOMPARE(quiz.esercizi.size(), 3);
}

void TestCornice::barraDeiMenu_data()
{
    QTest::addColumn<int>("schermo");
    QTest::addColumn<QStringList>("voci");
    QTest::addColumn<QString>("menuScelta");
    QTest::addColumn<QString>("voceSosta");
    const QString scegli = QStringLiteral("Scegli i segnali          ");
    QTest::newRow("abbinamento") << 0
        << QStringList{QStringLiteral("Azzera conteggio          "),
                       QStringLiteral("Esercizi eseguiti           "), scegli, QStringLiteral("Esci")}
        << "mnuscegli" << "segnali di fermata, di sosta e parcheggio";
    QTest::newRow("definizione") << 1
        << QStringList{QStringLiteral("Azzera conteggio          "), scegli, QStringLiteral("Esci")}
        << "mnuscelta" << "segnali di fermata, sosta e parcheggio";
    QTest::newRow("riconoscimento") << 2
        << QStringList{QStringLiteral("Azzera conteggio           "), scegli, QStringLiteral("Esci")}
        << "mnuscelta" << "segnali di fermata, sosta e parcheggio";
}

void TestCornice::barraDeiMenu()
{
    QFETCH(int, schermo);
    QFETCH(QStringList, voci);
    QFETCH(QString, menuScelta);
    QFETCH(QString, voceSosta);

    const AspettoCornice aspetti[] = {Cornici::sposta(), Cornici::trova(), Cornici::disegni()};
    Ambiente a;
    QuizDiProva quiz(a.contesto, aspetti[schermo]);
    QStringList testi;
    for (QAction *voce : quiz.menuBar()->actions())
        testi.append(voce->text());
    QCOMPARE(testi, voci);
    QMenu *scelta = controllo<QMenu>(quiz, menuScelta); // named as this window's layout names it
    // The seven categories, a separator, then the missed signs.
    QCOMPARE(scelta->actions().size(), 9);
    QVERIFY(scelta->actions().at(7)->isSeparator());
    QCOMPARE(scelta->actions().at(8), controllo<QAction>(quiz, "mnuRipasso"));
    QCOMPARE(voceCategoria(quiz, Sosta)->text(), voceSosta);
    QCOMPARE(spuntate(quiz), QStringList{QStringLiteral("mnuTutti")});
}

void TestCornice::azzera()
{
    Ambiente a;
    QuizDiProva quiz(a.contesto, Cornici::trova());
    quiz.apri();
    a.stato.NumeroEsatti = 4;
    a.stato.NumeroErrati = 32767;
    emit quiz.regole.contatoriCambiati(4, 32767);
    QCOMPARE(controllo<QLabel>(quiz, "EtichettaErrati")->text(), QStringLiteral(" 32767"));
    emit quiz.regole.rispostaData(true);
    QCOMPARE(quiz.verdetti, QList<bool>{true});
    QVERIFY(!controllo(quiz, "ComandoIconaSi")->isHidden());
    QVERIFY(controllo(quiz, "ComandoIconaNo")->isHidden());
    QCOMPARE(controllo<Annuncio>(quiz, "annuncio")->testo(),
             QStringLiteral("Risposta giusta. Esatti 4, errati 32767"));
    controllo<QAction>(quiz, "mnuAzzera")->trigger();
    QCOMPARE(a.stato.NumeroEsatti, qint16(0));
    QCOMPARE(a.stato.NumeroErrati, qint16(0));
    QCOMPARE(controllo<QLabel>(quiz, "EtichettaEsatti")->text(), QStringLiteral(" 0"));
    QCOMPARE(controllo<QLabel>(quiz, "EtichettaErrati")->text(), QStringLiteral(" 0"));
    QCOMPARE(quiz.esercizi.size(), 1); // the exercise stays
}

void TestCornice::eserciziEseguiti_data()
{
    QTest::addColumn<int>("esatti");
    QTest::addColumn<int>("errati");
    QTest::addColumn<QString>("testo");
    QTest::newRow("3 e 1") << 3 << 1 << "hai eseguito  3 esercizi esatti con  1 errori";
    QTest::newRow("azzerati") << 0 << 0 << "hai eseguito  0 esercizi esatti con  0 errori";
    QTest::newRow("massimo") << 32767 << 12 << "hai eseguito  32767 esercizi esatti con  12 errori";
}

void TestCornice::eserciziEseguiti()
{
    QFETCH(int, esatti);
    QFETCH(int, errati);
    QFETCH(QString, testo);
    Ambiente a;
    QuizDiProva quiz(a.contesto);
    a.stato.NumeroEsatti = qint16(esatti);
    a.stato.NumeroErrati = qint16(errati);
    controllo<QAction>(quiz, "mnuEserEseg")->trigger();
    QCOMPARE(a.dialoghi.mostrati, (QList<QPair<QString, int>>{{testo, 0}}));
}

void TestCornice::esci_data()
{
    QTest::addColumn<int>("risposta");
    QTest::newRow("No") << int(Dialoghi::No);
    QTest::newRow("Sì") << int(Dialoghi::Si);
}

void TestCornice::esci()
{
    QFETCH(int, risposta);
    Ambiente a;
    auto *quiz = passaA<QuizDiProva>(nullptr, a.contesto);
    quiz->apri();
    QPointer<QuizDiProva> guardia(quiz);
    a.dialoghi.rispondi(risposta);
    controllo<QAction>(*quiz, "mnuEsci")->trigger();
    QCOMPARE(a.dialoghi.mostrati.first().first, QStringLiteral("Vuoi tornare al menù?"));

    const QList<QWidget *> aperte = finestreAperte();
    QCOMPARE(aperte.size(), 1);
    if (risposta == Dialoghi::Si) {
        QVERIFY(qobject_cast<FormMenu *>(aperte.first()));
        QVERIFY(guardia.isNull());
    } else {
        QCOMPARE(aperte.first(), quiz);
        QCOMPARE(quiz->esercizi.size(), 1);
    }
    QVERIFY(!a.codiceUscita);
}

void TestCornice::chiusuraDallaCornice()
{
    Ambiente a;
    auto *quiz = passaA<QuizDiProva>(nullptr, a.contesto);
    quiz->apri();
    a.dialoghi.rispondi(Dialoghi::No);
    QVERIFY(!quiz->close());
    QCOMPARE(finestreAperte(), QList<QWidget *>{quiz});
    a.dialoghi.rispondi(Dialoghi::Si);
    quiz->close();
    const QList<QWidget *> aperte = finestreAperte();
    QCOMPARE(aperte.size(), 1);
    QVERIFY(qobject_cast<FormMenu *>(aperte.first()));
}

int main(int argc, char *argv[])
{
    Applicazione app(argc, argv);
    TestCornice test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_cornice.moc"
