#pragma once

#include <QString>

namespace cartavia {

// Reads a text aloud in Italian without waiting; a new reading stops the one still going.
class Voce
{
public:
    virtual ~Voce() = default;
    virtual void leggi(const QString &testo) = 0;
};

// A voice that says nothing: what a window gets when it is handed no other.
Voce &voceMuta();

} // namespace cartavia
