#include "core/Applicazione.h"
#include "core/Casuale.h"
#include "core/Contesto.h"
#include "core/DialoghiQt.h"
#include "core/Stato.h"
#include "core/SuoniQt.h"
#include "core/VoceQt.h"

int main(int argc, char *argv[])
{
    Applicazione app(argc, argv);

    Stato stato;
    CasualeOrologio casuale;
    DialoghiQt dialoghi;
    const QString cartella = QCoreApplication::applicationDirPath();
    SuoniQt suoni(cartella, cartella);
    VoceQt voce(cartella);
    Contesto contesto{stato, casuale, suoni, dialoghi, cartella, terminaProgramma, voce};
    app.impostaContesto(&contesto);

    if (!eseguiProtetto(contesto, [&] { avviaProgramma(contesto); }))
        return 1;
    return app.exec();
}
