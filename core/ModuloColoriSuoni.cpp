#include "core/ModuloColoriSuoni.h"

#include "core/Casuale.h"
#include "core/Contesto.h"
#include "core/Percorsi.h"

const std::array<QString, 5> &nomiSuoni()
{
    static const std::array<QString, 5> nomi = {
        QStringLiteral("si1.wav"), QStringLiteral("si2.wav"), QStringLiteral("si3.wav"),
        QStringLiteral("si4.wav"), QStringLiteral("no.wav"),
    };
    return nomi;
}

ColoreVB ColoreCasuale(Contesto &contesto)
{
    return ColoriSfondo[interoDa1A(contesto.casuale, 18) - 1];
}

void SuonaEsatto(Contesto &contesto)
{
    const int k = interoDa1A(contesto.casuale, 4);
    contesto.suoni.suona(fileSuono(contesto.cartella, nomiSuoni()[k - 1]));
}

void SuonaErrato(Contesto &contesto)
{
    contesto.suoni.suona(fileSuono(contesto.cartella, nomiSuoni()[4]));
}
