// What a screen reader reads on every screen, the keyboard on the menu, and the focus frame
// of the picture buttons.
#include "widgets/Controlli.h"
#include "screens/FormAvvio.h"
#include "screens/puzzle/GiocoPuzzle.h"
#include "screens/puzzle/frmpuzzle.h"
#include "screens/esame/FormEsame.h"
#include "screens/quiz/definizione/formTrova.h"
#include "screens/quiz/abbinamento/FormSposta.h"
#include "screens/quiz/riconoscimento/formDisegni.h"
#include "screens/FormMenu.h"
#include "Ambiente.h"
#include "Finestre.h"
#include "widgets/Etichetta.h"
#include "widgets/Immagine.h"
#include "widgets/PulsanteGrafico.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

using namespace cartavia;

namespace {
QAccessibleInterface *accessibile(QObject *oggetto)
{
    QAccessibleInterface *interfaccia = QAccessible::queryAccessibleInterface(oggetto);
    if (!interfaccia)
        qFatal("no accessible interface for %s", oggetto->metaObject()->className());
    return interfaccia;
}

QString nome(QObject *oggetto)
{
    return accessibile(oggetto)->text(QAccessible::Name);
}

QString descrizione(QObject *oggetto)
{
    return accessibile(oggetto)->text(QAccessible::Description);
}

// The draw that picks sign n out of 1..144.
float estrazione(int n)
{
    return (n - 0.5f) / 144.0f;
}

// Does the picture hold a pixel of this colour?
bool contieneColore(const QImage &immagine, const QColor &colore)
{
    const QImage argb = immagine.convertToFormat(QImage::Format_RGB32);
    const QRgb cercato = colore.rgb();
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (argb.pixel(x, y) == cercato)
                return true;
    return false;
}
}

class TestAccessibilita : public QObject
{
    Q_OBJECT

private slots:
    void avvio_nomiDeiControlli();
    void avvio_unaFiguraPremutaDalLettorePortaAlMenu();
    void menu_nomiDeiPulsanti_data();
    void menu_nomiDeiPulsanti();
    void menu_nomeDellaFinestra();
    void menu_tastieraSegueLOrdineDiTabulazione();
    void menu_spazioPremeIlPulsante();
    void pulsante_fuocoSempreVisibile();
    void pulsante_senzaDidascaliaPrendeIlNomeDato();
    void schermi_ogniControlloHaUnNome_data();
    void schermi_ogniControlloHaUnNome();
    void puzzle_descriveModoEPezzi();
    void contatore_nomeEValore_data();
    void contatore_nomeEValore();
};

void TestAccessibilita::avvio_nomiDeiControlli()
{
    Ambiente ambiente;
    ambiente.casuale.aggiungi({0.0f, estrazione(100), estrazione(7), estrazione(144),
                               estrazione(2)});
    FormAvvio avvio(ambiente.contesto);

    QCOMPARE(nome(&avvio), QStringLiteral("Cartavia"));
    QVERIFY(!descrizione(&avvio).isEmpty());
    QCOMPARE(nome(controllo<Etichetta>(avvio, "Label1")), QStringLiteral("cartavia"));

    // Pictures by their position, never by the sign they show.
    const int mostrati[4] = {100, 7, 144, 2};
    for (int i = 0; i < 4; ++i) {
        QAccessibleInterface *figura = accessibile(controllo<Immagine>(avvio, "Image1", i));
        QCOMPARE(figura->role(), QAccessible::Graphic);
        QCOMPARE(figura->text(QAccessible::Name), QStringLiteral("Segnale %1").arg(i + 1));
        const QString testo = ambiente.stato.ListaSegnali.at(mostrati[i]);
        QVERIFY(!figura->text(QAccessible::Name).contains(testo));
        QVERIFY(!figura->text(QAccessible::Description).contains(testo));
        QVERIFY(controllo<Immagine>(avvio, "Image1", i)->file().endsWith(QStringLiteral("/%1.jpg").arg(mostrati[i])));
    }
}

