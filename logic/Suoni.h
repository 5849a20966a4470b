#pragma once

#include <QString>

namespace cartavia {

// Plays a WAV file without waiting; a new sound cuts off the one still playing.
class Suoni
{
public:
    virtual ~Suoni() = default;
    virtual void suona(const QString &file) = 0;
};

} // namespace cartavia
