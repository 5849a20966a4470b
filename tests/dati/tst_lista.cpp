// The catalogue the program ships: it loads, and every text fits every label it can land in.
#include "widgets/Aspetto.h"
#include "logic/Catalogo.h"
#include "logic/Stato.h"
#include "widgets/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QSet>
#include <QtTest>

using namespace cartavia;

class TestLista : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void voci();
    void cape_data();
    void cape();

private:
    QStringList m_lista;
};

void TestLista::initTestCase()
{
    m_lista = caricaCatalogo(QStringLiteral(CARTAVIA_SORGENTI "/data"));
}

void TestLista::voci()
{
    QCOMPARE(m_lista.size(), NumeroSegnali + 1);
    QSet<QString> viste;
    for (int n = 1; n <= NumeroSegnali; ++n) {
        const QString &voce = m_lista.at(n);
        QVERIFY2(!voce.isEmpty() && voce.size() <= 70, qPrintable(QString::number(n)));
        QVERIFY2(voce == voce.trimmed(), qPrintable(voce));
        QVERIFY2(!viste.contains(voce), qPrintable(voce));
        viste.insert(voce);
    }
    // Entries that would move if a comma or an encoding went wrong.
    QCOMPARE(m_lista.at(1), QStringLiteral("Strada deformata"));
    QCOMPARE(m_lista.at(6), QStringLiteral("Doppia curva, la prima a destra"));
    QCOMPARE(m_lista.at(40), QStringLiteral("Fermarsi e dare precedenza - Stop"));
    QVERIFY(m_lista.at(73).contains(QStringLiteral("più")));
    QCOMPARE(m_lista.at(144), QStringLiteral("Galleria"));
}

void TestLista::cape_data()
{
    QTest::addColumn<QString>("prefisso");
    QTest::addColumn<QString>("famiglia");
    QTest::addColumn<qreal>("punti");
    QTest::addColumn<bool>("grassetto");
    QTest::addColumn<bool>("bordo");
    QTest::addColumn<QSize>("dimensione");

    // Every label a catalogue text can be shown in, with its font and size in twips.
    QTest::newRow("abbinamento: casella") << "" << "MS Sans Serif" << 12.0 << true << true << twSize(2955, 1500);
    QTest::newRow("abbinamento: definizione") << "" << "MS Sans Serif" << 12.0 << true << false << twSize(2955, 1500);
    QTest::newRow("definizione: descrizione") << "" << "Arial" << 12.0 << true << true << twSize(4995, 855);
    QTest::newRow("riconoscimento: testo") << "   " << "MS Sans Serif" << 18.0 << true << true << twSize(6975, 1215);
    QTest::newRow("puzzle: testo") << "" << "Arial" << 12.0 << false << true << twSize(2895, 1815);
}

void TestLista::cape()
{
    QFETCH(QString, prefisso);
    QFETCH(QString, famiglia);
    QFETCH(qreal, punti);
    QFETCH(bool, grassetto);
    QFETCH(bool, bordo);
    QFETCH(QSize, dimensione);

    QLabel etichetta;
    etichetta.setFont(carattere(famiglia, punti, grassetto));
    etichetta.setWordWrap(true);
    etichetta.setAlignment(Qt::AlignCenter);
    if (bordo)
        etichetta.setFrameStyle(QFrame::Box | QFrame::Plain);
    etichetta.setFixedSize(dimensione);

    for (int n = 1; n <= NumeroSegnali; ++n) {
        etichetta.setText(prefisso + m_lista.at(n));
        const QString chi = QStringLiteral("%1: %2").arg(n).arg(m_lista.at(n));
        QVERIFY2(etichetta.heightForWidth(dimensione.width()) <= dimensione.height(), qPrintable(chi));
        QVERIFY2(etichetta.minimumSizeHint().width() <= dimensione.width(), qPrintable(chi));
    }
}

QTEST_MAIN(TestLista)
#include "tst_lista.moc"
