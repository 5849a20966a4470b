// Catalogue texts are shown as typed in every window: a text that looks like markup is never
// read as markup.
#include "Ambiente.h"
#include "Finestre.h"

#include "screens/puzzle/frmpuzzle.h"
#include "screens/quiz/definizione/formTrova.h"
#include "screens/quiz/abbinamento/FormSposta.h"
#include "screens/quiz/riconoscimento/formDisegni.h"

#include <QLabel>
#include <QtTest>

#include <memory>

using namespace cartavia;

namespace {
QString marcato(int n)
{
    return QStringLiteral("<b>Segnale %1</b>").arg(n);
}

// The labels of `finestra` that show a catalogue text; each must show it as plain text.
int etichetteDelCatalogo(QWidget *finestra)
{
    int quante = 0;
    const auto etichette = finestra->findChildren<QLabel *>();
    for (QLabel *etichetta : etichette) {
        if (!etichetta->text().contains(QLatin1String("<b>Segnale ")))
            continue;
        ++quante;
        if (etichetta->textFormat() != Qt::PlainText) {
            qWarning() << etichetta->metaObject()->className() << etichetta->objectName()
                       << "reads its text as markup";
            return -1;
        }
    }
    return quante;
}
}

class TestTestoSemplice : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { chiudiTutto(); }
    void testoComeScritto_data();
    void testoComeScritto();
};

void TestTestoSemplice::testoComeScritto_data()
{
    QTest::addColumn<QString>("quale");
    QTest::addColumn<int>("attese"); // labels showing a catalogue text once the window is up
    QTest::newRow("definizione") << "definizione" << 6;
    QTest::newRow("riconoscimento") << "riconoscimento" << 1;
    QTest::newRow("abbinamento") << "abbinamento" << SlotAbbinamento;
    QTest::newRow("puzzle") << "puzzle" << 1;
}

void TestTestoSemplice::testoComeScritto()
{
    QFETCH(QString, quale);
    QFETCH(int, attese);
    Ambiente a;
    for (int n = 1; n <= NumeroSegnali; ++n)
        a.stato.ListaSegnali[n] = marcato(n);
    std::unique_ptr<QWidget> finestra;
    if (quale == QLatin1String("definizione"))
        finestra.reset(new formTrova(a.contesto));
    else if (quale == QLatin1String("riconoscimento"))
        finestra.reset(new formDisegni(a.contesto));
    else if (quale == QLatin1String("abbinamento"))
        finestra.reset(new FormSposta(a.contesto));
    else
        finestra.reset(new frmpuzzle(a.contesto));
    finestra->show();
    QCOMPARE(etichetteDelCatalogo(finestra.get()), attese);

    // The matching quiz's boxes: every definition dropped on its picture.
    if (auto *sposta = qobject_cast<FormSposta *>(finestra.get())) {
        for (int casella = 0; casella < SlotAbbinamento; ++casella)
            for (int definizione = 0; definizione < SlotAbbinamento; ++definizione)
                rilasciaDefinizione(*sposta, casella, definizione);
        QVERIFY(controllo(*sposta, "Command1")->isVisible()); // all three placed
        for (CasellaRilascio *casella : controlli<CasellaRilascio>(*sposta, "Label2", SlotAbbinamento))
            QVERIFY(casella->text().contains(QLatin1String("<b>Segnale ")));
        QCOMPARE(etichetteDelCatalogo(finestra.get()), SlotAbbinamento);
    }
}

QTEST_MAIN(TestTestoSemplice)
#include "tst_testo_semplice.moc"
