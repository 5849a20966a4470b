// The one way out for failures: a failure in a slot.
#include "app/Applicazione.h"
#include "logic/Errore.h"
#include "logic/Protezione.h"
#include "Ambiente.h"

#include <QPushButton>
#include <stdexcept>
#include <QtTest>

using namespace cartavia;

namespace {
// A failure as a window's slot can meet one.
void guasto()
{
    throw ErroreCartavia(QStringLiteral("File non trovato"), QStringLiteral("/p/jpg/3.jpg"));
}
}

class TestApplicazione : public QObject
{
    Q_OBJECT
private slots:
    void erroreInUnoSlot_data();
    void erroreInUnoSlot();
};

void TestApplicazione::erroreInUnoSlot_data()
{
    QTest::addColumn<bool>("imprevisto");
    QTest::addColumn<QString>("inizio");
    QTest::newRow("ErroreCartavia") << false << QStringLiteral("File non trovato");
    QTest::newRow("altra eccezione") << true << QStringLiteral("Errore imprevisto: ");
}

// A failure in a slot stops at the wrapper of its connect: it never reaches Qt's signal
// dispatch (no notify() catches it any more), and the one box ends the program.
void TestApplicazione::erroreInUnoSlot()
{
    QFETCH(bool, imprevisto);
    QFETCH(QString, inizio);
    Ambiente a;
    QPushButton pulsante;
    bool dopo = false;
    QObject::connect(&pulsante, &QPushButton::clicked, &pulsante, protetto(a.contesto, [&] {
                         if (imprevisto)
                             throw std::runtime_error("guasto");
                         guasto();
                         dopo = true;
                     }));
    pulsante.resize(50, 50);
    pulsante.show();
    QTest::mouseClick(&pulsante, Qt::LeftButton);

    QVERIFY(!dopo);
    QCOMPARE(a.dialoghi.mostrati.size(), 1);
    QCOMPARE(a.dialoghi.mostrati.first().second, 16);
    QVERIFY(a.dialoghi.mostrati.first().first.startsWith(inizio));
    QCOMPARE(a.codiceUscita, std::optional<int>(1));
}

int main(int argc, char *argv[])
{
    Applicazione app(argc, argv);
    TestApplicazione test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_applicazione.moc"
