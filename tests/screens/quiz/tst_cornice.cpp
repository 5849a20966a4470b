// The frame every quiz shares: on a stand-in quiz that records what the frame asks of it, then
// the same promises kept by the real quiz windows.
#include "app/Applicazione.h"
#include "app/Navigazione.h"
#include "logic/quiz/Categorie.h"
#include "screens/quiz/CorniceQuiz.h"
#include "screens/quiz/definizione/formTrova.h"
#include "screens/quiz/riconoscimento/formDisegni.h"
#include "screens/FormMenu.h"
#include "Ambiente.h"
#include "Finestre.h"

#include "logic/quiz/RegoleQuiz.h"
#include "widgets/Annuncio.h"
#include "widgets/Aspetto.h"
#include "widgets/Etichetta.h"
#include "widgets/Immagine.h"
#include "widgets/PulsanteGrafico.h"

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
        : CorniceQuiz(contesto, aspetto), regole(contesto), m_stato(contesto.stato)
    {
        connect(this, &CorniceQuiz::categoriaScelta, this, [this](const QString &voce) { voci.append(voce); });
        collegaRegole(&regole, [this](bool giusta) { verdetti.append(giusta); });
    }
    void apri() { apriQuiz(); }
    void attendiRisposta() override {}
    void NuovoEsercizio() override
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
// A real quiz window as the table rows drive it. `segnale73` scripts an exercise whose right
// answer is sign 73; `giusta`/`sbagliata` answer it as the pupil does; `risolto` checks that the
// exercise answered with `giusta` is still on screen, untouched.
struct FinestraQuiz
{
    const char *pulsanteMenu; // the menu button that opens it
    const char *classe;
    void (*segnale73)(Ambiente &);
    CorniceQuiz *(*crea)(Contesto &);
    void (*giusta)(CorniceQuiz &);
    void (*sbagliata)(CorniceQuiz &);
    void (*aperto73)(CorniceQuiz &, const Stato &); // the sign-73 exercise from the whole catalogue
    void (*risolto)(CorniceQuiz &);
};

QStringList testiDefinizione(const CorniceQuiz &f)
{
    QStringList t;
    for (const Etichetta *l : controlli<Etichetta>(f, "Label1", 6))
        t.append(l->text());
    return t;
}

