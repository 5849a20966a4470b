#pragma once

#include "logic/Voce.h"

#include <QObject>
#include <memory>

namespace cartavia {

// The program's speech output. The reader itself (VoceSintesi, with speech-dispatcher's client
// library behind it) lives in the module cartavia_voce beside the executable, loaded at
// the first reading: most sessions never read aloud, and then neither the module nor the
// speech engine costs them start-up time or memory. Without the module, or without a speech
// engine, nothing is heard.
class VoceQt : public QObject, public Voce
{
    Q_OBJECT
public:
    // The module is looked for in `cartellaModulo`.
    explicit VoceQt(const QString &cartellaModulo, QObject *parent = nullptr);
    ~VoceQt() override;

    void leggi(const QString &testo) override;

    // Loads the module, if not yet tried; true when a real reader is in use.
    bool carica();

private:
    QString m_cartellaModulo;
    bool m_provato = false;
    std::unique_ptr<Voce> m_lettore;
};

} // namespace cartavia
