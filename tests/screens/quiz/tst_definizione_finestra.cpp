#include "Ambiente.h"

#include "widgets/Aspetto.h"
#include "widgets/Controlli.h"
#include "logic/quiz/Categorie.h"
#include "screens/quiz/definizione/formTrova.h"
#include "screens/FormMenu.h"

#include <QAccessible>
#include <QAction>
#include <QtTest>
#include <memory>

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
    for (const Etichetta *l : f.Label1)
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
    void aperturaDopoUnAltroQuiz();
    void rispostaSbagliataRestaAperta();
    void rispostaGiustaRisolve();
    void clicDaRisoltoNonFaNulla();
    void avantiRiapreConUnNuovoEsercizio();
    void facceRestanoAlProssimoEsercizio();
    void testoGiustoDueVolte_data();
    void testoGiustoDueVolte();
    void categoriaDaRisolto();
    void categoriaDaApertoNonConta();
    void azzeraConteggio();
    void contatoreAlLimite();
    void esci_data();
    void esci();
    void apertaDalMenu();
    void nomiAccessibili();

private:
    std::unique_ptr<formTrova> apri(Ambiente &a, std::initializer_list<float> primo = Esercizio73)
    {
        a.casuale.aggiungi(primo);
        auto f = std::make_unique<formTrova>(a.contesto);
        f->show();
        return f;
    }
    void clic(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
};

void TestFinestraDefinizione::apertura()
{
    Ambiente a;
    auto f = apri(a);

    QCOMPARE(testi(*f), (QStringList{s(1), s(15), s(73), s(37), s(109), s(144)}));
    QVERIFY(f->Image1->file().endsWith(QStringLiteral("/jpg/73.jpg")));
    QVERIFY(!f->Image1->immagine().isNull());
    QCOMPARE(int(a.stato.SegnaleCorrente), 73);
    QCOMPARE(sfondo(f->area()), ColoriSfondo[0]);
    QCOMPARE(a.casuale.estratti(), 8);
    QCOMPARE(a.casuale.fuoriCopione(), 0);

    // open: labels enabled on the window colour, "avanti" disabled, the sad face showing
    const QColor finestra = coloreQt(ColoreSistemaFinestra, f->Label1[0]);
    for (Etichetta *l : f->Label1) {
        QVERIFY(l->isEnabled());
        QCOMPARE(l->palette().color(l->backgroundRole()), finestra);
    }
    QVERIFY(!f->Command1->isEnabled());
    QCOMPARE(f->Command1->text(), QStringLiteral("avanti"));
    QVERIFY(f->punteggio().ComandoIconaNo->isVisible());
    QVERIFY(!f->punteggio().ComandoIconaSi->isVisible());
    QCOMPARE(f->punteggio().EtichettaEsatti->text(), QStringLiteral(" 0"));
    QCOMPARE(f->punteggio().EtichettaErrati->text(), QStringLiteral(" 0"));
    QCOMPARE(f->punteggio().Label3->text(), QStringLiteral("Esatti"));
    QCOMPARE(f->punteggio().Label2->text(), QStringLiteral("Errati"));
    QVERIFY(f->vociCategoria[Tutti]->isChecked());
    QCOMPARE(f->windowTitle(), QString());
    QCOMPARE(f->area()->size(), QSize(672, 502));
}

void TestFinestraDefinizione::aperturaDopoUnAltroQuiz()
{
    Ambiente a;
    a.stato.NumeroEsatti = 12;
    a.stato.NumeroErrati = 7;
    a.stato.PrimoSegnale = 82;
    a.stato.UltimoSegnale = 89;
    auto f = apri(a);

    QCOMPARE(int(a.stato.NumeroEsatti), 0);
    QCOMPARE(int(a.stato.NumeroErrati), 0);
    QCOMPARE(f->punteggio().EtichettaEsatti->text(), QStringLiteral(" 0"));
    QCOMPARE(f->punteggio().EtichettaErrati->text(), QStringLiteral(" 0"));
    QCOMPARE(int(a.stato.PrimoSegnale), 1);
    QCOMPARE(int(a.stato.UltimoSegnale), 144);
    QCOMPARE(int(a.stato.SegnaleCorrente), 73); // drawn from 1..144, not 82..89
    for (int i = 0; i < 7; ++i)
        QCOMPARE(f->vociCategoria[std::size_t(i)]->isChecked(), i == Tutti);
}