// Definition: sign 73 at position 2, the others read 1, 15, 37, 109, 144.
// Recognition: the signs 1, 15, 37, 73, 109, 144, the right one at position 4.
const FinestraQuiz FinestreQuiz[] = {
    {"Command1", "cartavia::formTrova",
     [](Ambiente &a) { a.casuale.aggiungi({0.0f, 0.5f, 0.4f, 0.0f, 0.1f, 0.25f, 0.75f, 0.999f}); },
     [](Contesto &c) -> CorniceQuiz * { return new formTrova(c); },
     [](CorniceQuiz &f) { clic(controllo<Etichetta>(f, "Label1", 2)); },
     [](CorniceQuiz &f) { clic(controllo<Etichetta>(f, "Label1", 0)); },
     [](CorniceQuiz &f, const Stato &stato) {
         QCOMPARE(int(stato.SegnaleCorrente), 73);
         QVERIFY(controllo<Immagine>(f, "Image1")->file().endsWith(QStringLiteral("/jpg/73.jpg")));
     },
     [](CorniceQuiz &f) {
         QCOMPARE(testiDefinizione(f), (QStringList{CartellaProgramma::testo(1), CartellaProgramma::testo(15),
                                                     CartellaProgramma::testo(73), CartellaProgramma::testo(37),
                                                     CartellaProgramma::testo(109), CartellaProgramma::testo(144)}));
         for (int i = 0; i < 6; ++i) {
             QVERIFY(!controllo<Etichetta>(f, "Label1", i)->isEnabled());
             QCOMPARE(sfondo(controllo<Etichetta>(f, "Label1", i)) == ColoreRosso, i == 2);
         }
     }},
    {"Command3D1", "cartavia::formDisegni",
     [](Ambiente &a) { a.casuale.aggiungi({0.0f, 0.0f, 0.1f, 0.25f, 0.5f, 0.75f, 0.999f, 0.5f}); },
     [](Contesto &c) -> CorniceQuiz * { return new formDisegni(c); },
     [](CorniceQuiz &f) { clic(controllo<Immagine>(f, "Image1", 3)); },
     [](CorniceQuiz &f) { clic(controllo<Immagine>(f, "Image1", 0)); },
     [](CorniceQuiz &f, const Stato &) {
         QCOMPARE(controllo<QLabel>(f, "testo")->text(), QStringLiteral("   Segnale 73"));
         QCOMPARE(controllo<QLabel>(f, "Label4")->text(), QStringLiteral("selezionati tutti i segnali"));
     },
     [](CorniceQuiz &f) {
         QCOMPARE(controllo<QLabel>(f, "testo")->text(), QStringLiteral("   Segnale 73"));
         QCOMPARE(posizioneGiusta(f), 4);
         QVERIFY(controllo<CorniceRisposta>(f, "Shape1")->isVisible());
     }},
    // The matching quiz, only for the rows that need no exercise of it.
    {"Command2", "cartavia::FormSposta", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
};

void righeFinestre()
{
    QTest::addColumn<int>("schermo");
    QTest::newRow("definizione") << 0;
    QTest::newRow("riconoscimento") << 1;
}

// The window of row `schermo`, shown on its sign-73 exercise; it deletes itself when closed.
CorniceQuiz *apriFinestra(Ambiente &a, const FinestraQuiz &q)
{
    q.segnale73(a);
    CorniceQuiz *f = q.crea(a.contesto);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->show();
    return f;
}

QString contatore(const CorniceQuiz &f, const char *nome)
{
    return controllo<QLabel>(f, nome)->text();
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
    void finestraAperturaDopoUnAltroQuiz_data() { righeFinestre(); }
    void finestraAperturaDopoUnAltroQuiz();
    void finestraAzzeraConteggio_data() { righeFinestre(); }
    void finestraAzzeraConteggio();
    void finestraContatoriAlLimite_data() { righeFinestre(); }
    void finestraContatoriAlLimite();
    void finestraEsci_data();
    void finestraEsci();
    void finestraApertaDalMenu_data();
    void finestraApertaDalMenu();
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
    QTest::newRow("abbinamento") << 0;
    QTest::newRow("definizione") << 1;
    QTest::newRow("riconoscimento") << 2;
}

// The bar and the categories as the window's own table (Cornici) writes them, in order.
void TestCornice::barraDeiMenu()
{
    QFETCH(int, schermo);
    const AspettoCornice aspetto = std::array{Cornici::sposta(), Cornici::trova(), Cornici::disegni()}[schermo];
    Ambiente a;
    QuizDiProva quiz(a.contesto, aspetto);
    QStringList testi;
    for (QAction *voce : quiz.menuBar()->actions())
        testi.append(voce->text());
    QStringList voci{aspetto.azzera};
    if (aspetto.eserciziEseguiti)
        voci.append(QStringLiteral("Esercizi eseguiti           "));
    voci << QStringLiteral("Scegli i segnali          ") << QStringLiteral("Esci");
    QCOMPARE(testi, voci);
    QMenu *scelta = controllo<QMenu>(quiz, aspetto.nomeMenuScelta);
    // The seven categories, a separator, then the missed signs.
    QCOMPARE(scelta->actions().size(), 9);
    for (int k = 0; k < 7; ++k)
        QCOMPARE(scelta->actions().at(k)->text(), aspetto.voci[k]);
    QVERIFY(scelta->actions().at(7)->isSeparator());
    QCOMPARE(scelta->actions().at(8), controllo<QAction>(quiz, "mnuRipasso"));
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
        QVERIFY(!guardia.isNull()); // before anything reads the window
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

void TestCornice::finestraAperturaDopoUnAltroQuiz()
{
    QFETCH(int, schermo);
    const FinestraQuiz &q = FinestreQuiz[schermo];
    Ambiente a;
    a.stato.NumeroEsatti = 12;
    a.stato.NumeroErrati = 7;
    a.stato.PrimoSegnale = 82;
    a.stato.UltimoSegnale = 89;
    CorniceQuiz *f = apriFinestra(a, q);

    QCOMPARE(int(a.stato.NumeroEsatti), 0);
    QCOMPARE(int(a.stato.NumeroErrati), 0);
    QCOMPARE(contatore(*f, "EtichettaEsatti"), QStringLiteral(" 0"));
    QCOMPARE(contatore(*f, "EtichettaErrati"), QStringLiteral(" 0"));
    QCOMPARE(int(a.stato.PrimoSegnale), 1);
    QCOMPARE(int(a.stato.UltimoSegnale), 144);
    q.aperto73(*f, a.stato); // drawn from 1..144, not 82..89
    QCOMPARE(spuntate(*f), QStringList{QStringLiteral("mnuTutti")});
    QCOMPARE(a.casuale.estratti(), 8);
    QCOMPARE(a.casuale.fuoriCopione(), 0);
}

void TestCornice::finestraAzzeraConteggio()
{
    QFETCH(int, schermo);
    const FinestraQuiz &q = FinestreQuiz[schermo];
    Ambiente a;
    CorniceQuiz *f = apriFinestra(a, q);
    q.sbagliata(*f);
    q.giusta(*f);
    QCOMPARE(contatore(*f, "EtichettaErrati"), QStringLiteral(" 1"));
    const int estratti = a.casuale.estratti();
    controllo<QAction>(*f, "mnuAzzera")->trigger();
    QCOMPARE(contatore(*f, "EtichettaEsatti"), QStringLiteral(" 0"));
    QCOMPARE(contatore(*f, "EtichettaErrati"), QStringLiteral(" 0"));
    QCOMPARE(int(a.stato.NumeroEsatti), 0);
    QCOMPARE(int(a.stato.NumeroErrati), 0);
    // the exercise stays, still answered
    QCOMPARE(a.casuale.estratti(), estratti);
    QVERIFY(controllo<PulsanteGrafico>(*f, "Command1")->isEnabled());
    q.risolto(*f);
}

void TestCornice::finestraContatoriAlLimite()
{
    QFETCH(int, schermo);
    const FinestraQuiz &q = FinestreQuiz[schermo];
    Ambiente a;
    CorniceQuiz *f = apriFinestra(a, q);
    a.stato.NumeroErrati = 32767;
    a.stato.NumeroEsatti = 32766;
    q.sbagliata(*f);
    QCOMPARE(int(a.stato.NumeroErrati), 32767);
    QCOMPARE(contatore(*f, "EtichettaErrati"), QStringLiteral(" 32767"));
    a.casuale.aggiungi(0.0f); // the sound of the right answer
    q.giusta(*f);
    QCOMPARE(contatore(*f, "EtichettaEsatti"), QStringLiteral(" 32767"));
    q.segnale73(a);
    clic(controllo<PulsanteGrafico>(*f, "Command1"));
    a.casuale.aggiungi(0.0f);
    q.giusta(*f);
    QCOMPARE(int(a.stato.NumeroEsatti), 32767);
    QCOMPARE(int(a.stato.NumeroErrati), 32767);
    QCOMPARE(contatore(*f, "EtichettaEsatti"), QStringLiteral(" 32767"));
    QCOMPARE(contatore(*f, "EtichettaErrati"), QStringLiteral(" 32767"));
}

void TestCornice::finestraEsci_data()
{
    QTest::addColumn<int>("schermo");
    QTest::addColumn<int>("risposta");
    QTest::newRow("definizione, No") << 0 << int(Dialoghi::No);
    QTest::newRow("definizione, Sì") << 0 << int(Dialoghi::Si);
    QTest::newRow("riconoscimento, No") << 1 << int(Dialoghi::No);
    QTest::newRow("riconoscimento, Sì") << 1 << int(Dialoghi::Si);
}

void TestCornice::finestraEsci()
{
    QFETCH(int, schermo);
    QFETCH(int, risposta);
    const FinestraQuiz &q = FinestreQuiz[schermo];
    Ambiente a;
    QPointer<CorniceQuiz> f = apriFinestra(a, q);
    q.giusta(*f);
    a.dialoghi.rispondi(risposta);
    controllo<QAction>(*f, "mnuEsci")->trigger();

    QCOMPARE(a.dialoghi.mostrati,
             (QList<QPair<QString, int>>{{QStringLiteral("Vuoi tornare al menù?"), int(Dialoghi::DomandaSiNo)}}));
    const QList<QWidget *> aperte = finestreAperte();
    QCOMPARE(aperte.size(), 1);
    if (risposta == Dialoghi::No) {
        QCOMPARE(aperte.first(), f.data());
        QCOMPARE(contatore(*f, "EtichettaEsatti"), QStringLiteral(" 1"));
        QVERIFY(controllo<PulsanteGrafico>(*f, "Command1")->isEnabled());
        q.risolto(*f);
    } else {
        QVERIFY(qobject_cast<FormMenu *>(aperte.first()));
        QVERIFY(f.isNull());
        QCOMPARE(int(a.stato.NumeroEsatti), 1); // the counters live on until the next quiz
    }
    QVERIFY(!a.codiceUscita.has_value());
}

void TestCornice::finestraApertaDalMenu_data()
{
    righeFinestre();
    QTest::newRow("abbinamento") << 2;
}

void TestCornice::finestraApertaDalMenu()
{
    QFETCH(int, schermo);
    const FinestraQuiz &q = FinestreQuiz[schermo];
    Ambiente a;
    auto *menu = new FormMenu(a.contesto);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->show();
    QVERIFY(controllo<PulsanteGrafico>(*menu, q.pulsanteMenu)->isEnabled());
    a.stato.NumeroEsatti = 3;
    a.stato.NumeroErrati = 4;
    clic(controllo<PulsanteGrafico>(*menu, q.pulsanteMenu));
    const QList<QWidget *> aperte = finestreAperte();
    QCOMPARE(aperte.size(), 1);
    QCOMPARE(aperte.first()->metaObject()->className(), q.classe);
    QCOMPARE(int(a.stato.NumeroEsatti), 0);
    QCOMPARE(int(a.stato.NumeroErrati), 0);
    if (q.segnale73) { // a window that shows its counters
        QCOMPARE(contatore(*qobject_cast<CorniceQuiz *>(aperte.first()), "EtichettaEsatti"), QStringLiteral(" 0"));
        QCOMPARE(contatore(*qobject_cast<CorniceQuiz *>(aperte.first()), "EtichettaErrati"), QStringLiteral(" 0"));
    }
}

int main(int argc, char *argv[])
{
    Applicazione app(argc, argv);
    TestCornice test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_cornice.moc"
