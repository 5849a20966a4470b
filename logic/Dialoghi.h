#pragma once

#include <QString>

namespace cartavia {

// Message boxes, all modal and titled "Cartavia".
class Dialoghi
{
public:
    // The four boxes the program shows: buttons plus icon, valued as the message boxes of the
    // platform encode them (buttons in the low four bits, icon in the next four).
    enum Stile { SoloOk = 0, Errore = 16, DomandaSiNo = 36, Informazione = 64 };
    enum Risposta { Ok = 1, Si = 6, No = 7 };

    // A question (Sì and No) rather than a box with OK alone.
    static bool domanda(Stile stile) { return stile == DomandaSiNo; }

    virtual ~Dialoghi() = default;
    // Shows the text and returns the button pressed.
    virtual Risposta mostra(const QString &testo, Stile stile) = 0;
};

} // namespace cartavia
