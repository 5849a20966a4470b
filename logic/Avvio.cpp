#include "logic/Avvio.h"

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Stato.h"

namespace cartavia {

Avvio generaAvvio(Contesto &contesto)
{
    Avvio avvio;
    avvio.colore = ColoreCasuale(contesto);
    Stato &stato = contesto.stato;
    for (qint16 &segnale : avvio.segnali) {
        segnale = static_cast<qint16>(interoDa1A(contesto.casuale, NumeroSegnali));
        stato.SegnaleCorrente = segnale;
    }
    return avvio;
}

} // namespace cartavia
