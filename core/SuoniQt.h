#pragma once

#include "core/ModuloColoriSuoni.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

// The real sound output: the five sounds of the folder suoni, loaded once and played
// without waiting. A new sound stops the one still playing; a file that is missing or
// cannot be played gives the system's default sound instead. Without an audio device
// nothing is heard and nothing waits.
//
// Setting up the audio output takes a while, so the sounds are loaded once the event loop
// runs, after the first window is on screen; a sound asked for before then loads them at once.
class SuoniQt : public QObject, public Suoni
{
    Q_OBJECT
public:
    explicit SuoniQt(const QString &cartella, QObject *parent = nullptr);

    void suona(const QString &file) override;

private:
    void carica();

    QString m_cartella;
    bool m_caricati = false;
    QHash<QString, QSoundEffect *> m_effetti;
};
