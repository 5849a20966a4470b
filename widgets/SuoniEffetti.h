#pragma once

#include "logic/ModuloColoriSuoni.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>

class QAudioSink;

namespace cartavia {

// A WAV file decoded into memory: its PCM samples and their format.
struct SuonoDecodificato
{
    QAudioFormat formato;
    QByteArray campioni;
};

// Reads a WAV file (PCM of 8, 16 or 32 bits, or 32-bit float; any rate, one or two
// channels). Anything that is not a regular file, once symbolic links are followed, is
// refused without waiting (apriInLettura), so a named pipe cannot hold the program. Returns false
// when the file is missing, unreadable or not such a WAV file.
bool decodificaWav(const QString &file, SuonoDecodificato &suono);

// The real sound output, built into the module cartavia_suoni with Qt Multimedia: the five
// sounds of the folder suoni, decoded when it is created and played without waiting, each
// play on a new QAudioSink fed from memory. A new sound stops the one still playing; a file
// that is missing or cannot be decoded gives the system's default sound instead. Without an
// audio device nothing is heard and nothing waits.
//
// (One QSoundEffect played again and again went silent from about its fifth play with Qt
// 6.4; see bench/README.md, "Sound".)
class SuoniEffetti : public QObject, public Suoni
{
    Q_OBJECT
public:
    explicit SuoniEffetti(const QString &cartella, QObject *parent = nullptr);
    ~SuoniEffetti() override;

    void suona(const QString &file) override;

private:
    void ferma();

    QHash<QString, SuonoDecodificato> m_suoni;
    QPointer<QAudioSink> m_uscita;
};

// What the module exports: a new SuoniEffetti for the program directory `cartella`,
// owned by the caller.
extern "C" Q_DECL_EXPORT Suoni *cartavia_creaSuoni(const QString &cartella);

} // namespace cartavia
