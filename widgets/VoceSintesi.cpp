#include "widgets/VoceSintesi.h"

#include <QLocale>
#include <QMutex>
#include <QTextToSpeech>
#include <QThread>

namespace cartavia {

namespace {

class MotoreTextToSpeech : public MotoreVoce
{
public:
    // The Italian voice is asked for by its language: the whole list of voices, thousands
    // with espeak-ng, is never gone through.
    MotoreTextToSpeech() { m_sintesi.setLocale(QLocale(QLocale::Italian, QLocale::Italy)); }

    bool leggi(const QString &parole) override
    {
        if (m_sintesi.state() == QTextToSpeech::Error)
            return false;
        m_sintesi.stop(QTextToSpeech::BoundaryHint::Immediate);
        m_sintesi.say(parole); // a server that is gone puts the engine in its Error state
        return m_sintesi.state() != QTextToSpeech::Error;
    }

private:
    QTextToSpeech m_sintesi;
};

} // namespace

std::unique_ptr<MotoreVoce> motoreTextToSpeech()
{
    if (QTextToSpeech::availableEngines().isEmpty())
        return nullptr;
    return std::make_unique<MotoreTextToSpeech>();
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
