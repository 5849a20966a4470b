// Exercise building and memory, with the real pictures.
//
//   bench_esercizi [-n TIMES] [-m EXERCISES] [-d PROGRAM_DIR] [-f TEXT]
//
// -m 0 leaves out the memory part; -f times only the operations whose name holds TEXT (for a
// profiler's run).
//
// Headless (it sets QT_QPA_PLATFORM=offscreen unless told otherwise) and with the real
// program directory (the build folder by default: lista.txt, jpg/, suoni/). Every screen is
// opened from the main menu with a real context: the clock-seeded generator, a silent sound
// player and message boxes that answer No.
//
// 1. Memory: on every screen in turn, EXERCISES exercises (default 1000), each painted; the
//    resident memory (VmRSS) is read after the 100th and the last one, and the peak (VmHWM)
//    at the end of the session.
// 2. Time: on every screen, TIMES (default 500) calls of the operation after 50 unrecorded
//    ones; the window is painted between calls, as it is in a real run, but not timed.
//
// Prints one table per part; exits with 1 when a goal is missed.

#include "logic/Casuale.h"
#include "logic/Catalogo.h"
#include "logic/Contesto.h"
#include "logic/Modulo1.h"
#include "logic/ModuloColoriSuoni.h"
#include "logic/Stato.h"
#include "screens/puzzle/GiocoPuzzle.h"
#include "screens/puzzle/frmpuzzle.h"
#include "screens/quiz/definizione/formTrova.h"
#include "screens/quiz/abbinamento/FormSposta.h"
#include "screens/quiz/riconoscimento/formDisegni.h"
#include "app/Navigazione.h"
#include "screens/FormMenu.h"
#include "logic/CasualeOrologio.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <time.h>
#include <vector>

using namespace cartavia;

#ifndef CARTAVIA_PROGRAMMA
#define CARTAVIA_PROGRAMMA "."
#endif