void TestAccessibilita::avvio_unaFiguraPremutaDalLettorePortaAlMenu()
{
    Ambiente ambiente;
    auto *avvio = new FormAvvio(ambiente.contesto);
    avvio->setAttribute(Qt::WA_DeleteOnClose);
    avvio->show();
    QPointer<FormAvvio> guardia(avvio);

    QAccessibleActionInterface *azioni = accessibile(controllo<Immagine>(*avvio, "Image1", 2))->actionInterface();
    QVERIFY(azioni);
    QCOMPARE(azioni->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    azioni->doAction(QAccessibleActionInterface::pressAction());

    const QList<QWidget *> aperte = finestreAperte();
    QVERIFY(guardia.isNull());
    QCOMPARE(aperte.size(), 1);
    QVERIFY(qobject_cast<FormMenu *>(aperte.first()));
    qDeleteAll(aperte);
}

void TestAccessibilita::menu_nomiDeiPulsanti_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("Command1") << 0 << QStringLiteral("definire il segnale");
    QTest::newRow("Command2") << 1 << QStringLiteral("abbinare segnale e definizione");
    QTest::newRow("Command3D1") << 2 << QStringLiteral("riconoscere il segnale");
    QTest::newRow("Command3") << 3 << QStringLiteral("gioca con i segnali");
    QTest::newRow("Command3D6") << 4 << QStringLiteral("Informazioni");
    QTest::newRow("Command3D5") << 5 << QStringLiteral("Esci");
}

void TestAccessibilita::menu_nomiDeiPulsanti()
{
    QFETCH(int, indice);
    QFETCH(QString, atteso);
    Ambiente ambiente;
    FormMenu menu(ambiente.contesto);
    PulsanteGrafico *pulsanti[] = {controllo<PulsanteGrafico>(menu, "Command1"),   controllo<PulsanteGrafico>(menu, "Command2"),   controllo<PulsanteGrafico>(menu, "Command3D1"),
                                   controllo<PulsanteGrafico>(menu, "Command3"),   controllo<PulsanteGrafico>(menu, "Command3D6"), controllo<PulsanteGrafico>(menu, "Command3D5")};
    QAccessibleInterface *pulsante = accessibile(pulsanti[indice]);
    QCOMPARE(pulsante->role(), QAccessible::Button);
    QCOMPARE(pulsante->text(QAccessible::Name), atteso);
    QVERIFY(!pulsante->text(QAccessible::Description).isEmpty());
    // An activity not yet in the program is a disabled button, and says so.
    const bool attivo = pulsanti[indice]->isEnabled();
    QCOMPARE(bool(pulsante->state().disabled), !attivo);
    QVERIFY(pulsante->actionInterface());
    QCOMPARE(pulsante->actionInterface()->actionNames().contains(
                 QAccessibleActionInterface::pressAction()),
             attivo);
    // The window lists it among its children, as a screen reader walks it.
    QAccessibleInterface *finestra = accessibile(&menu);
    QVERIFY(finestra->indexOfChild(pulsante) >= 0);
}

void TestAccessibilita::menu_nomeDellaFinestra()
{
    Ambiente ambiente;
    FormMenu menu(ambiente.contesto);
    // The caption stays "Form2"; the screen reader hears what the window is.
    QCOMPARE(menu.windowTitle(), QStringLiteral("Form2"));
    QCOMPARE(nome(&menu), QStringLiteral("Cartavia: menù principale"));
}

void TestAccessibilita::menu_tastieraSegueLOrdineDiTabulazione()
{
    Ambiente ambiente;
    FormMenu menu(ambiente.contesto);
    menu.show();
    QVERIFY(QTest::qWaitForWindowActive(&menu));

    const QList<QWidget *> ordine = {controllo<PulsanteGrafico>(menu, "Command3D5"), controllo<PulsanteGrafico>(menu, "Command3D6"), controllo<PulsanteGrafico>(menu, "Command1"),
                                     controllo<PulsanteGrafico>(menu, "Command3D1"), controllo<PulsanteGrafico>(menu, "Command2"),   controllo<PulsanteGrafico>(menu, "Command3"),
                                     controllo<PulsanteGrafico>(menu, "CommandEsame")};
    controllo<PulsanteGrafico>(menu, "Command3D5")->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), controllo<PulsanteGrafico>(menu, "Command3D5"));
    for (int i = 1; i <= ordine.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ordine.at(i % ordine.size()));
    }
    for (int i = ordine.size() - 1; i >= 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), ordine.at(i));
    }
}

