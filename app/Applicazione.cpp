#include "app/Applicazione.h"

#include "logic/Catalogo.h"
#include "logic/Contesto.h"
#include "logic/Stato.h"
#include "app/Navigazione.h"
#include "screens/FormAvvio.h"

#include "widgets/Risorse.h"

#include <QIcon>
#include <QTimer>
#include <QWidget>

Applicazione::Applicazione(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Cartavia"));
    setApplicationVersion(QStringLiteral("1.00"));
    // Setting the icon renders the SVG at every size the window system may ask for; done
    // once the event loop runs, it no longer holds back the first window.
    QTimer::singleShot(0, this, [this] { setWindowIcon(icona("stop")); });
    // Lets a Wayland desktop match the windows to the menu entry and its icon.
    setDesktopFileName(QStringLiteral("org.example.cartavia"));
}

void terminaProgramma(int codice)
{
    const auto finestre = QApplication::topLevelWidgets();
    for (QWidget *finestra : finestre)
        finestra->hide();
    QCoreApplication::exit(codice);
}

void avviaProgramma(Contesto &contesto)
{
    contesto.stato.PrimoSegnale = 1;
    contesto.stato.UltimoSegnale = NumeroSegnali;
    contesto.stato.ListaSegnali = caricaCatalogo(contesto.cartella);
    passaA<FormAvvio>(nullptr, contesto);
}