void TestFinestraDefinizione::rispostaSbagliataRestaAperta()
{
    Ambiente a;
    auto f = apri(a);
    const int estratti = a.casuale.estratti();

    for (int volte = 1; volte <= 3; ++volte) {
        clic(f->Label1[4]);
        QCOMPARE(int(a.stato.NumeroErrati), volte);
        QCOMPARE(f->punteggio().EtichettaErrati->text(), QStringLiteral(" %1").arg(volte));
    }
    QCOMPARE(a.suoni.nomi(), (QStringList{"no.wav", "no.wav", "no.wav"}));
    QCOMPARE(int(a.stato.NumeroEsatti), 0);
    QCOMPARE(f->punteggio().EtichettaEsatti->text(), QStringLiteral(" 0"));
    QCOMPARE(a.casuale.estratti(), estratti); // a wrong answer draws nothing
    QVERIFY(f->punteggio().ComandoIconaNo->isVisible());
    QVERIFY(!f->punteggio().ComandoIconaSi->isVisible());
    for (Etichetta *l : f->Label1) {
        QVERIFY(l->isEnabled());
        QVERIFY(sfondo(l) != ColoreRosso);
    }
    QVERIFY(!f->Command1->isEnabled());
    QCOMPARE(testi(*f), (QStringList{s(1), s(15), s(73), s(37), s(109), s(144)}));
}

void TestFinestraDefinizione::rispostaGiustaRisolve()
{
    Ambiente a;
    auto f = apri(a);
    clic(f->Label1[0]); // wrong first
    a.casuale.aggiungi(0.8f);   // si4.wav
    clic(f->Label1[2]);

    QCOMPARE(a.suoni.nomi(), (QStringList{"no.wav", "si4.wav"}));
    QCOMPARE(int(a.stato.NumeroEsatti), 1);
    QCOMPARE(f->punteggio().EtichettaEsatti->text(), QStringLiteral(" 1"));
    QCOMPARE(f->punteggio().EtichettaErrati->text(), QStringLiteral(" 1"));
    QVERIFY(f->punteggio().ComandoIconaSi->isVisible());
    QVERIFY(!f->punteggio().ComandoIconaNo->isVisible());
    QVERIFY(f->Command1->isEnabled());
    for (int i = 0; i < 6; ++i) {
        Etichetta *l = f->Label1[std::size_t(i)];
        QVERIFY(!l->isEnabled());
        QCOMPARE(sfondo(l) == ColoreRosso, i == 2);
    }
    // the red is what a disabled label paints, too
    const Etichetta *rossa = f->Label1[2];
    QCOMPARE(rossa->palette().color(QPalette::Disabled, rossa->backgroundRole()), QColor(Qt::red));
    QCOMPARE(testi(*f), (QStringList{s(1), s(15), s(73), s(37), s(109), s(144)}));
}

void TestFinestraDefinizione::clicDaRisoltoNonFaNulla()
{
    Ambiente a;
    auto f = apri(a);
    clic(f->Label1[2]);
    const QStringList suoni = a.suoni.nomi();
    const int estratti = a.casuale.estratti();

    for (Etichetta *l : f->Label1)
        clic(l);
    QCOMPARE(int(a.stato.NumeroEsatti), 1);
    QCOMPARE(int(a.stato.NumeroErrati), 0);
    QCOMPARE(a.suoni.nomi(), suoni);
    QCOMPARE(a.casuale.estratti(), estratti);
    QVERIFY(f->punteggio().ComandoIconaSi->isVisible());
}

void TestFinestraDefinizione::avantiRiapreConUnNuovoEsercizio()
{
    Ambiente a;
    auto f = apri(a);
    a.casuale.aggiungi(0.0f);
    clic(f->Label1[2]);
    a.casuale.aggiungi(Esercizio1);
    const int estratti = a.casuale.estratti();
    clic(f->Command1);

    QCOMPARE(a.casuale.estratti() - estratti, 8);
    QCOMPARE(a.casuale.fuoriCopione(), 0);
    QCOMPARE(testi(*f), (QStringList{s(1), s(73), s(73), s(1), s(37), s(15)}));
    QVERIFY(f->Image1->file().endsWith(QStringLiteral("/jpg/1.jpg")));
    QCOMPARE(sfondo(f->area()), ColoriSfondo[17]);
    const QColor finestra = coloreQt(ColoreSistemaFinestra, f->Label1[0]);
    for (Etichetta *l : f->Label1) {
        QVERIFY(l->isEnabled());
        QCOMPARE(l->palette().color(l->backgroundRole()), finestra);
    }
    QVERIFY(!f->Command1->isEnabled());
    QCOMPARE(int(a.stato.NumeroEsatti), 1); // "avanti" counts nothing
}

