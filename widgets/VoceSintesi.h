#pragma once

#include "logic/Voce.h"

#include <QObject>
#include <functional>
#include <memory>

namespace cartavia {

// What reads aloud, on the reader's thread: speech-dispatcher in the program, a scripted one
// in tests.
class MotoreVoce
{
public:
    virtual ~MotoreVoce() = default;
    // Starts reading `parole`, cutting off the reading still going. False when the engine has
    // failed (its server is gone): it is then made anew.
    virtual bool leggi(const QString &parole) = 0;
};

// Makes an engine, on the reader's thread; null when there is none to be had.
using CreaMotoreVoce = std::function<std::unique_ptr<MotoreVoce>()>;

// speech-dispatcher (libspeechd), in Italian; null when no server can be reached or started.
std::unique_ptr<MotoreVoce> motoreSpeechd();

// The real reader, built into the module cartavia_voce. A reading starts at once and never
// waits; a new one stops the one still going. Without an engine nothing is heard and nothing
// fails.
//
// The engine is made at the first reading, on a thread of its own, and stays there: opening
// speech-dispatcher can take seconds (it is started on the first connection, with its speech
// engines), and no window waits for it. Readings asked for meanwhile are not queued:
// only the last one is read once the engine is ready. An engine that fails is made again
// for the next reading, so a restarted speech-dispatcher is used again.
//
// Deleting the reader never waits either: the thread is told to end, and it deletes the
// engine itself, on its own, when the engine lets it. An engine that never answers is left to
// the end of the process.
class VoceSintesi : public QObject, public Voce
{
    Q_OBJECT
public:
    explicit VoceSintesi(CreaMotoreVoce crea = motoreSpeechd, QObject *parent = nullptr);
    ~VoceSintesi() override;

    void leggi(const QString &testo) override;

private:
    class Lettore;
    Lettore *m_lettore; // lives on its own thread, which deletes it
};

// What the module exports: a new VoceSintesi, owned by the caller.
extern "C" Q_DECL_EXPORT Voce *cartavia_creaVoce();

} // namespace cartavia
