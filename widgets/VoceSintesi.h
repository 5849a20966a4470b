#pragma once

#include "logic/Voce.h"

#include <QObject>

class QTextToSpeech;

namespace cartavia {

// The real reader, built into the module cartavia_voce with Qt TextToSpeech: the platform's
// speech engine (speech-dispatcher on Linux) with an Italian voice when the engine has one.
// A reading starts at once and never waits; a new one stops the one still going. Without
// an engine, or with one that fails, nothing is heard and nothing fails.
class VoceSintesi : public QObject, public Voce
{
    Q_OBJECT
public:
    explicit VoceSintesi(QObject *parent = nullptr);

    void leggi(const QString &testo) override;

private:
    QTextToSpeech *m_sintesi = nullptr; // null without an engine
};

// What the module exports: a new VoceSintesi, owned by the caller.
extern "C" Q_DECL_EXPORT Voce *cartavia_creaVoce();

} // namespace cartavia
