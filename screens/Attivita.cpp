#include "screens/Attivita.h"

#include "core/Navigazione.h"
#include "screens/FormMenu.h"

bool attivitaDisponibile(Attivita attivita)
{
    switch (attivita) {
    case Attivita::Definizione:
    case Attivita::Abbinamento:
    case Attivita::Riconoscimento:
    case Attivita::Puzzle:
        return false;
    }
    return false;
}

void apriAttivita(Attivita attivita, QWidget *da, Contesto &contesto)
{
    Q_UNUSED(attivita);
    Q_UNUSED(da);
    Q_UNUSED(contesto);
}

void tornaAlMenu(QWidget *da, Contesto &contesto)
{
    passaA<FormMenu>(da, contesto);
}
