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
#include "screens/FormAvvio.h"

#include <QFileInfo>

using namespace cartavia;

int main(int argc, char *argv[])
{
    // The splash screen's draw comes first of all, and its pictures are read on the other core
    // while Qt connects to the display. (The folder is the executable's, as Qt will tell;
    // where /proc is missing nothing is read ahead and the splash reads its pictures itself.)
    Stato stato;
    CasualeOrologio casuale;
    AvvioAnticipato anticipo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath(), casuale,
                             stato);

    Applicazione app(argc, argv);
    SerieClic::installa();

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

    if (!eseguiProtetto(contesto, [&] { avviaProgramma(contesto, &anticipo); }))
        return 1;
    return app.exec();
}
