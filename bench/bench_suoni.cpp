// Sound players side by side: plays no.wav again and again, then si1.wav cut off by no.wav
// after 0.2 s, through one of the candidate players, and prints how long each call took.
// bench/suoni.sh runs it against a private PulseAudio null sink and counts what was heard.
//
//   bench_suoni MODE PROGRAM_DIR [TIMES] [INTERVAL_MS]
//   MODE: effetto (one QSoundEffect per file, played again), effetto_nuovo (a new
//   QSoundEffect per play), pulse (the program's player: decoded WAV, a libpulse-simple stream
//   per play),
//   canberra (libcanberra, when built with it)

#include "widgets/SuoniEffetti.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <functional>
#include <memory>
#include <time.h>

#ifdef CARTAVIA_CANBERRA
#include <canberra.h>
#endif

using namespace cartavia;

namespace {

class EffettoRipetuto : public Suoni
{
public:
    void suona(const QString &file) override
    {
        for (QSoundEffect *e : std::as_const(m_effetti))
            if (e->isPlaying())
                e->stop();
        QSoundEffect *&e = m_effetti[file];
        if (!e) {
            e = new QSoundEffect;
            e->setSource(QUrl::fromLocalFile(file));
        }
        e->play();
    }
    QHash<QString, QSoundEffect *> m_effetti;
};

class EffettoNuovo : public Suoni
{
public:
    void suona(const QString &file) override
    {
        delete m_effetto;
        m_effetto = new QSoundEffect;
        m_effetto->setSource(QUrl::fromLocalFile(file));
        m_effetto->play();
    }
    QSoundEffect *m_effetto = nullptr;
};

#ifdef CARTAVIA_CANBERRA
class Canberra : public Suoni
{
public:
    Canberra()
    {
        ca_context_create(&m_contesto);
        ca_context_change_props(m_contesto, CA_PROP_APPLICATION_NAME, "bench_suoni", nullptr);
        ca_context_open(m_contesto);
    }
    void suona(const QString &file) override
    {
        ca_context_cancel(m_contesto, 1);
        const int r = ca_context_play(m_contesto, 1, CA_PROP_MEDIA_FILENAME,
                                      QFile::encodeName(file).constData(), nullptr);
        if (r != CA_SUCCESS)
            std::fprintf(stderr, "canberra: %s\n", ca_strerror(r));
    }
    ca_context *m_contesto = nullptr;
};
#endif

double adesso()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "uso: bench_suoni MODO CARTELLA [VOLTE] [PASSO_MS]\n");
        return 2;
    }
    const QString modo = QString::fromLocal8Bit(argv[1]);
    const QString cartella = QString::fromLocal8Bit(argv[2]);
    const int volte = argc > 3 ? atoi(argv[3]) : 10;
    const int passo = argc > 4 ? atoi(argv[4]) : 1500;

    std::unique_ptr<Suoni> lettore;
    if (modo == QLatin1String("effetto"))
        lettore = std::make_unique<EffettoRipetuto>();
    else if (modo == QLatin1String("effetto_nuovo"))
        lettore = std::make_unique<EffettoNuovo>();
    else if (modo == QLatin1String("pulse"))
        lettore.reset(cartavia_creaSuoni(cartella));
#ifdef CARTAVIA_CANBERRA
    else if (modo == QLatin1String("canberra"))
        lettore = std::make_unique<Canberra>();
#endif
    else {
        std::fprintf(stderr, "modo sconosciuto\n");
        return 2;
    }

    QStringList sequenza;
    for (int i = 0; i < volte; ++i)
        sequenza << QStringLiteral("no.wav");
    sequenza << QStringLiteral("si1.wav") << QStringLiteral("no.wav");

    int i = 0;
    std::function<void()> prossimo = [&] {
        const QString file = cartella + QStringLiteral("/suoni/") + sequenza[i];
        const double t = adesso();
        QElapsedTimer orologio;
        orologio.start();
        lettore->suona(file);
        std::printf("%d %s %.6f %.3f\n", i, qPrintable(sequenza[i]), t, orologio.nsecsElapsed() / 1e6);
        std::fflush(stdout);
        ++i;
        if (i == sequenza.size())
            QTimer::singleShot(1500, &app, &QApplication::quit);
        else
            QTimer::singleShot(i == sequenza.size() - 1 ? 200 : passo, prossimo);
    };
    // The first play a second after start-up, as a pupil's first answer would be.
    QTimer::singleShot(1000, prossimo);
    return app.exec();
}
