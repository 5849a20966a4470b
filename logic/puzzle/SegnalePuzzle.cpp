#include "logic/puzzle/SegnalePuzzle.h"

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Stato.h"

namespace cartavia {

qint16 estraiSegnalePuzzle(Contesto &contesto)
{
    Stato &stato = contesto.stato;
    stato.SegnaleCorrente = static_cast<qint16>(
        indiceNelRango(contesto.casuale, stato.PrimoSegnale, stato.UltimoSegnale));
    return stato.SegnaleCorrente;
}

} // namespace cartavia
