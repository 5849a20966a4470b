#pragma once

#include "logic/ModuloColoriSuoni.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

// The real sound output, built into the module cartavia_suoni with Qt Multimedia: the five
// sounds of the folder suoni, loaded when it is created and played without waiting. A new
// sound stops the one still playing; a file that is missing or cannot be played gives the
// system's default sound instead. Without an audio device nothing is heard and nothing waits.
class SuoniEffetti : public QObject, public Suoni
{
    Q_OBJECT
public:
    explicit SuoniEffetti(const QString &cartella, QObject *parent = nullptr);

    void suona(const QString &file) override;

private:
    QHash<QString, QSoundEffect *> m_effetti;
};

// What the module exports: a new SuoniEffetti for the program directory `cartella`,
// owned by the caller.
extern "C" Q_DECL_EXPORT Suoni *cartavia_creaSuoni(const QString &cartella);