namespace {

class SuoniMuti : public Suoni
{
public:
    void suona(const QString &) override {}
};

class DialoghiNo : public Dialoghi
{
public:
    Risposta mostra(const QString &, Stile stile) override { return domanda(stile) ? No : Ok; }
};

// A value of /proc/self/status in kB ("VmRSS", "VmHWM").
long memoria(const char *voce)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray chiave = QByteArray(voce) + ':';
    for (const QByteArray &riga : status.readAll().split('\n'))
        if (riga.startsWith(chiave))
            return riga.mid(chiave.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

double mb(long kb) { return kb / 1024.0; }

// One screen of the program and the operation timed on it.
struct Schermo
{
    const char *nome;
    Schermata attivita;
    double obiettivoMs;
    // The operation, on the window the menu opened.
    std::function<void(QWidget *)> operazione;
};

void pausa()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Opens an activity from a fresh main menu; returns its window.
QWidget *apri(Contesto &contesto, Schermata attivita)
{
    auto *menu = new FormMenu(contesto);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->show();
    pausa();
    apriSchermata(attivita, menu, contesto);
    pausa();
    QWidget *finestra = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && !w->inherits("QMenu"))
            finestra = w;
    return finestra;
}

// Back to the main menu, and the menu closed too: nothing is left open.
void chiudi(Contesto &contesto, QWidget *finestra)
{
    apriSchermata(Schermata::Menu, finestra, contesto);
    pausa();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (!w->parentWidget())
            delete w;
    pausa();
}

// CPU time of this thread: what the operation costs, without the time the kernel gave the
// core to someone else (the machine is shared).
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double percentile(std::vector<double> valori, double p)
{
    std::sort(valori.begin(), valori.end());
    const std::size_t i = std::min(valori.size() - 1, std::size_t(p * double(valori.size() - 1) + 0.5));
    return valori[i];
}

// The offscreen platform tells, for every window it shows, what it cannot do.
QtMessageHandler gestorePrecedente = nullptr;
void filtraMessaggi(QtMsgType tipo, const QMessageLogContext &contesto, const QString &testo)
{
    if (tipo == QtWarningMsg && testo.startsWith(QLatin1String("This plugin does not support")))
        return;
    gestorePrecedente(tipo, contesto, testo);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    int volte = 500;
    int esercizi = 1000;
    QString cartella = QStringLiteral(CARTAVIA_PROGRAMMA);
    QString filtro;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "-n"))
            volte = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "-m"))
            esercizi = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "-d"))
            cartella = QString::fromLocal8Bit(argv[i + 1]);
        else if (!std::strcmp(argv[i], "-f"))
            filtro = QString::fromLocal8Bit(argv[i + 1]);
    }
    if (volte < 1 || (esercizi != 0 && esercizi < 100)) {
        std::fprintf(stderr, "usage: bench_esercizi [-n TIMES>=1] [-m 0|EXERCISES>=100] [-d PROGRAM_DIR] [-f TEXT]\n");
        return 2;
    }

    gestorePrecedente = qInstallMessageHandler(filtraMessaggi);
    QApplication app(argc, argv);
    cartella = QDir(cartella).absolutePath();
    if (QDir(cartella + QStringLiteral("/jpg")).entryList({QStringLiteral("*.jpg")}).size() < NumeroSegnali) {
        std::fprintf(stderr, "%s/jpg does not hold the %d pictures\n", qPrintable(cartella), NumeroSegnali);
        return 2;
    }

    Stato stato;
    stato.ListaSegnali = caricaCatalogo(cartella);
    CasualeOrologio casuale;
    SuoniMuti suoni;
    DialoghiNo dialoghi;
    int uscita = -1;
    Contesto contesto{stato, casuale, suoni, dialoghi, cartella, [&uscita](int c) { uscita = c; }};
    contesto.passa = [&contesto](Schermata s, QObject *da) { apriSchermata(s, da, contesto); };

    // A new exercise as the pupil asks for one: "tutti i segnali" on a quiz's menu, "nuovo
    // puzzle" on the puzzle.
    const auto genera = [](QWidget *w) {
        if (qobject_cast<CorniceQuiz *>(w))
            w->findChild<QAction *>(QStringLiteral("mnuTutti"))->trigger();
        else if (qobject_cast<frmpuzzle *>(w))
            w->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    };
    const std::vector<Schermo> schermi = {
        {"FormSposta::GeneraEsercizio", Schermata::Abbinamento, 1.5, genera},
        {"formTrova::GeneraEsercizio", Schermata::Definizione, 1.5, genera},
        {"formDisegni::GeneraEsercizio", Schermata::Riconoscimento, 3.0, genera},
        {"frmpuzzle::GeneraEsercizio", Schermata::Puzzle, 1.5, genera},
        {"GiocoPuzzle::inizia", Schermata::Puzzle, 1.5,
         [](QWidget *w) { w->findChild<GiocoPuzzle *>(QStringLiteral("GiocoPuzzle1"))->inizia(); }},
    };
    bool riuscito = true;

    // ---- memory: one session, every screen in turn
    struct Misura { const char *nome; long rss100, rssFine; };
    std::vector<Misura> misure;
    const long rssInizio = memoria("VmRSS");
    // One exercise per screen: GeneraEsercizio (the last row, the puzzle's inizia, is not a
    // screen of its own).
    for (std::size_t i = 0; esercizi > 0 && i + 1 < schermi.size(); ++i) {
        const Schermo &s = schermi[i];
        QWidget *finestra = apri(contesto, s.attivita);
        long rss100 = 0;
        for (int k = 1; k <= esercizi; ++k) {
            s.operazione(finestra);
            finestra->repaint();
            pausa();
            if (k == 100)
                rss100 = memoria("VmRSS");
        }
        misure.push_back({s.attivita == Schermata::Puzzle ? "frmpuzzle"
                          : s.attivita == Schermata::Abbinamento ? "FormSposta"
                          : s.attivita == Schermata::Definizione ? "formTrova"
                                                                : "formDisegni",
                          rss100, memoria("VmRSS")});
        chiudi(contesto, finestra);
    }
    const long picco = memoria("VmHWM");

    if (esercizi > 0) {
    std::printf("Memory: %d exercises on every screen, one process (VmRSS at start %.1f MB)\n\n",
                esercizi, mb(rssInizio));
    std::printf("| screen      | RSS at 100 MB | RSS at %4d MB | growth MB |\n", esercizi);
    std::printf("|-------------|--------------:|---------------:|----------:|\n");
    double crescitaMassima = 0;
    for (const Misura &m : misure) {
        const double crescita = mb(m.rssFine - m.rss100);
        crescitaMassima = std::max(crescitaMassima, crescita);
        std::printf("| %-11s | %13.1f | %14.1f | %+9.1f |\n", m.nome, mb(m.rss100), mb(m.rssFine),
                    crescita);
    }
    // The kernel counts RSS in pages, and the allocator returns memory in chunks: less than
    // a megabyte either way is noise, not growth.
    const bool crescitaOk = crescitaMassima < 1.0;
    const bool piccoOk = mb(picco) <= 60.0;
    std::printf("\nPeak RSS (VmHWM) over the session: %.1f MB (goal <= 60 MB: %s); "
                "largest growth 100 -> %d: %+.1f MB (goal: none, < 1 MB: %s)\n\n",
                mb(picco), piccoOk ? "met" : "MISSED", esercizi, crescitaMassima,
                crescitaOk ? "met" : "MISSED");
    riuscito = riuscito && piccoOk && crescitaOk;
    }

    // ---- time
    const int riscaldamento = 50;
    std::printf("Time: %d calls of each after %d unrecorded ones, window painted between calls\n\n",
                volte, riscaldamento);
    std::printf("| operation                    | median ms | p90 ms | max ms | CPU median ms | goal ms |        |\n");
    std::printf("|------------------------------|----------:|-------:|-------:|--------------:|--------:|--------|\n");
    for (const Schermo &s : schermi) {
        if (!QString::fromLatin1(s.nome).contains(filtro))
            continue;
        QWidget *finestra = apri(contesto, s.attivita);
        std::vector<double> tempi;
        std::vector<double> cpu;
        tempi.reserve(std::size_t(volte));
        cpu.reserve(std::size_t(volte));
        for (int k = 0; k < riscaldamento + volte; ++k) {
            const double c0 = cpuMs();
            const auto t0 = std::chrono::steady_clock::now();
            s.operazione(finestra);
            const auto t1 = std::chrono::steady_clock::now();
            const double c1 = cpuMs();
            if (k >= riscaldamento) {
                tempi.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
                cpu.push_back(c1 - c0);
            }
            finestra->repaint();
            pausa();
        }
        chiudi(contesto, finestra);
        const double mediana = percentile(tempi, 0.5);
        const bool ok = mediana <= s.obiettivoMs;
        riuscito = riuscito && ok;
        std::printf("| %-28s | %9.3f | %6.3f | %6.3f | %13.3f | %7.1f | %-6s |\n", s.nome, mediana,
                    percentile(tempi, 0.9), *std::max_element(tempi.begin(), tempi.end()),
                    percentile(cpu, 0.5), s.obiettivoMs, ok ? "met" : "MISSED");
    }
    double carico[3] = {0, 0, 0};
    getloadavg(carico, 3);
    std::printf("\nGoals are met or missed on the wall-clock median. Pictures from %s; Qt %s, %s;"
                " load average at the end %.2f (%d cores)\n",
                qPrintable(cartella), qVersion(), qPrintable(QSysInfo::prettyProductName()),
                carico[0], QThread::idealThreadCount());
    return riuscito ? 0 : 1;
}