void TestAccessibilita::menu_spazioPremeIlPulsante()
{
    Ambiente ambiente;
    FormMenu menu(ambiente.contesto);
    menu.show();
    QVERIFY(QTest::qWaitForWindowActive(&menu));

    controllo<PulsanteGrafico>(menu, "Command3D6")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(controllo<PulsanteGrafico>(menu, "Command3D6"), Qt::Key_Space);
    QCOMPARE(ambiente.dialoghi.mostrati.size(), 1);
    QCOMPARE(ambiente.dialoghi.mostrati.last().first, testoInformazioni());

    ambiente.dialoghi.rispondi(Dialoghi::No);
    controllo<PulsanteGrafico>(menu, "Command3D5")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(controllo<PulsanteGrafico>(menu, "Command3D5"), Qt::Key_Space);
    QCOMPARE(ambiente.dialoghi.mostrati.size(), 2);
    QCOMPARE(ambiente.dialoghi.mostrati.last().first, QStringLiteral("Vuoi uscire dal programma?"));
    QVERIFY(!ambiente.codiceUscita.has_value());
}

void TestAccessibilita::pulsante_fuocoSempreVisibile()
{
    QWidget finestra;
    finestra.resize(400, 200);
    auto *primo = new PulsanteGrafico(QIcon(QStringLiteral(":/icone/esci.svg")),
                                      QStringLiteral("Esci"), &finestra);
    primo->setGeometry(10, 10, 180, 100);
    auto *secondo = new PulsanteGrafico(QIcon(QStringLiteral(":/icone/informazioni.svg")),
                                        QStringLiteral("Informazioni"), &finestra);
    secondo->setGeometry(200, 10, 180, 100);
    QPalette tavolozza = finestra.palette();
    const QColor evidenza(255, 0, 128); // no icon, bevel or text uses it
    tavolozza.setColor(QPalette::Highlight, evidenza);
    finestra.setPalette(tavolozza);
    finestra.show();
    QVERIFY(QTest::qWaitForWindowActive(&finestra));

    // Focus from a click and focus from the keyboard both show.
    QTest::mouseClick(primo, Qt::LeftButton);
    QVERIFY(primo->hasFocus());
    QVERIFY(contieneColore(primo->grab().toImage(), evidenza));
    QVERIFY(!contieneColore(secondo->grab().toImage(), evidenza));

    QTest::keyClick(primo, Qt::Key_Tab);
    QVERIFY(secondo->hasFocus());
    QVERIFY(contieneColore(secondo->grab().toImage(), evidenza));
    QVERIFY(!contieneColore(primo->grab().toImage(), evidenza));
}

void TestAccessibilita::pulsante_senzaDidascaliaPrendeIlNomeDato()
{
    PulsanteGrafico faccia(QIcon(QStringLiteral(":/icone/faccia_si.svg")), QString());
    QCOMPARE(nome(&faccia), QString());
    descriviPerLettore(&faccia, QStringLiteral("Risposta giusta"));
    QCOMPARE(nome(&faccia), QStringLiteral("Risposta giusta"));
    QCOMPARE(descrizione(&faccia), QString());
}

void TestAccessibilita::contatore_nomeEValore_data()
{
    QTest::addColumn<QString>("etichetta");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("letto");
    QTest::newRow("zero") << "Esatti" << " 0" << "0";
    QTest::newRow("dodici") << "Errati" << " 12" << "12";
    QTest::newRow("massimo") << "Esatti" << " 32767" << "32767";
}

