#include "Ambiente.h"
#include "Finestre.h"

#include "widgets/Aspetto.h"
#include "logic/quiz/Categorie.h"
#include "screens/quiz/riconoscimento/formDisegni.h"
#include "widgets/Immagine.h"
#include "widgets/PulsanteGrafico.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QtTest>
#include <memory>

using namespace cartavia;

namespace {
// The draws of one exercise: colour, six signs, then the position. With these the signs
// are 1, 15, 37, 73, 109, 144 and the right one stands at position `p`.
QList<float> esercizio(int p)
{
    return {0.0f, 0.0f, 0.1f, 0.25f, 0.5f, 0.75f, 0.999f, (float(p) - 0.5f) / 6.0f};
}
const int Segnali[6] = {1, 15, 37, 73, 109, 144};

QString nomeAccessibile(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}
}

class TestFinestraRiconoscimento : public QObject
{
    Q_OBJECT
private slots:
    void apertura();
    void rispostaGiusta_data();
    void rispostaGiusta();
    void sbagliateFinoAllaGiusta();
    void clicDaRispostoNonFaNulla();
    void avanti();
    void categoriaDaRisposto();
    void categoriaNominata_data();
    void categoriaNominata();
    void nomiAccessibili();
    void cornice();

private:
    static void script(Ambiente &a, const QList<float> &valori)
    {
        for (float v : valori)
            a.casuale.aggiungi(v);
    }
    std::unique_ptr<formDisegni> apri(Ambiente &a, int p = 4)
    {
        script(a, esercizio(p));
        auto f = std::make_unique<formDisegni>(a.contesto);
        f->show();
        return f;
    }
    static void attendeRisposta(formDisegni &f)
    {
        for (Immagine *i : controlli<Immagine>(f, "Image1", 6))
            QVERIFY(i->isEnabled());
        QVERIFY(!controllo<PulsanteGrafico>(f, "Command1")->isEnabled());
        QVERIFY(!controllo<CorniceRisposta>(f, "Shape1")->isVisible());
    }
};

void TestFinestraRiconoscimento::apertura()
{
    Ambiente a;
    auto f = apri(a, 4);

    for (int k = 0; k < 6; ++k) {
        QVERIFY2(controllo<Immagine>(*f, "Image1", k)->file().endsWith(QStringLiteral("/jpg/%1.jpg").arg(Segnali[k])),
                 qPrintable(controllo<Immagine>(*f, "Image1", k)->file()));
        QVERIFY(!controllo<Immagine>(*f, "Image1", k)->immagine().isNull());
    }
    QCOMPARE(posizioneGiusta(*f), 4);
    QCOMPARE(controllo<QLabel>(*f, "testo")->text(), QStringLiteral("   Segnale 73"));
    QCOMPARE(controllo<QLabel>(*f, "testo")->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(controllo<QLabel>(*f, "testo")->font().pointSizeF(), 18.0);
    QVERIFY(controllo<QLabel>(*f, "testo")->font().bold());
    QCOMPARE(sfondo(f->centralWidget()), ColoriSfondo[0]);
    QCOMPARE(a.casuale.estratti(), 8);
    QCOMPARE(a.casuale.fuoriCopione(), 0);

    attendeRisposta(*f);
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaNo")->isVisible());
    QVERIFY(!controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible());
    QCOMPARE(controllo<QLabel>(*f, "EtichettaEsatti")->text(), QStringLiteral(" 0"));
    QCOMPARE(controllo<QLabel>(*f, "EtichettaErrati")->text(), QStringLiteral(" 0"));
    QCOMPARE(controllo<QLabel>(*f, "Label4")->text(), QStringLiteral("selezionati tutti i segnali"));
    QCOMPARE(controllo<PulsanteGrafico>(*f, "Command1")->text(), QStringLiteral("avanti"));
    QCOMPARE(f->centralWidget()->size(), QSize(672, 502));
    QCOMPARE(controllo<QAction>(*f, "mnuAzzera")->text(), QStringLiteral("Azzera conteggio           "));
}

void TestFinestraRiconoscimento::rispostaGiusta_data()
{
    QTest::addColumn<int>("p");
    for (int p = 1; p <= 6; ++p)
        QTest::addRow("posizione %d", p) << p;
}

void TestFinestraRiconoscimento::rispostaGiusta()
{
    QFETCH(int, p);
    Ambiente a;
    auto f = apri(a, p);
    QCOMPARE(controllo<QLabel>(*f, "testo")->text(), QStringLiteral("   Segnale %1").arg(Segnali[p - 1]));
    a.casuale.aggiungi(0.3f); // si2.wav
    Immagine *giusta = controllo<Immagine>(*f, "Image1", p - 1);
    clic(giusta);

    QCOMPARE(a.suoni.nomi(), QStringList{"si2.wav"});
    QCOMPARE(int(a.stato.NumeroEsatti), 1);
    QCOMPARE(int(a.stato.NumeroErrati), 0);
    QCOMPARE(controllo<QLabel>(*f, "EtichettaEsatti")->text(), QStringLiteral(" 1"));
    QCOMPARE(controllo<QLabel>(*f, "EtichettaErrati")->text(), QStringLiteral(" 0"));
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible());
    QVERIFY(!controllo<PulsanteGrafico>(*f, "ComandoIconaNo")->isVisible());
    // the frame covers the whole picture, the wide ones of positions 2 and 5 included
    QVERIFY(controllo<CorniceRisposta>(*f, "Shape1")->isVisible());
    QCOMPARE(controllo<CorniceRisposta>(*f, "Shape1")->geometry(), giusta->geometry());
    for (Immagine *i : controlli<Immagine>(*f, "Image1", 6))
        QVERIFY(!i->isEnabled());
    QVERIFY(controllo<PulsanteGrafico>(*f, "Command1")->isEnabled());
}

