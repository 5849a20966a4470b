#pragma once

#include "core/Modulo1.h"

// The real message boxes: modal, titled "Cartavia", over the window in front.
class DialoghiQt : public Dialoghi
{
public:
    int mostra(const QString &testo, int stile) override;
};
