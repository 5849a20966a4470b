#include "screens/Attivita.h"

#include "core/Navigazione.h"
#include "quiz/matching/FormSposta.h"
#include "screens/FormMenu.h"

bool attivitaDisponibile(Attivita attivita)
{
    switch (attivita) {
    case Attivita::Abbinamento:
        return true;
    case Attivita::Definizione:
    case Attivita::Riconoscimento:
    case Attivita::Puzzle:
        return false;
    }
    return false;
}

void apriAttivita(Attivita attivita, QWidget *da, Contesto &contesto)
{
    switch (attivita) {
    case Attivita::Abbinamento:
        passaA<FormSposta>(da, contesto);
        return;
    default:
        return;
    }
}

void tornaAlMenu(QWidget *da, Contesto &contesto)
{
    passaA<FormMenu>(da, contesto);
}
