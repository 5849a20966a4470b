#include "Ambiente.h"
#include "Finestre.h"

#include "widgets/Annuncio.h"
#include "widgets/Aspetto.h"
#include "logic/quiz/Categorie.h"
#include "screens/quiz/definizione/formTrova.h"
#include "widgets/Etichetta.h"
#include "widgets/Immagine.h"
#include "widgets/PulsanteGrafico.h"

#include <QAccessible>
#include <QAction>
#include <QtTest>
#include <memory>

using namespace cartavia;

namespace {
QString s(int n)
{
    return CartellaProgramma::testo(n);
}

// The draws of one exercise: colour, sign, position of the right text, then the five others.
// With these, the sign is 73 at position 2 and the others read 1, 15, 37, 109, 144.
const std::initializer_list<float> Esercizio73 = {0.0f, 0.5f, 0.4f, 0.0f, 0.1f, 0.25f, 0.75f, 0.999f};
// Sign 1 at position 0, the others 73, 73, 1, 37, 15: the right text shows twice.
const std::initializer_list<float> Esercizio1 = {0.99f, 0.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.25f, 0.1f};

QStringList testi(const formTrova &f)
{
    QStringList t;
    for (const Etichetta *l : controlli<Etichetta>(f, "Label1", 6))
        t.append(l->text());
    return t;
}

QString nomeAccessibile(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}
}

class TestFinestraDefinizione : public QObject
{
    Q_OBJECT
private slots:
    void apertura();
    void rispostaSbagliataRestaAperta();
    void rispostaGiustaRisolve();
    void clicDaRisoltoNonFaNulla();
    void avantiRiapreConUnNuovoEsercizio();
    void facceRestanoAlProssimoEsercizio();
    void testoGiustoDueVolte_data();
    void testoGiustoDueVolte();
    void categoriaDaRisolto();
    void categoriaDaApertoNonConta();
    void nomiAccessibili();
    void tastiera_data();
    void tastiera();

private:
    std::unique_ptr<formTrova> apri(Ambiente &a, std::initializer_list<float> primo = Esercizio73)
    {
        a.casuale.aggiungi(primo);
        auto f = std::make_unique<formTrova>(a.contesto);
        f->show();
        return f;
    }
};

void TestFinestraDefinizione::apertura()
{
    Ambiente a;
    auto f = apri(a);

    QCOMPARE(testi(*f), (QStringList{s(1), s(15), s(73), s(37), s(109), s(144)}));
    QVERIFY(controllo<Immagine>(*f, "Image1")->file().endsWith(QStringLiteral("/jpg/73.jpg")));
    QVERIFY(!controllo<Immagine>(*f, "Image1")->immagine().isNull());
    QCOMPARE(int(a.stato.SegnaleCorrente), 73);
    QCOMPARE(sfondo(f->centralWidget()), ColoriSfondo[0]);
    QCOMPARE(a.casuale.estratti(), 8);
    QCOMPARE(a.casuale.fuoriCopione(), 0);

    // open: labels enabled on the window colour, "avanti" disabled, the sad face showing
    const QColor finestra = coloreQt(ColoreSistemaFinestra, controllo<Etichetta>(*f, "Label1", 0));
    for (Etichetta *l : controlli<Etichetta>(*f, "Label1", 6)) {
        QVERIFY(l->isEnabled());
        QCOMPARE(l->palette().color(l->backgroundRole()), finestra);
    }
    QVERIFY(!controllo<PulsanteGrafico>(*f, "Command1")->isEnabled());
    QCOMPARE(controllo<PulsanteGrafico>(*f, "Command1")->text(), QStringLiteral("avanti"));
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaNo")->isVisible());
    QVERIFY(!controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible());
    QCOMPARE(controllo<QLabel>(*f, "EtichettaEsatti")->text(), QStringLiteral(" 0"));
    QCOMPARE(controllo<QLabel>(*f, "EtichettaErrati")->text(), QStringLiteral(" 0"));
    QCOMPARE(controllo<QLabel>(*f, "Label3")->text(), QStringLiteral("Esatti"));
    QCOMPARE(controllo<QLabel>(*f, "Label2")->text(), QStringLiteral("Errati"));
    QVERIFY(voceCategoria(*f, Tutti)->isChecked());
    QCOMPARE(f->windowTitle(), QString());
    QCOMPARE(f->centralWidget()->size(), QSize(672, 502));
}

