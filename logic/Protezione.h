#pragma once

#include "logic/Errore.h"
#include "logic/Modulo1.h"

#include <exception>
#include <type_traits>
#include <utility>

namespace cartavia {

// Where the program's code hands control back to Qt (start-up, every slot, every event
// handler that runs program code) a failure stops here: it goes to segnalaErrore, which shows
// it and ends the program. No exception crosses Qt's signal dispatch.

// A failure that is not an ErroreCartavia, shown as "Errore imprevisto: ..." by the same box.
void segnalaErroreImprevisto(Contesto &contesto, const std::exception &errore);

// Runs `azione`; a failure it throws is shown and ends the program. Returns false then.
template <class Azione>
bool eseguiProtetto(Contesto &contesto, Azione &&azione)
{
    try {
        azione();
        return true;
    } catch (const ErroreCartavia &errore) {
        segnalaErrore(contesto, errore);
    } catch (const std::exception &errore) {
        segnalaErroreImprevisto(contesto, errore);
    }
    return false;
}

// `azione` as a slot for connect(): run through eseguiProtetto. It is given the signal's
// arguments when it takes them, and none otherwise.
template <class Azione>
auto protetto(Contesto &contesto, Azione azione)
{
    return [&contesto, azione = std::move(azione)](auto... argomenti) {
        eseguiProtetto(contesto, [&] {
            if constexpr (std::is_invocable_v<const Azione &, decltype(argomenti)...>)
                azione(argomenti...);
            else
                azione();
        });
    };
}

} // namespace cartavia