void TestFinestraDefinizione::facceRestanoAlProssimoEsercizio()
{
    Ambiente a;
    auto f = apri(a);
    clic(f->Label1[2]);
    a.casuale.aggiungi(Esercizio1);
    clic(f->Command1);
    QVERIFY(f->punteggio().ComandoIconaSi->isVisible()); // the last answer's face stays
    QVERIFY(!f->punteggio().ComandoIconaNo->isVisible());

    clic(f->Label1[5]); // "Segnale 15" is wrong now
    QVERIFY(f->punteggio().ComandoIconaNo->isVisible());
    QVERIFY(!f->punteggio().ComandoIconaSi->isVisible());
    clic(f->Label1[0]);
    QVERIFY(f->punteggio().ComandoIconaSi->isVisible());
    QVERIFY(!f->punteggio().ComandoIconaNo->isVisible());
    QCOMPARE(f->punteggio().EtichettaEsatti->text(), QStringLiteral(" 2"));
    QCOMPARE(f->punteggio().EtichettaErrati->text(), QStringLiteral(" 1"));
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
    clic(f->Label1[std::size_t(cliccata)]);
    QCOMPARE(int(a.stato.NumeroEsatti), 1);
    QCOMPARE(int(a.stato.NumeroErrati), 0);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(sfondo(f->Label1[std::size_t(i)]) == ColoreRosso, i == cliccata);
}

void TestFinestraDefinizione::categoriaDaRisolto()
{
    Ambiente a;
    auto f = apri(a);
    clic(f->Label1[2]);
    // fermata, sosta e parcheggio: sign 82 + floor(0.5 * 8) = 86 at position 5
    a.casuale.aggiungi({0.1f, 0.5f, 0.9f, 0.0f, 0.1f, 0.25f, 0.75f, 0.999f});
    f->vociCategoria[Sosta]->trigger();

    QCOMPARE(int(a.stato.PrimoSegnale), 82);
    QCOMPARE(int(a.stato.UltimoSegnale), 89);
    QCOMPARE(testi(*f), (QStringList{s(1), s(15), s(37), s(109), s(144), s(86)}));
    QVERIFY(f->Image1->file().endsWith(QStringLiteral("/jpg/86.jpg")));
    QVERIFY(f->vociCategoria[Sosta]->isChecked());
    QVERIFY(!f->vociCategoria[Tutti]->isChecked());
    // still solved: labels disabled, the clicked one red, "avanti" enabled, the face kept
    for (int i = 0; i < 6; ++i) {
        QVERIFY(!f->Label1[std::size_t(i)]->isEnabled());
        QCOMPARE(sfondo(f->Label1[std::size_t(i)]) == ColoreRosso, i == 2);
    }
    QVERIFY(f->Command1->isEnabled());
    QVERIFY(f->punteggio().ComandoIconaSi->isVisible());
    clic(f->Label1[5]);
    QCOMPARE(int(a.stato.NumeroEsatti), 1);

    clic(f->Command1); // builds yet another exercise, from 82..89
    for (Etichetta *l : f->Label1)
        QVERIFY(l->isEnabled());
    QVERIFY(a.stato.SegnaleCorrente >= 82 && a.stato.SegnaleCorrente <= 89);
}

void TestFinestraDefinizione::categoriaDaApertoNonConta()
{
    Ambiente a;
    auto f = apri(a);
    clic(f->Label1[0]);
    a.casuale.aggiungi(Esercizio73);
    f->vociCategoria[Tutti]->trigger(); // the category already checked: again a new exercise
    QCOMPARE(a.casuale.fuoriCopione(), 0);
    QCOMPARE(a.casuale.estratti(), 16);
    QVERIFY(f->vociCategoria[Tutti]->isChecked());
    QCOMPARE(int(a.stato.NumeroErrati), 1);
    QCOMPARE(int(a.stato.NumeroEsatti), 0);
    QCOMPARE(f->punteggio().EtichettaErrati->text(), QStringLiteral(" 1"));
    QVERIFY(f->punteggio().ComandoIconaNo->isVisible());
}

void TestFinestraDefinizione::azzeraConteggio()
{
    Ambiente a;
    auto f = apri(a);
    clic(f->Label1[0]);
    clic(f->Label1[2]);
    const int estratti = a.casuale.estratti();
    f->mnuAzzera->trigger();
    QCOMPARE(f->punteggio().EtichettaEsatti->text(), QStringLiteral(" 0"));
    QCOMPARE(f->punteggio().EtichettaErrati->text(), QStringLiteral(" 0"));
    QCOMPARE(int(a.stato.NumeroEsatti), 0);
    QCOMPARE(int(a.stato.NumeroErrati), 0);
    // the exercise stays, still solved
    QCOMPARE(a.casuale.estratti(), estratti);
    QVERIFY(f->Command1->isEnabled());
    QCOMPARE(sfondo(f->Label1[2]), ColoreRosso);
}

