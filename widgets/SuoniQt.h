#pragma once

#include "logic/ModuloColoriSuoni.h"

#include <QObject>
#include <memory>

namespace cartavia {

// The program's sound output. The player itself (SuoniEffetti, with PulseAudio's client
// library behind it) lives in the module cartavia_suoni beside the executable, so that
// linking it does not delay the first window: the module is loaded once the event
// loop runs, after the splash window is on screen, and a sound asked for before then loads
// it at once. Without the module every sound is the system's default sound.
class SuoniQt : public QObject, public Suoni
{
    Q_OBJECT
public:
    // `cartella` holds the folder suoni; the module is looked for in `cartellaModulo`.
    SuoniQt(const QString &cartella, const QString &cartellaModulo, QObject *parent = nullptr);
    ~SuoniQt() override;

    void suona(const QString &file) override;

    // Loads the module, if not yet tried; true when the real player is in use.
    bool carica();

private:
    QString m_cartella;
    QString m_cartellaModulo;
    bool m_provato = false;
    std::unique_ptr<Suoni> m_lettore;
};

} // namespace cartavia
