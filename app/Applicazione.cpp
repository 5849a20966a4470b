#include "app/Applicazione.h"

#include "logic/Catalogo.h"
#include "logic/Contesto.h"
#include "logic/Stato.h"
#include "logic/Versione.h"
#include "app/Navigazione.h"
#include "screens/FormAvvio.h"

#include "widgets/Risorse.h"

#include <QIcon>
#include <QList>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace cartavia {

namespace {
// While QApplication connects to the display, Qt's messages are held back: when it cannot
// connect, Qt ends with a fatal message (and an abort) after a few lines about its
// plugins. The pupil reads one line naming the problem instead, and the status is 1.
QtMessageHandler gestorePrecedente = nullptr;

struct MessaggioTrattenuto
{
    QtMsgType tipo;
    QByteArray categoria;
    QString testo;
};
QList<MessaggioTrattenuto> trattenuti;

QString senzaSchermo()
{
    const QByteArray piattaforma = qgetenv("QT_QPA_PLATFORM");
    const QByteArray x11 = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (!piattaforma.isEmpty())
        return QStringLiteral("Cartavia: impossibile avviare l'interfaccia grafica \"%1\" "
                              "(QT_QPA_PLATFORM).")
            .arg(QString::fromLocal8Bit(piattaforma));
    if (x11.isEmpty() && wayland.isEmpty())
        return QStringLiteral("Cartavia: nessuno schermo su cui aprire le finestre (DISPLAY e "
                              "WAYLAND_DISPLAY non sono impostate); avviare il programma dal "
                              "desktop.");
    QStringList schermi;
    if (!x11.isEmpty())
        schermi << QStringLiteral("DISPLAY=") + QString::fromLocal8Bit(x11);
    if (!wayland.isEmpty())
        schermi << QStringLiteral("WAYLAND_DISPLAY=") + QString::fromLocal8Bit(wayland);
    return QStringLiteral("Cartavia: impossibile collegarsi allo schermo (%1).")
        .arg(schermi.join(QStringLiteral(", ")));
}

void gestoreAvvio(QtMsgType tipo, const QMessageLogContext &contesto, const QString &testo)
{
    if (tipo == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", senzaSchermo().toLocal8Bit().constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    trattenuti.append({tipo, QByteArray(contesto.category), testo});
}
}

int &Applicazione::primaDelloSchermo(int &argc)
{
    gestorePrecedente = qInstallMessageHandler(gestoreAvvio);
    return argc;
}

void Applicazione::schermoAperto()
{
    qInstallMessageHandler(gestorePrecedente);
    for (const MessaggioTrattenuto &m : std::as_const(trattenuti)) {
        const QMessageLogContext contesto(nullptr, 0, nullptr, m.categoria.constData());
        gestorePrecedente(m.tipo, contesto, m.testo);
    }
    trattenuti.clear();
}

Applicazione::Applicazione(int &argc, char **argv) : QApplication(primaDelloSchermo(argc), argv)
{
    schermoAperto();
    setApplicationName(QStringLiteral("Cartavia"));
    setApplicationVersion(QStringLiteral(CARTAVIA_VERSIONE));
    // Setting the icon renders the SVG at every size the window system may ask for; done
    // once the event loop runs, it no longer holds back the first window.
    // throws nothing: an icon that cannot be drawn is an empty one.
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

void avviaProgramma(Contesto &contesto, AvvioAnticipato *anticipo)
{
    contesto.stato.PrimoSegnale = 1;
    contesto.stato.UltimoSegnale = NumeroSegnali;
    contesto.stato.ListaSegnali = caricaCatalogo(contesto.cartella);
    if (anticipo)
        passaA<FormAvvio>(nullptr, contesto, *anticipo);
    else
        passaA<FormAvvio>(nullptr, contesto);
}

} // namespace cartavia