void TestFinestraDefinizione::contatoreAlLimite()
{
    Ambiente a;
    auto f = apri(a);
    a.stato.NumeroErrati = 32767;
    a.stato.NumeroEsatti = 32766;
    clic(f->Label1[1]);
    QCOMPARE(f->punteggio().EtichettaErrati->text(), QStringLiteral(" 32767"));
    clic(f->Label1[2]);
    QCOMPARE(f->punteggio().EtichettaEsatti->text(), QStringLiteral(" 32767"));
    a.casuale.aggiungi(Esercizio73);
    clic(f->Command1);
    clic(f->Label1[2]);
    QCOMPARE(int(a.stato.NumeroEsatti), 32767);
    QCOMPARE(f->punteggio().EtichettaEsatti->text(), QStringLiteral(" 32767"));
}

void TestFinestraDefinizione::esci_data()
{
    QTest::addColumn<int>("risposta");
    QTest::newRow("no") << int(Dialoghi::No);
    QTest::newRow("si") << int(Dialoghi::Si);
}

void TestFinestraDefinizione::esci()
{
    QFETCH(int, risposta);
    Ambiente a;
    a.casuale.aggiungi(Esercizio73);
    auto *f = new formTrova(a.contesto);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->show();
    clic(f->Label1[0]);
    a.dialoghi.rispondi(risposta);
    f->mnuEsci->trigger();

    QCOMPARE(a.dialoghi.mostrati.size(), 1);
    QCOMPARE(a.dialoghi.mostrati[0].first, QStringLiteral("Vuoi tornare al menù?"));
    QCOMPARE(a.dialoghi.mostrati[0].second, int(Dialoghi::DomandaSiNo));
    QPointer<formTrova> guardia(f);
    const QList<QWidget *> aperte = finestreAperte();
    QCOMPARE(aperte.size(), 1);
    if (risposta == Dialoghi::No) {
        QCOMPARE(aperte[0], f);
        QCOMPARE(f->punteggio().EtichettaErrati->text(), QStringLiteral(" 1"));
        QCOMPARE(testi(*f), (QStringList{s(1), s(15), s(73), s(37), s(109), s(144)}));
        delete f;
    } else {
        QVERIFY(qobject_cast<FormMenu *>(aperte[0]));
        QVERIFY(guardia.isNull());
        QCOMPARE(int(a.stato.NumeroErrati), 1); // the counters live on until the next quiz
        delete aperte[0];
    }
    QVERIFY(!a.codiceUscita.has_value());
}

void TestFinestraDefinizione::apertaDalMenu()
{
    Ambiente a;
    auto *menu = new FormMenu(a.contesto);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->show();
    QVERIFY(menu->Command1->isEnabled());
    a.stato.NumeroEsatti = 3;
    clic(menu->Command1);
    const QList<QWidget *> aperte = finestreAperte();
    QCOMPARE(aperte.size(), 1);
    auto *f = qobject_cast<formTrova *>(aperte[0]);
    QVERIFY(f);
    QCOMPARE(f->punteggio().EtichettaEsatti->text(), QStringLiteral(" 0"));
    delete f;
}

void TestFinestraDefinizione::nomiAccessibili()
{
    Ambiente a;
    auto f = apri(a);
    for (Etichetta *l : f->Label1)
        QCOMPARE(nomeAccessibile(l), l->text());
    QCOMPARE(nomeAccessibile(f->punteggio().ComandoIconaSi), QStringLiteral("Risposta giusta"));
    QCOMPARE(nomeAccessibile(f->punteggio().ComandoIconaNo), QStringLiteral("Risposta sbagliata"));
    QCOMPARE(nomeAccessibile(f->Command1), QStringLiteral("avanti"));
    QCOMPARE(nomeAccessibile(f->punteggio().EtichettaEsatti), QStringLiteral("Esatti"));
    QCOMPARE(nomeAccessibile(f->punteggio().EtichettaErrati), QStringLiteral("Errati"));
    clic(f->Label1[0]);
    auto *errati = QAccessible::queryAccessibleInterface(f->punteggio().EtichettaErrati);
    QCOMPARE(errati->text(QAccessible::Description), QStringLiteral("1"));
    // the picture never names its sign
    QVERIFY(!nomeAccessibile(f->Image1).contains(s(73)));
    a.casuale.aggiungi(0.0f);
    clic(f->Label1[2]);
    a.casuale.aggiungi(Esercizio1);
    clic(f->Command1);
    QCOMPARE(nomeAccessibile(f->Label1[1]), s(73));
}

QTEST_MAIN(TestFinestraDefinizione)
#include "tst_definizione_finestra.moc"
