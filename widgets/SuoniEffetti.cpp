#include "widgets/SuoniEffetti.h"

#include "logic/Errore.h"
#include "logic/Percorsi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QThread>
#include <QtEndian>

#include <pulse/simple.h>

namespace cartavia {

namespace {

// A sound still waiting for the player's thread after this long is not played any more.
constexpr qint64 AttesaMassima = 1000; // ms

// What the server's buffer holds ahead of what is heard, and how much is written at a time:
// between two writes the player looks for a newer sound, which cuts this one off.
constexpr pa_usec_t Scorta = 200000; // µs
constexpr pa_usec_t Passo = 20000;   // µs

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
            pa_sample_format_t campione = PA_SAMPLE_INVALID;
            if (codifica == 1 && bit == 8)
                campione = PA_SAMPLE_U8;
            else if (codifica == 1 && bit == 16)
                campione = PA_SAMPLE_S16LE;
            else if (codifica == 1 && bit == 32)
                campione = PA_SAMPLE_S32LE;
            else if (codifica == 3 && bit == 32)
                campione = PA_SAMPLE_FLOAT32LE;
            if (campione == PA_SAMPLE_INVALID || canali < 1 || canali > 2 || frequenza < 1000
                || frequenza > 192000 || byteFrame != canali * (bit / 8))
                return false;
            // A file cut short plays what it holds.
            const qsizetype frame = disponibili / byteFrame;
            if (frame < 1)
                return false;
            suono.formato.format = campione;
            suono.formato.channels = static_cast<uint8_t>(canali);
            suono.formato.rate = frequenza;
            suono.campioni = dati.mid(inizio, frame * byteFrame);
            return true;
        }
        pos = inizio + lunghezza + (lunghezza & 1); // chunks are padded to an even length
    }
    return false;
}

// The player, on its own thread. Each sound is a stream of its own on a connection of its own,
// written a little at a time; between two writes a newer sound, or the end of the player, cuts
// it off.
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
        m_chiesto.start();
        if (nuovo) // throws nothing: libpulse reports failures by value
            QMetaObject::invokeMethod(this, [this] { suonaProssimo(); }, Qt::QueuedConnection);
    }

private:
    void suonaProssimo()
    {
        SuonoDecodificato suono;
        {
            QMutexLocker blocco(&m_attesa);
            m_inAttesa = false;
            if (m_chiesto.hasExpired(AttesaMassima) || thread()->isInterruptionRequested())
                return; // the moment has passed
            suono = m_prossimo;
        }
        suona(suono);
    }

    // A newer sound is waiting, or the player is ending.
    bool interrotto()
    {
        QMutexLocker blocco(&m_attesa);
        return m_inAttesa || thread()->isInterruptionRequested();
    }

    // Waits for the server as long as it takes: a failed server (gone, or no server at all)
    // ends the sound, and the next one connects again.
    void suona(const SuonoDecodificato &suono)
    {
        pa_buffer_attr buffer;
        buffer.maxlength = buffer.minreq = buffer.fragsize = static_cast<uint32_t>(-1);
        buffer.tlength = static_cast<uint32_t>(pa_usec_to_bytes(Scorta, &suono.formato));
        // Starts as soon as the first piece is there: a sound shorter than the buffer plays too.
        const size_t passo = pa_usec_to_bytes(Passo, &suono.formato);
        buffer.prebuf = static_cast<uint32_t>(passo);
        int errore = 0;
        pa_simple *flusso = pa_simple_new(nullptr, "Cartavia", PA_STREAM_PLAYBACK, nullptr,
                                          "risposta", &suono.formato, nullptr, &buffer, &errore);
        if (!flusso)
            return;
        const auto *campioni = suono.campioni.constData();
        const size_t quanti = static_cast<size_t>(suono.campioni.size());
        bool tagliato = false;
        for (size_t fatti = 0; fatti < quanti && !tagliato; fatti += passo) {
            tagliato = interrotto()
                       || pa_simple_write(flusso, campioni + fatti, qMin(passo, quanti - fatti),
                                          &errore) < 0;
        }
        if (!tagliato) {
            // The last samples are still in the server's buffer: the stream stays open until
            // they have been heard, or until a newer sound comes.
            const pa_usec_t ritardo = pa_simple_get_latency(flusso, &errore);
            const qint64 fine = ritardo == static_cast<pa_usec_t>(-1)
                                    ? 0
                                    : static_cast<qint64>(qMin<pa_usec_t>(ritardo, Scorta * 5) / 1000) + 20;
            QElapsedTimer trascorso;
            trascorso.start();
            while (!(tagliato = interrotto()) && !trascorso.hasExpired(fine))
                QThread::msleep(10);
        }
        if (tagliato)
            pa_simple_flush(flusso, &errore);
        pa_simple_free(flusso);
    }

    QMutex m_attesa;
    SuonoDecodificato m_prossimo;
    bool m_inAttesa = false;
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