void TestFinestraRiconoscimento::sbagliateFinoAllaGiusta()
{
    Ambiente a;
    auto f = apri(a, 2);
    const int estratti = a.casuale.estratti();
    clic(controllo<Immagine>(*f, "Image1", 0));
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaNo")->isVisible());
    QCOMPARE(controllo<QLabel>(*f, "EtichettaErrati")->text(), QStringLiteral(" 1"));
    attendeRisposta(*f);
    clic(controllo<Immagine>(*f, "Image1", 5));
    clic(controllo<Immagine>(*f, "Image1", 0));
    QCOMPARE(controllo<QLabel>(*f, "EtichettaErrati")->text(), QStringLiteral(" 3"));
    QCOMPARE(controllo<QLabel>(*f, "EtichettaEsatti")->text(), QStringLiteral(" 0"));
    QCOMPARE(a.casuale.estratti(), estratti); // wrong answers draw nothing
    attendeRisposta(*f);

    a.casuale.aggiungi(0.0f);
    clic(controllo<Immagine>(*f, "Image1", 1));
    QCOMPARE(int(a.stato.NumeroErrati), 3);
    QCOMPARE(int(a.stato.NumeroEsatti), 1);
    QCOMPARE(a.suoni.nomi(), (QStringList{"no.wav", "no.wav", "no.wav", "si1.wav"}));
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible());
    QVERIFY(!controllo<PulsanteGrafico>(*f, "ComandoIconaNo")->isVisible());
}

void TestFinestraRiconoscimento::clicDaRispostoNonFaNulla()
{
    Ambiente a;
    auto f = apri(a, 3);
    clic(controllo<Immagine>(*f, "Image1", 2));
    const int estratti = a.casuale.estratti();
    for (Immagine *i : controlli<Immagine>(*f, "Image1", 6))
        clic(i);
    QCOMPARE(int(a.stato.NumeroEsatti), 1);
    QCOMPARE(int(a.stato.NumeroErrati), 0);
    QCOMPARE(a.suoni.suonati.size(), 1);
    QCOMPARE(a.casuale.estratti(), estratti);
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible());
}

