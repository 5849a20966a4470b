#pragma once

#include "core/Errore.h"
#include "core/Modulo1.h"

#include <exception>

void segnalaErroreImprevisto(Contesto &contesto, const std::exception &errore);

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
