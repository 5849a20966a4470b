#include "app/Navigazione.h"

#include "screens/FormMenu.h"
#include "screens/esame/FormEsame.h"
#include "screens/puzzle/frmpuzzle.h"
#include "screens/quiz/abbinamento/FormSposta.h"
#include "screens/quiz/definizione/formTrova.h"
#include "screens/quiz/riconoscimento/formDisegni.h"

namespace cartavia {

void apriSchermata(Schermata schermata, QObject *da, Contesto &contesto)
{
    auto *finestra = qobject_cast<QWidget *>(da);
    switch (schermata) {
    case Schermata::Menu:
        passaA<FormMenu>(finestra, contesto);
        break;
    case Schermata::Definizione:
        passaA<formTrova>(finestra, contesto);
        break;
    case Schermata::Abbinamento:
        passaA<FormSposta>(finestra, contesto);
        break;
    case Schermata::Riconoscimento:
        passaA<formDisegni>(finestra, contesto);
        break;
    case Schermata::Puzzle:
        passaA<frmpuzzle>(finestra, contesto);
        break;
    case Schermata::Esame:
        passaA<FormEsame>(finestra, contesto);
        break;
    }
}

} // namespace cartavia
