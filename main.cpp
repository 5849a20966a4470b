#include "app/Applicazione.h"
#include "app/Navigazione.h"
#include "logic/Casuale.h"
#include "logic/Contesto.h"
#include "logic/Orologio.h"
#include "widgets/DialoghiQt.h"
#include "widgets/Guida.h"
#include "widgets/SerieClic.h"
#include "logic/Protezione.h"
#include "logic/Stato.h"
#include "widgets/SuoniQt.h"
#include "widgets/VoceQt.h"
#include "logic/CasualeOrologio.h"

using namespace cartavia;

int main(int argc, char *argv[])
{
    Applicazione app(argc, argv);
    SerieClic::installa();

    Stato stato;
    CasualeOrologio casuale;
    DialoghiQt dialoghi;
    const QString cartella = QCoreApplication::applicationDirPath();
    SuoniQt suoni(cartella, cartella);
    VoceQt voce(cartella);
    OrologioQt orologio;
    Contesto contesto{stato, casuale, suoni, dialoghi, cartella, terminaProgramma, voce, {}, orologio};
    contesto.passa = [&contesto](Schermata schermata, QObject *da) {
        apriSchermata(schermata, da, contesto);
    };
    Guida guida(contesto);

    if (!eseguiProtetto(contesto, [&] { avviaProgramma(contesto); }))
        return 1;
    return app.exec();
}