void TestFinestraDefinizione::rispostaSbagliataRestaAperta()
{
    Ambiente a;
    auto f = apri(a);
    const int estratti = a.casuale.estratti();

    for (int volte = 1; volte <= 3; ++volte) {
        clic(controllo<Etichetta>(*f, "Label1", 4));
        QCOMPARE(int(a.stato.NumeroErrati), volte);
        QCOMPARE(controllo<QLabel>(*f, "EtichettaErrati")->text(), QStringLiteral(" %1").arg(volte));
    }
    QCOMPARE(a.suoni.nomi(), (QStringList{"no.wav", "no.wav", "no.wav"}));
    QCOMPARE(int(a.stato.NumeroEsatti), 0);
    QCOMPARE(controllo<QLabel>(*f, "EtichettaEsatti")->text(), QStringLiteral(" 0"));
    QCOMPARE(a.casuale.estratti(), estratti); // a wrong answer draws nothing
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaNo")->isVisible());
    QVERIFY(!controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible());
    for (Etichetta *l : controlli<Etichetta>(*f, "Label1", 6)) {
        QVERIFY(l->isEnabled());
        QVERIFY(sfondo(l) != ColoreRosso);
    }
    QVERIFY(!controllo<PulsanteGrafico>(*f, "Command1")->isEnabled());
    QCOMPARE(testi(*f), (QStringList{s(1), s(15), s(73), s(37), s(109), s(144)}));
}

void TestFinestraDefinizione::rispostaGiustaRisolve()
{
    Ambiente a;
    auto f = apri(a);
    clic(controllo<Etichetta>(*f, "Label1", 0)); // wrong first
    a.casuale.aggiungi(0.8f);   // si4.wav
    clic(controllo<Etichetta>(*f, "Label1", 2));

    QCOMPARE(a.suoni.nomi(), (QStringList{"no.wav", "si4.wav"}));
    QCOMPARE(int(a.stato.NumeroEsatti), 1);
    QCOMPARE(controllo<QLabel>(*f, "EtichettaEsatti")->text(), QStringLiteral(" 1"));
    QCOMPARE(controllo<QLabel>(*f, "EtichettaErrati")->text(), QStringLiteral(" 1"));
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible());
    QVERIFY(!controllo<PulsanteGrafico>(*f, "ComandoIconaNo")->isVisible());
    QVERIFY(controllo<PulsanteGrafico>(*f, "Command1")->isEnabled());
    for (int i = 0; i < 6; ++i) {
        Etichetta *l = controllo<Etichetta>(*f, "Label1", i);
        QVERIFY(!l->isEnabled());
        QCOMPARE(sfondo(l) == ColoreRosso, i == 2);
    }
    // the red is what a disabled label paints, too
    const Etichetta *rossa = controllo<Etichetta>(*f, "Label1", 2);
    QCOMPARE(rossa->palette().color(QPalette::Disabled, rossa->backgroundRole()), QColor(Qt::red));
    QCOMPARE(testi(*f), (QStringList{s(1), s(15), s(73), s(37), s(109), s(144)}));
}

