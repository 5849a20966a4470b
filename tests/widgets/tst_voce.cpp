#include "widgets/VoceSintesi.h"

#include <QMutex>
#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <atomic>

using namespace cartavia;

namespace {

// What the scripted engines did. The first reading hangs until the test lets it go when
// `blocca`; the first `guasti` readings fail.
struct Copione
{
    bool blocca = false, liberataDalTest = false;
    int guasti = 0;
    QSemaphore dentro, libera;
    QMutex mutex;
    QStringList letture;
    std::atomic<int> creati{0}, distrutti{0};
    std::atomic<QThread *> filoDistruzione{nullptr};

    QStringList lette()
    {
        QMutexLocker blocco(&mutex);
        return letture;
    }
};

struct MotoreScriptato : MotoreVoce
{
    Copione &c;
    explicit MotoreScriptato(Copione &copione) : c(copione) { ++c.creati; }
    ~MotoreScriptato() override
    {
        c.filoDistruzione = QThread::currentThread();
        ++c.distrutti;
    }
    bool leggi(const QString &parole) override
    {
        QMutexLocker blocco(&c.mutex);
        c.letture << parole;
        if (c.guasti > 0)
            return --c.guasti, false;
        if (std::exchange(c.blocca, false)) {
            blocco.unlock();
            c.dentro.release();
            c.liberataDalTest = c.libera.tryAcquire(1, 10000);
        }
        return true;
    }
};

} // namespace

class TestVoce : public QObject
{
    Q_OBJECT
private slots:
    void motoreBloccato();
    void motoreGuasto();
};

// The window thread never waits for the engine, to read or to end. What was asked while the
// engine hung is not queued behind it, and the engine ends on its own thread.
void TestVoce::motoreBloccato()
{
    Copione c;
    c.blocca = true;
    auto *voce = new VoceSintesi([&c] { return std::make_unique<MotoreScriptato>(c); });
    voce->leggi(QStringLiteral("uno"));
    QVERIFY(c.dentro.tryAcquire(1, 10000));
    voce->leggi(QStringLiteral("due"));
    delete voce;
    c.libera.release(); // had the window thread waited, the engine would have given up by now
    QTRY_COMPARE(c.distrutti.load(), 1);
    QVERIFY(c.liberataDalTest);
    QVERIFY(c.filoDistruzione != QThread::currentThread());
    QCOMPARE(c.lette(), QStringList{QStringLiteral("uno")});
}

// An engine that fails (its server died) is made anew, and the reading is not lost.
void TestVoce::motoreGuasto()
{
    Copione c;
    c.guasti = 1;
    auto *voce = new VoceSintesi([&c] { return std::make_unique<MotoreScriptato>(c); });
    voce->leggi(QStringLiteral("  uno\n"));
    QTRY_COMPARE(c.lette(), QStringList({QStringLiteral("uno"), QStringLiteral("uno")}));
    QCOMPARE(c.creati.load(), 2);
    delete voce;
    QTRY_COMPARE(c.distrutti.load(), 2);
}

QTEST_GUILESS_MAIN(TestVoce)
#include "tst_voce.moc"
