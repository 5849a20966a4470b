#pragma once

#include <QtGlobal>

namespace cartavia {

// A control that draws something of its own the window cannot resize for it (a border, an
// icon, a pointer, lines): it learns the factor and scales that itself. At 1 it draws as
// it always did.
class Scalabile
{
public:
    virtual void impostaScala(qreal fattore) = 0;

protected:
    ~Scalabile() = default;
};

} // namespace cartavia
