#pragma once

#include <QFuture>
#include <QImage>
#include <QSize>
#include <QString>

#include <exception>
#include <vector>

namespace cartavia {

// Reads a sign picture, decoded straight at `dimensione` device pixels (JPEG scales while it
// decodes), or at its own size when `dimensione` is empty. A file that is missing, is no
// regular file, cannot be read, or is no picture throws ErroreCartavia naming it; so does a
// JPEG that libjpeg reports damaged (cut short, corrupt data), wherever its end marker lies.
QImage caricaImmagine(const QString &file, const QSize &dimensione = QSize());
// The same for a JPEG only: anything else throws as no picture. It loads none of Qt's image
// plugins, so it may run on any thread before the application object exists.
QImage caricaJpeg(const QString &file, const QSize &dimensione);

// One picture to read: its file and the size to decode it at.
struct RichiestaImmagine
{
    QString file;
    QSize dimensione;
};

// Reads several pictures on the processor's cores (QtConcurrent's pool) while the caller goes
// on with its work. risultato() waits for them, reading them itself when no pool thread has
// begun, and returns them in the order asked; when some cannot be read it throws, on the
// calling thread, the failure of the first of them in that order, as reading them one after
// the other would.
class LetturaImmagini
{
public:
    explicit LetturaImmagini(std::vector<RichiestaImmagine> richieste);
    ~LetturaImmagini();
    LetturaImmagini(const LetturaImmagini &) = delete;
    LetturaImmagini &operator=(const LetturaImmagini &) = delete;

    std::vector<QImage> risultato();
    const std::vector<RichiestaImmagine> &richieste() const { return m_richieste; }

    // One picture read, or the failure met reading it.
    struct Esito
    {
        QImage immagine;
        std::exception_ptr errore;
    };

private:
    std::vector<RichiestaImmagine> m_richieste; // before m_lettura, which reads it
    QFuture<std::vector<Esito>> m_lettura;
};

// Reads several pictures at once on every core, the calling thread among them; the same
// order and failure as LetturaImmagini.
std::vector<QImage> caricaImmagini(const std::vector<RichiestaImmagine> &richieste);

} // namespace cartavia