void TestFinestraDefinizione::clicDaRisoltoNonFaNulla()
{
    Ambiente a;
    auto f = apri(a);
    clic(controllo<Etichetta>(*f, "Label1", 2));
    const QStringList suoni = a.suoni.nomi();
    const int estratti = a.casuale.estratti();

    for (Etichetta *l : controlli<Etichetta>(*f, "Label1", 6))
        clic(l);
    QCOMPARE(int(a.stato.NumeroEsatti), 1);
    QCOMPARE(int(a.stato.NumeroErrati), 0);
    QCOMPARE(a.suoni.nomi(), suoni);
    QCOMPARE(a.casuale.estratti(), estratti);
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible());
}

void TestFinestraDefinizione::avantiRiapreConUnNuovoEsercizio()
{
    Ambiente a;
    auto f = apri(a);
    a.casuale.aggiungi(0.0f);
    clic(controllo<Etichetta>(*f, "Label1", 2));
    a.casuale.aggiungi(Esercizio1);
    const int estratti = a.casuale.estratti();
    clic(controllo<PulsanteGrafico>(*f, "Command1"));

    QCOMPARE(a.casuale.estratti() - estratti, 8);
    QCOMPARE(a.casuale.fuoriCopione(), 0);
    QCOMPARE(testi(*f), (QStringList{s(1), s(73), s(73), s(1), s(37), s(15)}));
    QVERIFY(controllo<Immagine>(*f, "Image1")->file().endsWith(QStringLiteral("/jpg/1.jpg")));
    QCOMPARE(sfondo(f->centralWidget()), ColoriSfondo[17]);
    const QColor finestra = coloreQt(ColoreSistemaFinestra, controllo<Etichetta>(*f, "Label1", 0));
    for (Etichetta *l : controlli<Etichetta>(*f, "Label1", 6)) {
        QVERIFY(l->isEnabled());
        QCOMPARE(l->palette().color(l->backgroundRole()), finestra);
    }
    QVERIFY(!controllo<PulsanteGrafico>(*f, "Command1")->isEnabled());
    QCOMPARE(int(a.stato.NumeroEsatti), 1); // "avanti" counts nothing
}

void TestFinestraDefinizione::facceRestanoAlProssimoEsercizio()
{
    Ambiente a;
    auto f = apri(a);
    clic(controllo<Etichetta>(*f, "Label1", 2));
    a.casuale.aggiungi(Esercizio1);
    clic(controllo<PulsanteGrafico>(*f, "Command1"));
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible()); // the last answer's face stays
    QVERIFY(!controllo<PulsanteGrafico>(*f, "ComandoIconaNo")->isVisible());

    clic(controllo<Etichetta>(*f, "Label1", 5)); // "Segnale 15" is wrong now
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaNo")->isVisible());
    QVERIFY(!controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible());
    clic(controllo<Etichetta>(*f, "Label1", 0));
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible());
    QVERIFY(!controllo<PulsanteGrafico>(*f, "ComandoIconaNo")->isVisible());
    QCOMPARE(controllo<QLabel>(*f, "EtichettaEsatti")->text(), QStringLiteral(" 2"));
    QCOMPARE(controllo<QLabel>(*f, "EtichettaErrati")->text(), QStringLiteral(" 1"));
}

void TestFinestraDefinizione::testoGiustoDueVolte_data()
{
    QTest::addColumn<int>("cliccata");
    QTest::newRow("quella messa al posto giusto") << 0;
    QTest::newRow("quella pescata fra le altre") << 3;
}

void TestFinestraDefinizione::testoGiustoDueVolte()
{
    QFETCH(int, cliccata);
    Ambiente a;
    auto f = apri(a, Esercizio1); // "Segnale 1" at 0 and at 3
    clic(controllo<Etichetta>(*f, "Label1", cliccata));
    QCOMPARE(int(a.stato.NumeroEsatti), 1);
    QCOMPARE(int(a.stato.NumeroErrati), 0);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(sfondo(controllo<Etichetta>(*f, "Label1", i)) == ColoreRosso, i == cliccata);
}

