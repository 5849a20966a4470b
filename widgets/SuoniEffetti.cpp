#include "widgets/SuoniEffetti.h"

#include "logic/Errore.h"
#include "logic/Percorsi.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QMutex>
#include <QPointer>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <cstdlib>
#include <mutex>

namespace cartavia {

namespace {

// How long a sound's stream stays open after its last sample went to the sound server.
constexpr int FineCoda = 1000; // ms

// How long after the module is loaded the sound server is connected to.
constexpr int ConnessioneRitardata = 1000; // ms

// A sound still waiting for the player's thread after this long is not played any more.
constexpr qint64 AttesaMassima = 1000; // ms

// A sound that found no sound server is tried again this often, for this long: Qt connects
// again to a server that went away every three seconds.
constexpr int Riprova = 250;             // ms
constexpr qint64 AttesaRitorno = 3500;   // ms

// Larger files are not feedback sounds: they are refused rather than read into memory.
constexpr qint64 DimensioneMassima = 16 * 1024 * 1024;

// The whole file, if it is a regular file (after following symbolic links) of at most
// DimensioneMassima bytes. Named pipes, devices and folders are refused without waiting.
bool leggiFileRegolare(const QString &file, QByteArray &contenuto)
{
    QFile lettore(file);
    try {
        apriInLettura(lettore);
    } catch (const ErroreCartavia &) {
        return false;
    }
    if (lettore.size() > DimensioneMassima)
        return false;
    contenuto = lettore.read(DimensioneMassima + 1);
    return lettore.error() == QFileDevice::NoError && contenuto.size() <= DimensioneMassima;
}

quint16 parola(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

quint32 doppiaParola(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

} // namespace

bool decodificaWav(const QString &file, SuonoDecodificato &suono)
{
    QByteArray dati;
    if (!leggiFileRegolare(file, dati) || dati.size() < 12 || !dati.startsWith("RIFF")
        || dati.mid(8, 4) != "WAVE")
        return false;

    quint16 codifica = 0, canali = 0, bit = 0, byteFrame = 0;
    quint32 frequenza = 0;
    bool formatoLetto = false;
    qsizetype pos = 12;
    while (pos + 8 <= dati.size()) {
        const QByteArray id = dati.mid(pos, 4);
        const qsizetype lunghezza = doppiaParola(dati.constData() + pos + 4);
        const qsizetype inizio = pos + 8;
        const qsizetype disponibili = qMin(lunghezza, dati.size() - inizio);
        if (id == "fmt " && disponibili >= 16) {
            const char *f = dati.constData() + inizio;
            codifica = parola(f);
            canali = parola(f + 2);
            frequenza = doppiaParola(f + 4);
            byteFrame = parola(f + 12);
            bit = parola(f + 14);
            if (codifica == 0xFFFE && disponibili >= 26)
                codifica = parola(f + 24); // WAVE_FORMAT_EXTENSIBLE: the sub-format's tag
            formatoLetto = true;
        } else if (id == "data" && formatoLetto) {
            QAudioFormat::SampleFormat campione = QAudioFormat::Unknown;
            if (codifica == 1 && bit == 8)
                campione = QAudioFormat::UInt8;
            else if (codifica == 1 && bit == 16)
                campione = QAudioFormat::Int16;
            else if (codifica == 1 && bit == 32)
                campione = QAudioFormat::Int32;
            else if (codifica == 3 && bit == 32)
                campione = QAudioFormat::Float;
            if (campione == QAudioFormat::Unknown || canali < 1 || canali > 2 || frequenza < 1000
                || frequenza > 192000 || byteFrame != canali * (bit / 8))
                return false;
            // A file cut short plays what it holds.
            const qsizetype frame = disponibili / byteFrame;
            if (frame < 1)
                return false;
            suono.formato.setSampleFormat(campione);
            suono.formato.setChannelCount(canali);
            suono.formato.setSampleRate(static_cast<int>(frequenza));
            suono.campioni = dati.mid(inizio, frame * byteFrame);
            return true;
        }
        pos = inizio + lunghezza + (lunghezza & 1); // chunks are padded to an even length
    }
    return false;
}

// The sinks, on the player's thread. Qt's connection to the sound server is made by the first
// sink and belongs to this thread too, which runs its repairs: when the server has gone, Qt
// tries again every three seconds. (It must: Qt 6.4 closes its sinks' streams from that
// connection's thread, without locking.)
class SuoniEffetti::Uscita : public QObject
{
public:
    // From the window thread: `suono` is played next, in place of one still waiting.
    void chiedi(const SuonoDecodificato &suono)
    {
        QMutexLocker blocco(&m_attesa);
        const bool nuovo = !m_inAttesa;
        m_prossimo = suono;
        m_inAttesa = true;
        m_riprova = false;
        m_chiesto.start();
        if (nuovo) // throws nothing: Qt Multimedia reports failures by state
            QMetaObject::invokeMethod(this, [this] { suonaProssimo(); }, Qt::QueuedConnection);
    }

    Uscita()
    {
        QMutexLocker blocco(&s_fine);
        s_attiva = this;
    }

    ~Uscita() override
    {
        ferma();
        QMutexLocker blocco(&s_fine);
        if (s_attiva == this) {
            s_attiva = nullptr;
            s_finita.release();
        }
    }

    // Run by exit(), before Qt's connection to the sound server is destroyed (whether main()
    // returned or Qt ended the program because the X server went away): the player's thread
    // ends and deletes the sinks first. A thread held by a hung server is waited for a moment
    // only.
    static void allaFine()
    {
        QMutexLocker blocco(&s_fine);
        if (!s_attiva)
            return;
        s_attiva->thread()->quit();
        blocco.unlock();
        s_finita.tryAcquire(1, 300);
    }

private:
    void suonaProssimo()
    {
        SuonoDecodificato suono;
        {
            QMutexLocker blocco(&m_attesa);
            m_inAttesa = false;
            if (m_chiesto.hasExpired(m_riprova ? AttesaRitorno : AttesaMassima)
                || thread()->isInterruptionRequested())
                return; // the moment has passed
            suono = m_prossimo;
        }
        if (suona(suono))
            return;
        // No server now: it may be on its way back. Again in a moment, unless a newer sound
        // has been asked for meanwhile.
        QMutexLocker blocco(&m_attesa);
        if (!m_inAttesa) {
            m_prossimo = suono;
            m_inAttesa = m_riprova = true;
            QTimer::singleShot(Riprova, this, [this] { suonaProssimo(); }); // throws nothing: as above
        }
    }

    // False when no sink could be opened.
    bool suona(const SuonoDecodificato &suono)
    {
        ferma();
        const QAudioDevice dispositivo = QMediaDevices::defaultAudioOutput();
        if (dispositivo.isNull())
            return false; // no audio device (or no server now)

        auto *uscita = new QAudioSink(dispositivo, suono.formato, this);
        auto *sorgente = new QBuffer(uscita);
        sorgente->setData(suono.campioni); // shared, not copied
        sorgente->open(QIODevice::ReadOnly);
        // throws nothing: only stops the sink.
        connect(uscita, &QAudioSink::stateChanged, this, [this, uscita](QAudio::State stato) {
            if (stato == QAudio::StoppedState && m_uscita == uscita) {
                ferma(); // failed: let it go
            } else if (stato == QAudio::IdleState) {
                // Every sample has gone to the sound server, whose buffer still holds the last
                // tenth of a second or so: stopping now would cut it off.
                QTimer::singleShot(FineCoda, uscita, [this, uscita] { // throws nothing: as above
                    if (m_uscita == uscita && uscita->state() == QAudio::IdleState)
                        ferma();
                });
            }
        });
        m_uscita = uscita;
        uscita->start(sorgente);
        // Qt's connection exists now, and its end is registered with exit(): this runs first.
        static std::once_flag registrata;
        std::call_once(registrata, [] { std::atexit(&Uscita::allaFine); });
        if (uscita->error() == QAudio::NoError)
            return true;
        ferma();
        return false;
    }

    void ferma()
    {
        if (QAudioSink *uscita = m_uscita) {
            m_uscita = nullptr;
            uscita->stop();
            uscita->deleteLater();
        }
    }

    QPointer<QAudioSink> m_uscita;
    QMutex m_attesa;
    SuonoDecodificato m_prossimo;
    bool m_inAttesa = false;
    static inline QMutex s_fine;
    static inline Uscita *s_attiva = nullptr;
    static inline QSemaphore s_finita{0};
    bool m_riprova = false; // the waiting sound found no server before
    QElapsedTimer m_chiesto;
};

SuoniEffetti::SuoniEffetti(const QString &cartella, QObject *parent)
    : QObject(parent), m_uscita(new Uscita)
{
    for (const QString &nome : nomiSuoni()) {
        const QString file = fileSuono(cartella, nome);
        SuonoDecodificato suono;
        if (decodificaWav(file, suono))
            m_suoni.insert(file, suono);
    }
    auto *filo = new QThread;
    filo->setObjectName(QStringLiteral("suoni"));
    m_uscita->moveToThread(filo);
    connect(filo, &QThread::finished, m_uscita, &QObject::deleteLater);
    connect(filo, &QThread::finished, filo, &QObject::deleteLater);
    // Connects to the sound server while the splash screen is up, rather than at the first
    // answer; a second after the module is loaded, so that it never competes with the first
    // window for the processor. The player alone is captured: this object may be gone by the
    // time the thread starts.
    Uscita *uscita = m_uscita;
    connect(filo, &QThread::started, uscita, [uscita] { // throws nothing: starts a timer only
        QTimer::singleShot(ConnessioneRitardata, uscita, [] { // throws nothing: as above
            QMediaDevices::defaultAudioOutput();
        });
    });
    filo->start();
}

SuoniEffetti::~SuoniEffetti()
{
    m_uscita->thread()->requestInterruption();
    m_uscita->thread()->quit();
}

void SuoniEffetti::suona(const QString &file)
{
    const auto suono = m_suoni.constFind(file);
    if (suono == m_suoni.constEnd())
        QApplication::beep();
    else
        m_uscita->chiedi(*suono);
}

Suoni *cartavia_creaSuoni(const QString &cartella)
{
    return new SuoniEffetti(cartella);
}

} // namespace cartavia
