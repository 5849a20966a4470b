#include "widgets/VoceSintesi.h"

#include <QLocale>
#include <QTextToSpeech>

namespace cartavia {

VoceSintesi::VoceSintesi(QObject *parent) : QObject(parent)
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

void VoceSintesi::leggi(const QString &testo)
{
    if (!m_sintesi || m_sintesi->state() == QTextToSpeech::Error)
        return;
    const QString parole = testo.simplified();
    if (parole.isEmpty())
        return;
    m_sintesi->stop(QTextToSpeech::BoundaryHint::Immediate);
    m_sintesi->say(parole);
}

Voce *cartavia_creaVoce()
{
    return new VoceSintesi;
}

} // namespace cartavia
