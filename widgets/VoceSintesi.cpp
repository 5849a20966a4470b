#include "widgets/VoceSintesi.h"

#include <QLocale>
#include <QTextToSpeech>

namespace cartavia {

// The engine and what is done with it, on the reader's thread.
class VoceSintesi::Lettore : public QObject
{
public:
    void apri()
    {
        if (QTextToSpeech::availableEngines().isEmpty())
            return;
        m_sintesi = new QTextToSpeech(this);
        if (m_sintesi->state() == QTextToSpeech::Error)
            return;
        // Italian when the engine speaks it: the locale picks its voice.
        const QList<QLocale> lingue = m_sintesi->availableLocales();
        for (const QLocale &lingua : lingue) {
            if (lingua.language() == QLocale::Italian) {
                m_sintesi->setLocale(lingua);
                break;
            }
        }
    }

    void leggi(const QString &parole)
    {
        if (!m_sintesi || m_sintesi->state() == QTextToSpeech::Error)
            return;
        m_sintesi->stop(QTextToSpeech::BoundaryHint::Immediate);
        m_sintesi->say(parole);
    }

private:
    QTextToSpeech *m_sintesi = nullptr; // null without an engine
};

VoceSintesi::VoceSintesi(QObject *parent)
    : QObject(parent), m_filo(new QThread), m_lettore(new Lettore)
{
    m_filo->setObjectName(QStringLiteral("voce"));
    m_lettore->moveToThread(m_filo);
    connect(m_filo, &QThread::finished, m_lettore, &QObject::deleteLater);
    m_filo->start(QThread::LowPriority);
    QMetaObject::invokeMethod(m_lettore, [lettore = m_lettore] { lettore->apri(); }, Qt::QueuedConnection);
}

VoceSintesi::~VoceSintesi()
{
    m_filo->quit();
    // An engine still opening (a speech server that does not answer) must not keep the
    // program from ending: after two seconds the thread is left to the end of the process.
    if (m_filo->wait(2000))
        delete m_filo;
}

void VoceSintesi::leggi(const QString &testo)
{
    const QString parole = testo.simplified();
    if (parole.isEmpty())
        return;
    // Queued in order behind the opening: a new reading still stops the one before it.
    QMetaObject::invokeMethod(m_lettore, [lettore = m_lettore, parole] { lettore->leggi(parole); },
                              Qt::QueuedConnection);
}

Voce *cartavia_creaVoce()
{
    return new VoceSintesi;
}

} // namespace cartavia
