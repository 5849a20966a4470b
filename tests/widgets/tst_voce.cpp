#include "widgets/VoceSintesi.h"

#include <QMutex>
#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <atomic>

using namespace cartavia;

namespace {

// What the scripted engines did; the first reading may hang until the test lets it go, and
// the first `guasti` readings fail.
struct Copione
{
    bool blocca = false;
    int guasti = 0;
    QSemaphore dentro, libera;
    bool liberataDalTest = false;
    QMutex mutex;
    QStringList letture;
    std::atomic<int> creati{0}, distrutti{0};
    std::atomic<QThread *> filoDistruzione{nullptr};
};

class MotoreScriptato : public MotoreVoce
{
public:
    explicit MotoreScriptato(Copione &c) : m_c(c) { ++m_c.creati; }
    ~MotoreScriptato() override
    {
        m_c.filoDistruzione = QThread::currentThread();
        ++m_c.distrutti;
    }
    bool leggi(const QString &parole) override
    {
        QMutexLocker blocco(&m_c.mutex);
        m_c.letture << parole;
        if (m_c.guasti > 0) {
            --m_c.guasti;
            return false;
        }
        if (std::exchange(m_c.blocca, false)) {
            blocco.unlock();
            m_c.dentro.release();
            m_c.liberataDalTest = m_c.libera.tryAcquire(1, 10000);
        }
        return true;
    }

private:
    Copione &m_c;
};

QStringList letture(Copione &c)
{
    QMutexLocker blocco(&c.mutex);
    return c.letture;
}

} // namespace

class TestVoce : public QObject
{
    Q_OBJECT
private slots:
    void motoreBloccato();
    void motoreGuasto();
};

// The window thread never waits for the engine: neither to read nor to end. What was asked
// while the engine hung is not queued up behind it, and the engine ends on its own thread.
void TestVoce::motoreBloccato()
{
    Copione c;
    c.blocca = true;
    auto *voce = new VoceSintesi([&c] { return std::make_unique<MotoreScriptato>(c); });
    voce->leggi(QStringLiteral("uno"));
    QVERIFY(c.dentro.tryAcquire(1, 10000));
    voce->leggi(QStringLiteral("due"));
    voce->leggi(QStringLiteral("tre"));
    delete voce;
    c.libera.release(); // had the window thread waited, the engine would have given up by now
    QTRY_COMPARE(c.distrutti.load(), 1);
    QVERIFY(c.liberataDalTest);
    QVERIFY(c.filoDistruzione != QThread::currentThread());
    QCOMPARE(letture(c), QStringList{QStringLiteral("uno")});
}

// An engine that fails (its server died) is made anew, and the reading is not lost.
void TestVoce::motoreGuasto()
{
    Copione c;
    c.guasti = 1;
    auto *voce = new VoceSintesi([&c] { return std::make_unique<MotoreScriptato>(c); });
    voce->leggi(QStringLiteral("  uno\n"));
    QTRY_COMPARE(letture(c), QStringList({QStringLiteral("uno"), QStringLiteral("uno")}));
    QCOMPARE(c.creati.load(), 2);
    delete voce;
    QTRY_COMPARE(c.distrutti.load(), 2);
}

QTEST_GUILESS_MAIN(TestVoce)
#include "tst_voce.moc"