void TestFinestraDefinizione::categoriaDaRisolto()
{
    Ambiente a;
    auto f = apri(a);
    clic(controllo<Etichetta>(*f, "Label1", 2));
    // fermata, sosta e parcheggio: sign 82 + floor(0.5 * 8) = 86 at position 5
    a.casuale.aggiungi({0.1f, 0.5f, 0.9f, 0.0f, 0.1f, 0.25f, 0.75f, 0.999f});
    voceCategoria(*f, Sosta)->trigger();

    QCOMPARE(int(a.stato.PrimoSegnale), 82);
    QCOMPARE(int(a.stato.UltimoSegnale), 89);
    QCOMPARE(testi(*f), (QStringList{s(1), s(15), s(37), s(109), s(144), s(86)}));
    QVERIFY(controllo<Immagine>(*f, "Image1")->file().endsWith(QStringLiteral("/jpg/86.jpg")));
    QVERIFY(voceCategoria(*f, Sosta)->isChecked());
    QVERIFY(!voceCategoria(*f, Tutti)->isChecked());
    // A new exercise starts unanswered, as after "avanti": the descriptions answer again,
    // none is red or outlined, "avanti" is off; the face of the last answer stays.
    for (Etichetta *l : controlli<Etichetta>(*f, "Label1", 6)) {
        QVERIFY(l->isEnabled());
        QVERIFY(sfondo(l) != ColoreRosso);
        QVERIFY(!l->graphicsEffect());
    }
    QVERIFY(!controllo<PulsanteGrafico>(*f, "Command1")->isEnabled());
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible());
    clic(controllo<Etichetta>(*f, "Label1", 5));
    QCOMPARE(int(a.stato.NumeroEsatti), 2);
    QCOMPARE(sfondo(controllo<Etichetta>(*f, "Label1", 5)), ColoreRosso);
}

void TestFinestraDefinizione::categoriaDaApertoNonConta()
{
    Ambiente a;
    auto f = apri(a);
    clic(controllo<Etichetta>(*f, "Label1", 0));
    a.casuale.aggiungi(Esercizio73);
    voceCategoria(*f, Tutti)->trigger(); // the category already checked: again a new exercise
    QCOMPARE(a.casuale.fuoriCopione(), 0);
    QCOMPARE(a.casuale.estratti(), 16);
    QVERIFY(voceCategoria(*f, Tutti)->isChecked());
    QCOMPARE(int(a.stato.NumeroErrati), 1);
    QCOMPARE(int(a.stato.NumeroEsatti), 0);
    QCOMPARE(controllo<QLabel>(*f, "EtichettaErrati")->text(), QStringLiteral(" 1"));
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaNo")->isVisible());
}

void TestFinestraDefinizione::nomiAccessibili()
{
    Ambiente a;
    auto f = apri(a);
    for (Etichetta *l : controlli<Etichetta>(*f, "Label1", 6))
        QCOMPARE(nomeAccessibile(l), l->text());
    QCOMPARE(nomeAccessibile(controllo<PulsanteGrafico>(*f, "ComandoIconaSi")), QStringLiteral("Risposta giusta"));
    QCOMPARE(nomeAccessibile(controllo<PulsanteGrafico>(*f, "ComandoIconaNo")), QStringLiteral("Risposta sbagliata"));
    QCOMPARE(nomeAccessibile(controllo<PulsanteGrafico>(*f, "Command1")), QStringLiteral("avanti"));
    QCOMPARE(nomeAccessibile(controllo<QLabel>(*f, "EtichettaEsatti")), QStringLiteral("Esatti"));
    QCOMPARE(nomeAccessibile(controllo<QLabel>(*f, "EtichettaErrati")), QStringLiteral("Errati"));
    clic(controllo<Etichetta>(*f, "Label1", 0));
    auto *errati = QAccessible::queryAccessibleInterface(controllo<QLabel>(*f, "EtichettaErrati"));
    QCOMPARE(errati->text(QAccessible::Description), QStringLiteral("1"));
    // the picture never names its sign
    QVERIFY(!nomeAccessibile(controllo<Immagine>(*f, "Image1")).contains(s(73)));
    a.casuale.aggiungi(0.0f);
    clic(controllo<Etichetta>(*f, "Label1", 2));
    a.casuale.aggiungi(Esercizio1);
    clic(controllo<PulsanteGrafico>(*f, "Command1"));
    QCOMPARE(nomeAccessibile(controllo<Etichetta>(*f, "Label1", 1)), s(73));
}