void TestFinestraRiconoscimento::avanti()
{
    Ambiente a;
    auto f = apri(a, 3);
    a.casuale.aggiungi(0.0f);
    clic(controllo<Immagine>(*f, "Image1", 2));
    // next: colour 18, signs 144, 1, 73, 37, 109, 15, right at 6
    script(a, {0.99f, 0.999f, 0.0f, 0.5f, 0.25f, 0.75f, 0.1f, 0.99f});
    clic(controllo<PulsanteGrafico>(*f, "Command1"));

    QCOMPARE(a.casuale.fuoriCopione(), 0);
    QCOMPARE(a.casuale.restanti(), 0);
    attendeRisposta(*f);
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible()); // the last answer's face stays
    QVERIFY(!controllo<PulsanteGrafico>(*f, "ComandoIconaNo")->isVisible());
    QCOMPARE(sfondo(f->centralWidget()), ColoriSfondo[17]);
    QCOMPARE(posizioneGiusta(*f), 6);
    QCOMPARE(controllo<QLabel>(*f, "testo")->text(), QStringLiteral("   Segnale 15"));
    QVERIFY(controllo<Immagine>(*f, "Image1", 0)->file().endsWith(QStringLiteral("/jpg/144.jpg")));
    QVERIFY(controllo<Immagine>(*f, "Image1", 5)->file().endsWith(QStringLiteral("/jpg/15.jpg")));
    QCOMPARE(int(a.stato.NumeroEsatti), 1);

    clic(controllo<Immagine>(*f, "Image1", 2)); // was right before, wrong now
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaNo")->isVisible());
    QCOMPARE(controllo<QLabel>(*f, "EtichettaErrati")->text(), QStringLiteral(" 1"));
    clic(controllo<Immagine>(*f, "Image1", 5));
    QCOMPARE(controllo<QLabel>(*f, "EtichettaEsatti")->text(), QStringLiteral(" 2"));
}

void TestFinestraRiconoscimento::categoriaDaRisposto()
{
    Ambiente a;
    auto f = apri(a, 5);
    clic(controllo<Immagine>(*f, "Image1", 4));
    voceCategoria(*f, Divieto)->trigger();

    QCOMPARE(controllo<QLabel>(*f, "Label4")->text(), QStringLiteral("selezionati Segnali di divieto"));
    QCOMPARE(int(a.stato.PrimoSegnale), 53);
    QCOMPARE(int(a.stato.UltimoSegnale), 81);
    for (Immagine *i : controlli<Immagine>(*f, "Image1", 6)) {
        const int n = QFileInfo(i->file()).baseName().toInt();
        QVERIFY2(n >= 53 && n <= 81, qPrintable(i->file()));
    }
    // A new exercise starts unanswered, as after "avanti"; the face of the last answer stays.
    attendeRisposta(*f);
    QVERIFY(controllo<PulsanteGrafico>(*f, "ComandoIconaSi")->isVisible());
    QCOMPARE(int(a.stato.NumeroEsatti), 1);
}

void TestFinestraRiconoscimento::categoriaNominata_data()
{
    QTest::addColumn<int>("categoria");
    QTest::addColumn<QString>("scritta");
    QTest::addColumn<int>("primo");
    QTest::addColumn<int>("ultimo");
    QTest::newRow("tutti") << int(Tutti) << "selezionati tutti i segnali" << 1 << 144;
    QTest::newRow("pericolo") << int(Pericolo) << "selezionati segnali di pericolo" << 1 << 38;
    QTest::newRow("precedenza") << int(Precedenza) << "selezionati segnali di precedenza" << 39 << 52;
    QTest::newRow("divieto") << int(Divieto) << "selezionati Segnali di divieto" << 53 << 81;
    QTest::newRow("sosta") << int(Sosta) << "selezionati segnali di fermata, sosta e parcheggio" << 82 << 89;
    QTest::newRow("obbligo") << int(Obbligo) << "selezionati segnali di obbligo" << 90 << 117;
    QTest::newRow("indicazione") << int(Indicazione) << "selezionati segnali di indicazione" << 118 << 144;
}

