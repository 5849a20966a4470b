#include "screens/Attivita.h"

#include "core/Navigazione.h"
#include "puzzle/frmpuzzle.h"
#include "screens/FormMenu.h"

bool attivitaDisponibile(Attivita attivita)
{
    switch (attivita) {
    case Attivita::Definizione:
    case Attivita::Abbinamento:
    case Attivita::Riconoscimento:
        return false;
    case Attivita::Puzzle:
        return true;
    }
    return false;
}

void apriAttivita(Attivita attivita, QWidget *da, Contesto &contesto)
{
    if (attivita == Attivita::Puzzle)
        passaA<frmpuzzle>(da, contesto);
}

void tornaAlMenu(QWidget *da, Contesto &contesto)
{
    passaA<FormMenu>(da, contesto);
}
