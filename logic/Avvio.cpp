#include "logic/Avvio.h"

#include "logic/Casuale.h"
#include "logic/Stato.h"

namespace cartavia {

Avvio generaAvvio(Casuale &casuale, Stato &stato)
{
    Avvio avvio;
    avvio.colore = ColoreCasuale(casuale);
    for (qint16 &segnale : avvio.segnali) {
        segnale = static_cast<qint16>(interoDa1A(casuale, NumeroSegnali));
        stato.SegnaleCorrente = segnale;
    }
    return avvio;
}

} // namespace cartavia
