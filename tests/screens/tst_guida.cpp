// F1 on every screen shows that screen's help, and the tooltips give no answer away.
#include "widgets/Guida.h"
#include "app/Navigazione.h"
#include "screens/esame/FormEsame.h"
#include "screens/puzzle/frmpuzzle.h"
#include "screens/quiz/definizione/formTrova.h"
#include "screens/quiz/abbinamento/FormSposta.h"
#include "screens/quiz/riconoscimento/formDisegni.h"
#include "screens/FormAvvio.h"
#include "screens/FormMenu.h"
#include "logic/Versione.h"
#include "Ambiente.h"

#include <QMessageBox>
#include <QtTest>
#include <functional>

using namespace cartavia;

using ApriSchermata = std::function<QWidget *(Contesto &)>;
Q_DECLARE_METATYPE(ApriSchermata)

namespace {
template <class Finestra>
ApriSchermata apri()
{
    return [](Contesto &contesto) -> QWidget * { return passaA<Finestra>(nullptr, contesto); };
}

// The help as the sources hold it, read from the tree rather than from the program.
QString fileGuida(const QString &finestra)
{
    QFile file(QStringLiteral(CARTAVIA_SORGENTI "/resources/guida/") + finestra
               + QStringLiteral(".txt"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}
}

class TestGuida : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { chiudiTutto(); }
    void f1_data();
    void f1();
    void nessunaGuidaSopraUnMessaggio();
};

void TestGuida::f1_data()
{
    QTest::addColumn<ApriSchermata>("apriSchermata");
    QTest::addColumn<QString>("classe");
    QTest::addColumn<QStringList>("parole"); // what this screen's help must explain
    QTest::addColumn<int>("suggerimenti");   // controls with a tooltip

    const QStringList quiz = {QStringLiteral("\"avanti\""), QStringLiteral("Alt o F10"),
                              QStringLiteral("\"Azzera conteggio\""),
                              QStringLiteral("\"Scegli i segnali\""),
                              QStringLiteral("\"segnali da ripassare\"")};
    QTest::newRow("avvio") << apri<FormAvvio>() << "FormAvvio"
                           << QStringList{"fai clic", "Invio", "barra spaziatrice"} << 0;
    QTest::newRow("menu") << apri<FormMenu>() << "FormMenu"
                          << QStringList{"Tab", "frecce", "Invio", "\"Informazioni\"", "\"Esci\"",
                                         "\"definire il segnale\"", "\"gioca con i segnali\"",
                                         "\"prova d'esame\""}
                          << 7;
    QTest::newRow("definire") << apri<formTrova>() << "formTrova"
                              << quiz + QStringList{"Maiusc+Tab", "frecce su e giù",
                                                    "\"Esatti\"", "\"Errati\""}
                              << 7;
    QTest::newRow("riconoscere") << apri<formDisegni>() << "formDisegni"
                                 << quiz + QStringList{"le frecce", "\"Esatti\"", "\"Errati\""}
                                 << 7;
    QTest::newRow("abbinare") << apri<FormSposta>() << "FormSposta"
                              << quiz + QStringList{"trascina", "Esc", "\"Esercizi eseguiti\""}
                              << 7;
    QTest::newRow("puzzle") << apri<frmpuzzle>() << "frmpuzzle"
                            << QStringList{"\"puzzle a scambio\"", "\"puzzle a scivolamento\"",
                                           "\"nuovo puzzle\"", "le frecce", "trascina",
                                           "Alt o F10"}
                            << 4;
    QTest::newRow("esame") << apri<FormEsame>() << "FormEsame"
                           << QStringList{"\"Vero\"", "\"Falso\"", "V ", "F ", "Pagina giù", "\"Consegna\"",
                                          "0:00", "\"senza limite di tempo\"", "\"Nuova prova\"", "Alt o F10"}
                           << 35; // the statement, Vero, Falso, Consegna, the 30 boxes, Nuova prova
}

void TestGuida::f1()
{
    QFETCH(ApriSchermata, apriSchermata);
    QFETCH(QString, classe);
    QFETCH(QStringList, parole);
    QFETCH(int, suggerimenti);

    Ambiente a;
    Guida guida(a.contesto);
    QWidget *finestra = apriSchermata(a.contesto);
    QCOMPARE(QString::fromLatin1(finestra->metaObject()->className()), QStringLiteral("cartavia::") + classe);
    finestra->activateWindow();
    const int estratti = a.casuale.estratti();
    const Stato prima = a.stato;

    // The key reaches the control that has the focus, wherever it is.
    QWidget *fuoco = finestra->focusWidget() ? finestra->focusWidget() : finestra;
    QTest::keyClick(fuoco, Qt::Key_F1);

    QCOMPARE(a.dialoghi.mostrati.size(), 1);
    const auto [testo, stile] = a.dialoghi.mostrati.first();
    QCOMPARE(stile, int(Dialoghi::Informazione));
    const QString corpo = fileGuida(classe);
    QVERIFY(!corpo.isEmpty());
    QCOMPARE(testo, QStringLiteral("Cartavia " CARTAVIA_VERSIONE " - guida\n\n") + corpo);
    for (const QString &parola : parole + QStringList{"F1", "F11", "Ctrl+L", "clic destro"})
        QVERIFY2(corpo.contains(parola), qPrintable(parola));
    // A screenful: short enough to read without scrolling.
    QVERIFY2(corpo.size() < 1400, qPrintable(QString::number(corpo.size())));

    // Asking for help changes nothing: no draw, no counter, no window.
    QCOMPARE(a.casuale.estratti(), estratti);
    QCOMPARE(a.stato.NumeroEsatti, prima.NumeroEsatti);
    QCOMPARE(a.stato.NumeroErrati, prima.NumeroErrati);
    QCOMPARE(a.stato.SegnaleCorrente, prima.SegnaleCorrente);
    QCOMPARE(finestreAperte(), QList<QWidget *>{finestra});

    // Tooltips: the ones promised, none naming a sign of the catalogue.
    int conSuggerimento = 0;
    const auto controlli = finestra->findChildren<QWidget *>();
    for (const QWidget *controllo : controlli) {
        const QString suggerimento = controllo->toolTip();
        if (suggerimento.isEmpty())
            continue;
        ++conSuggerimento;
        for (int n = 1; n <= 144; ++n)
            QVERIFY2(!suggerimento.contains(a.stato.segnale(n), Qt::CaseInsensitive),
                     qPrintable(suggerimento));
    }
    QCOMPARE(conSuggerimento, suggerimenti);
}

// With the About box up, F1 belongs to the box: no help over it. And a key other than F1
// is no call for help.
void TestGuida::nessunaGuidaSopraUnMessaggio()
{
    Ambiente a;
    Guida guida(a.contesto);
    auto *menu = passaA<FormMenu>(nullptr, a.contesto);
    QTest::keyClick(menu, Qt::Key_F2);
    QTest::keyClick(menu, Qt::Key_F1, Qt::ShiftModifier);
    QVERIFY(a.dialoghi.mostrati.isEmpty());

    QMessageBox box(menu);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::keyClick(&box, Qt::Key_F1);
    QVERIFY(a.dialoghi.mostrati.isEmpty());
}

QTEST_MAIN(TestGuida)
#include "tst_guida.moc"
