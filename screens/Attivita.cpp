#include "screens/Attivita.h"

#include "core/Navigazione.h"
#include "puzzle/frmpuzzle.h"
#include "quiz/definition/formTrova.h"
#include "quiz/matching/FormSposta.h"
#include "quiz/recognition/formDisegni.h"
#include "screens/FormMenu.h"

void apriAttivita(Attivita attivita, QWidget *da, Contesto &contesto)
{
    switch (attivita) {
    case Attivita::Definizione:
        passaA<formTrova>(da, contesto);
        break;
    case Attivita::Abbinamento:
        passaA<FormSposta>(da, contesto);
        break;
    case Attivita::Riconoscimento:
        passaA<formDisegni>(da, contesto);
        break;
    case Attivita::Puzzle:
        passaA<frmpuzzle>(da, contesto);
        break;
    }
}

void tornaAlMenu(QWidget *da, Contesto &contesto)
{
    passaA<FormMenu>(da, contesto);
}
