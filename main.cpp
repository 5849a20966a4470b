#include "core/Applicazione.h"
#include "core/Casuale.h"
#include "core/Contesto.h"
#include "core/DialoghiQt.h"
#include "core/Guida.h"
#include "core/Stato.h"
#include "core/SuoniQt.h"

int main(int argc, char *argv[])
{
    Applicazione app(argc, argv);

    Stato stato;
    CasualeOrologio casuale;
    DialoghiQt dialoghi;
    const QString cartella = QCoreApplication::applicationDirPath();
    SuoniQt suoni(cartella, cartella);
    Contesto contesto{stato, casuale, suoni, dialoghi, cartella, terminaProgramma};
    app.impostaContesto(&contesto);
    Guida guida(contesto);

    if (!eseguiProtetto(contesto, [&] { avviaProgramma(contesto); }))
        return 1;
    return app.exec();
}