// An answer by key goes the way of a click: same counters, sounds and faces; the focus starts
// on the first description, moves to "avanti" after the right answer and back after it; the
// screen reader is told each verdict with the counters.
void TestFinestraDefinizione::tastiera_data()
{
    QTest::addColumn<int>("tasto"); // 0: a click
    QTest::newRow("clic") << 0;
    QTest::newRow("spazio") << int(Qt::Key_Space);
    QTest::newRow("invio") << int(Qt::Key_Return);
    QTest::newRow("invio del tastierino") << int(Qt::Key_Enter);
}

void TestFinestraDefinizione::tastiera()
{
    QFETCH(int, tasto);
    Ambiente a;
    auto f = apri(a);
    auto *annuncio = f->findChild<Annuncio *>(QStringLiteral("annuncio"));
    QVERIFY(annuncio);
    QCOMPARE(f->focusWidget(), controllo<Etichetta>(*f, "Label1", 0));
    QCOMPARE(annuncio->testo(), QString());
    auto rispondi = [&](Etichetta *etichetta) {
        if (tasto == 0) {
            clic(etichetta);
            return;
        }
        QCOMPARE(f->focusWidget(), etichetta);
        QTest::keyClick(etichetta, Qt::Key(tasto), tasto == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    };

    rispondi(controllo<Etichetta>(*f, "Label1", 0));
    QCOMPARE(annuncio->testo(), QStringLiteral("Risposta sbagliata. Esatti 0, errati 1"));
    QTest::keyClick(f->focusWidget(), Qt::Key_Down);
    QTest::keyClick(f->focusWidget(), Qt::Key_Down);
    QCOMPARE(f->focusWidget(), controllo<Etichetta>(*f, "Label1", 2));
    QTest::keyClick(f->focusWidget(), Qt::Key_Up);
    QTest::keyClick(f->focusWidget(), Qt::Key_Down);
    a.casuale.aggiungi(0.8f); // si4.wav
    rispondi(controllo<Etichetta>(*f, "Label1", 2));
    QCOMPARE(a.suoni.nomi(), (QStringList{"no.wav", "si4.wav"}));
    QCOMPARE(controllo<QLabel>(*f, "EtichettaEsatti")->text(), QStringLiteral(" 1"));
    QCOMPARE(controllo<QLabel>(*f, "EtichettaErrati")->text(), QStringLiteral(" 1"));
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible());
    QCOMPARE(annuncio->testo(), QStringLiteral("Risposta giusta. Esatti 1, errati 1"));
    QCOMPARE(f->focusWidget(), static_cast<QWidget *>(controllo<PulsanteGrafico>(*f, "Command1")));
    // Keys on the disabled descriptions answer nothing.
    QTest::keyClick(controllo<Etichetta>(*f, "Label1", 2), Qt::Key_Space);
    QCOMPARE(int(a.stato.NumeroEsatti), 1);

    a.casuale.aggiungi(Esercizio1);
    QTest::keyClick(controllo<PulsanteGrafico>(*f, "Command1"), Qt::Key_Space);
    QCOMPARE(f->focusWidget(), controllo<Etichetta>(*f, "Label1", 0));
    QVERIFY(controllo<Etichetta>(*f, "Label1", 0)->isEnabled());
}

QTEST_MAIN(TestFinestraDefinizione)
#include "tst_definizione_finestra.moc"
