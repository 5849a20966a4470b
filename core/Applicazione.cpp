#include "core/Applicazione.h"

#include "core/Catalogo.h"
#include "core/Contesto.h"
#include "core/Stato.h"
#include "core/Navigazione.h"
#include "screens/FormAvvio.h"

#include "core/Risorse.h"

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

bool Applicazione::notify(QObject *destinatario, QEvent *evento)
{
    if (!m_contesto)
        return QApplication::notify(destinatario, evento);
    bool risultato = false;
    eseguiProtetto(*m_contesto,
                   [&] { risultato = QApplication::notify(destinatario, evento); });
    return risultato;
}

void segnalaErroreImprevisto(Contesto &contesto, const std::exception &errore)
{
    segnalaErrore(contesto, ErroreCartavia(QStringLiteral("Errore imprevisto: ")
                                           + QString::fromLocal8Bit(errore.what())));
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
