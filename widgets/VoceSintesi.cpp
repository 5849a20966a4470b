#include "widgets/VoceSintesi.h"

#include <QMutex>
#include <QThread>

#include <libspeechd.h>

#include <csignal>
#include <cstdlib>
#include <pthread.h>

namespace cartavia {

namespace {

// speech-dispatcher through its own client library, one connection that answers each call
// before the next: the reader's thread waits, no one else does. The Italian voice is asked
// for by its language; the list of voices, thousands with espeak-ng (which the server writes
// to its log whenever a client asks for it), is never asked for.
class MotoreSpeechd : public MotoreVoce
{
public:
    explicit MotoreSpeechd(SPDConnection *connessione) : m_connessione(connessione)
    {
        spd_set_language(m_connessione, "it");
    }
    ~MotoreSpeechd() override { spd_close(m_connessione); }

    bool leggi(const QString &parole) override
    {
        // A server that is gone fails both: the engine is then made anew.
        return spd_cancel(m_connessione) == 0
               && spd_say(m_connessione, SPD_TEXT, parole.toUtf8().constData()) >= 0;
    }

private:
    SPDConnection *m_connessione;
};

} // namespace

std::unique_ptr<MotoreVoce> motoreSpeechd()
{
    // Starts speech-dispatcher when none runs, as a desktop's screen reader would.
    char *errore = nullptr;
    SPDConnection *connessione = spd_open2("cartavia", "voce", nullptr, SPD_MODE_SINGLE, nullptr,
                                           1, &errore);
    std::free(errore);
    if (!connessione)
        return nullptr;
    return std::make_unique<MotoreSpeechd>(connessione);
}

// The engine and what is done with it, on the reader's thread.
class VoceSintesi::Lettore : public QObject
{
public:
    explicit Lettore(CreaMotoreVoce crea) : m_crea(std::move(crea)) {}

    // From the window thread: `parole` are read next, in place of any not yet begun.
    void chiedi(const QString &parole)
    {
        QMutexLocker blocco(&m_attesa);
        const bool nuova = m_prossime.isNull();
        m_prossime = parole;
        if (nuova) // throws nothing: the engine's calls report failures by their result
            QMetaObject::invokeMethod(this, [this] { leggiProssime(); }, Qt::QueuedConnection);
    }

private:
    void leggiProssime()
    {
        if (QThread::currentThread()->isInterruptionRequested())
            return; // the reader is gone: nothing more is read
        QString parole;
        {
            QMutexLocker blocco(&m_attesa);
            parole.swap(m_prossime);
        }
        // An engine that has failed is made again, once per reading.
        for (int prova = 0; prova < 2; ++prova) {
            if (!m_motore)
                m_motore = m_crea();
            if (!m_motore || m_motore->leggi(parole))
                return;
            m_motore.reset();
        }
    }

    CreaMotoreVoce m_crea;
    std::unique_ptr<MotoreVoce> m_motore;
    QMutex m_attesa;
    QString m_prossime; // null when no reading waits
};

VoceSintesi::VoceSintesi(CreaMotoreVoce crea, QObject *parent)
    : QObject(parent), m_lettore(new Lettore(std::move(crea)))
{
    auto *filo = new QThread;
    filo->setObjectName(QStringLiteral("voce"));
    m_lettore->moveToThread(filo);
    // The reader and its engine end on their thread; the thread object on the window thread.
    connect(filo, &QThread::finished, m_lettore, &QObject::deleteLater);
    connect(filo, &QThread::finished, filo, &QObject::deleteLater);
    // A server that went away makes the engine's next write fail; unblocked, the SIGPIPE of
    // that write would end the program. The thread blocks it for itself alone.
    connect(filo, &QThread::started, filo, [] { // throws nothing: sets a signal mask
        sigset_t tubo;
        sigemptyset(&tubo);
        sigaddset(&tubo, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &tubo, nullptr);
    }, Qt::DirectConnection);
    filo->start(QThread::LowPriority);
}

VoceSintesi::~VoceSintesi()
{
    m_lettore->thread()->requestInterruption();
    m_lettore->thread()->quit();
}

void VoceSintesi::leggi(const QString &testo)
{
    const QString parole = testo.simplified();
    if (!parole.isEmpty())
        m_lettore->chiedi(parole);
}

Voce *cartavia_creaVoce()
{
    return new VoceSintesi;
}

} // namespace cartavia