void TestFinestraRiconoscimento::categoriaNominata()
{
    QFETCH(int, categoria);
    QFETCH(QString, scritta);
    QFETCH(int, primo);
    QFETCH(int, ultimo);
    Ambiente a;
    auto f = apri(a);
    clic(controllo<Immagine>(*f, "Image1", 0)); // a wrong answer: the category choice keeps the count
    voceCategoria(*f, categoria)->trigger();
    QCOMPARE(controllo<QLabel>(*f, "Label4")->text(), scritta);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(voceCategoria(*f, i)->isChecked(), i == categoria);
    QSet<int> diversi;
    for (Immagine *i : controlli<Immagine>(*f, "Image1", 6)) {
        const int n = QFileInfo(i->file()).baseName().toInt();
        QVERIFY(n >= primo && n <= ultimo);
        diversi.insert(n);
    }
    QCOMPARE(diversi.size(), 6);
    QCOMPARE(int(a.stato.NumeroErrati), 1);
    QCOMPARE(controllo<QLabel>(*f, "EtichettaErrati")->text(), QStringLiteral(" 1"));
    attendeRisposta(*f);
}

void TestFinestraRiconoscimento::nomiAccessibili()
{
    Ambiente a;
    // Signs 73 .. at the first positions: names follow the place, never the sign.
    script(a, {0.0f, 0.5f, 0.0f, 0.1f, 0.25f, 0.75f, 0.999f, 0.0f});
    auto f = std::make_unique<formDisegni>(a.contesto);
    f->show();
    QVERIFY(controllo<Immagine>(*f, "Image1", 0)->file().endsWith(QStringLiteral("/jpg/73.jpg")));
    for (int k = 0; k < 6; ++k)
        QCOMPARE(nomeAccessibile(controllo<Immagine>(*f, "Image1", k)), QStringLiteral("Segnale %1").arg(k + 1));
    QCOMPARE(nomeAccessibile(controllo<PulsanteGrafico>(*f, "ComandoIconaSi")), QStringLiteral("Risposta giusta"));
    QCOMPARE(nomeAccessibile(controllo<PulsanteGrafico>(*f, "ComandoIconaNo")), QStringLiteral("Risposta sbagliata"));
    QCOMPARE(nomeAccessibile(controllo<PulsanteGrafico>(*f, "Command1")), QStringLiteral("avanti"));
    QCOMPARE(nomeAccessibile(controllo<QLabel>(*f, "EtichettaEsatti")), QStringLiteral("Esatti"));
    QCOMPARE(nomeAccessibile(controllo<QLabel>(*f, "EtichettaErrati")), QStringLiteral("Errati"));
    QCOMPARE(nomeAccessibile(controllo<QLabel>(*f, "testo")), QStringLiteral("Segnale 73"));
    a.casuale.aggiungi(0.0f);
    clic(controllo<Immagine>(*f, "Image1", 0));
    QCOMPARE(QAccessible::queryAccessibleInterface(controllo<QLabel>(*f, "EtichettaEsatti"))->text(QAccessible::Description),
             QStringLiteral("1"));
}

void TestFinestraRiconoscimento::cornice()
{
    Ambiente a;
    auto f = apri(a, 2);
    clic(controllo<Immagine>(*f, "Image1", 1));
    // The frame lets the clicks through, and it stands out on every background colour.
    QVERIFY(controllo<CorniceRisposta>(*f, "Shape1")->testAttribute(Qt::WA_TransparentForMouseEvents));
    const QImage vista = f->centralWidget()->grab().toImage();
    const QRect r = controllo<CorniceRisposta>(*f, "Shape1")->geometry();
    const QColor colore = CorniceRisposta::colore();
    for (const QPoint &p : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight(),
                            r.topLeft() + QPoint(8, 8), QPoint(r.center().x(), r.top() + 4)})
        QCOMPARE(vista.pixelColor(p), colore);
    QVERIFY(vista.pixelColor(r.topLeft() + QPoint(12, 12)) != colore); // the picture shows inside

    auto luminanza = [](const QColor &c) {
        auto lineare = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * lineare(c.redF()) + 0.7152 * lineare(c.greenF()) + 0.0722 * lineare(c.blueF());
    };
    for (ColoreVB c : ColoriSfondo) {
        const double l1 = luminanza(coloreQt(c, f.get()));
        const double l2 = luminanza(colore);
        const double contrasto = (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05);
        QVERIFY2(contrasto >= 2.4, qPrintable(QString::number(c, 16)));
    }
}

QTEST_MAIN(TestFinestraRiconoscimento)
#include "tst_riconoscimento_finestra.moc"
