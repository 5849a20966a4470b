#pragma once

#include "logic/Modulo1.h"

namespace cartavia {

// The real message boxes: modal, titled "Cartavia", over the window in front.
class DialoghiQt : public Dialoghi
{
public:
    Risposta mostra(const QString &testo, Stile stile) override;
};

} // namespace cartavia
