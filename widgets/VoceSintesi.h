#pragma once

#include "logic/Voce.h"

#include <QObject>
#include <QThread>

class QTextToSpeech;

namespace cartavia {

// The real reader, built into the module cartavia_voce with Qt TextToSpeech: the platform's
// speech engine (speech-dispatcher on Linux) with an Italian voice when the engine has one.
// A reading starts at once and never waits; a new one stops the one still going. Without
// an engine, or with one that fails, nothing is heard and nothing fails.
//
// The engine lives on a thread of its own. Opening it can take long: speech-dispatcher is
// started on the first connection, and its list of voices (thousands with espeak-ng) is read
// and parsed before QTextToSpeech's constructor returns. The windows never wait for that; a
// reading asked for meanwhile is spoken once the engine is ready.
class VoceSintesi : public QObject, public Voce
{
    Q_OBJECT
public:
    explicit VoceSintesi(QObject *parent = nullptr);
    ~VoceSintesi() override;

    void leggi(const QString &testo) override;

private:
    class Lettore;

    QThread *m_filo;
    Lettore *m_lettore; // lives on m_filo
};

// What the module exports: a new VoceSintesi, owned by the caller.
extern "C" Q_DECL_EXPORT Voce *cartavia_creaVoce();

} // namespace cartavia
