#include "logic/ModuloColoriSuoni.h"

#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Percorsi.h"

namespace cartavia {

const std::array<QString, NumeroSuoniEsatto + 1> &nomiSuoni()
{
    static const std::array<QString, NumeroSuoniEsatto + 1> nomi = {
        QStringLiteral("si1.wav"), QStringLiteral("si2.wav"), QStringLiteral("si3.wav"),
        QStringLiteral("si4.wav"), QStringLiteral("no.wav"),
    };
    return nomi;
}

ColoreVB ColoreCasuale(Contesto &contesto)
{
    return ColoreCasuale(contesto.casuale);
}

ColoreVB ColoreCasuale(Casuale &casuale)
{
    return ColoriSfondo[interoDa1A(casuale, static_cast<int>(ColoriSfondo.size())) - 1];
}

void SuonaEsatto(Contesto &contesto)
{
    const int k = interoDa1A(contesto.casuale, NumeroSuoniEsatto);
    contesto.suoni.suona(fileSuono(contesto.cartella, nomiSuoni()[k - 1]));
}

void SuonaErrato(Contesto &contesto)
{
    contesto.suoni.suona(fileSuono(contesto.cartella, nomiSuoni()[IndiceSuonoErrato]));
}

} // namespace cartavia