void TestAccessibilita::contatore_nomeEValore()
{
    QFETCH(QString, etichetta);
    QFETCH(QString, testo);
    QFETCH(QString, letto);
    QLabel contatore;
    mostraContatore(&contatore, etichetta, QStringLiteral(" 3"));
    mostraContatore(&contatore, etichetta, testo);
    QCOMPARE(contatore.text(), testo);
    QCOMPARE(nome(&contatore), etichetta);
    QCOMPARE(descrizione(&contatore), letto);
}

void TestAccessibilita::schermi_ogniControlloHaUnNome_data()
{
    QTest::addColumn<QString>("schermo");
    for (const char *schermo : {"FormSposta", "formTrova", "formDisegni", "frmpuzzle", "FormEsame"})
        QTest::newRow(schermo) << QString::fromLatin1(schermo);
}

// Every control a pupil can see is read by a name, and no picture's name gives its sign away.
void TestAccessibilita::schermi_ogniControlloHaUnNome()
{
    QFETCH(QString, schermo);
    Ambiente ambiente;
    for (int n = 1; n <= 144; ++n)
        ambiente.stato.ListaSegnali[n] = QStringLiteral("Descrizione del cartello %1").arg(n);

    std::unique_ptr<QWidget> finestra;
    if (schermo == QLatin1String("FormSposta"))
        finestra = std::make_unique<FormSposta>(ambiente.contesto);
    else if (schermo == QLatin1String("formTrova"))
        finestra = std::make_unique<formTrova>(ambiente.contesto);
    else if (schermo == QLatin1String("formDisegni"))
        finestra = std::make_unique<formDisegni>(ambiente.contesto);
    else if (schermo == QLatin1String("FormEsame"))
        finestra = std::make_unique<FormEsame>(ambiente.contesto);
    else
        finestra = std::make_unique<frmpuzzle>(ambiente.contesto);
    finestra->show();

    int controlli = 0;
    for (QWidget *w : finestra->findChildren<QWidget *>()) {
        const bool controllo = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLabel *>(w)
            || qobject_cast<Immagine *>(w) || qobject_cast<GiocoPuzzle *>(w);
        if (!controllo || !w->isVisible())
            continue;
        ++controlli;
        const QString letto = nome(w);
        QVERIFY2(!letto.trimmed().isEmpty(), qPrintable(w->objectName() + QLatin1Char(' ')
                                                        + QLatin1String(w->metaObject()->className())));
        if (qobject_cast<Immagine *>(w)) {
            QVERIFY2(letto.startsWith(QStringLiteral("Segnale")), qPrintable(letto));
            QVERIFY2(!letto.contains(QStringLiteral("cartello")), qPrintable(letto));
            QVERIFY(!descrizione(w).contains(QStringLiteral("cartello")));
        }
    }
    QVERIFY(controlli >= 4);
}

void TestAccessibilita::puzzle_descriveModoEPezzi()
{
    Ambiente ambiente;
    frmpuzzle finestra(ambiente.contesto);
    finestra.show();
    GiocoPuzzle *gioco = controllo<GiocoPuzzle>(finestra, "GiocoPuzzle1");
    QCOMPARE(nome(gioco), QStringLiteral("Puzzle"));
    QVERIFY(descrizione(gioco).startsWith(QStringLiteral("puzzle a scambio; pezzi fuori posto: ")));
    QVERIFY(descrizione(gioco).contains(QStringLiteral("; casella 1")));

    // Put every piece in its place with two clicks each: the reader hears it is whole.
    for (int cella = 0; cella < gioco->modello().celle(); ++cella) {
        const int dove = gioco->modello().cellaDi(cella);
        if (dove == cella)
            continue;
        QTest::mouseClick(gioco, Qt::LeftButton, {}, gioco->rettangoloCella(dove).center());
        QTest::mouseClick(gioco, Qt::LeftButton, {}, gioco->rettangoloCella(cella).center());
    }
    QCOMPARE(descrizione(gioco), QStringLiteral("puzzle a scambio; completato"));

    controllo<QRadioButton>(finestra, "Option1", 1)->click();
    QVERIFY(descrizione(gioco).startsWith(QStringLiteral("puzzle a scivolamento; pezzi fuori posto: ")));
}

QTEST_MAIN(TestAccessibilita)
#include "tst_accessibilita.moc"
