#pragma once

#include "logic/ModuloColoriSuoni.h"

#include <QByteArray>
#include <QHash>
#include <QObject>

#include <pulse/sample.h>

namespace cartavia {

// A WAV file decoded into memory: its PCM samples and their format.
struct SuonoDecodificato
{
    pa_sample_spec formato{};
    QByteArray campioni;
};

// Reads a WAV file (PCM of 8, 16 or 32 bits, or 32-bit float; any rate, one or two
// channels). Anything that is not a regular file, once symbolic links are followed, is
// refused without waiting (apriInLettura), so a named pipe cannot hold the program. Returns false
// when the file is missing, unreadable or not such a WAV file.
bool decodificaWav(const QString &file, SuonoDecodificato &suono);

// The real sound output, built into the module cartavia_suoni with PulseAudio's simple API
// (libpulse-simple): the five sounds of the folder suoni, decoded when it is created and played
// without waiting. A new sound stops the one still playing; a file that is missing or cannot be
// decoded gives the system's default sound instead. Without a sound server nothing is heard and
// nothing waits.
//
// Nothing that talks to the sound server runs on the window thread: a server that hangs
// (stopped, overloaded) keeps the player waiting for as long as it hangs. Sounds are played on
// a thread of their own ("suoni"); while it is held, a new sound replaces the one waiting, and a
// sound that waited more than a second is dropped. Every sound opens its own connection to the
// server, so a server that went away and came back, however late, is used by the next sound.
// Deleting the player never waits: the thread ends on its own once the server lets it.
//
// (Qt Multimedia's QAudioSink connects to the server once and, with Qt 6.4, tries again only
// once, three seconds after it went away; one QSoundEffect played again and again went silent
// from about its fifth play. See bench/README.md, "Sound".)
class SuoniEffetti : public QObject, public Suoni
{
    Q_OBJECT
public:
    explicit SuoniEffetti(const QString &cartella, QObject *parent = nullptr);
    ~SuoniEffetti() override;

    void suona(const QString &file) override;

private:
    class Uscita;

    QHash<QString, SuonoDecodificato> m_suoni;
    Uscita *m_uscita; // lives on its own thread, which deletes it
};

// What the module exports: a new SuoniEffetti for the program directory `cartella`,
// owned by the caller.
extern "C" Q_DECL_EXPORT Suoni *cartavia_creaSuoni(const QString &cartella);

} // namespace cartavia
