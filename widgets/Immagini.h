#pragma once

#include <QImage>
#include <QSize>
#include <QSemaphore>
#include <QString>

#include <atomic>
#include <exception>
#include <vector>

// Reads a sign picture, decoded straight at `dimensione` device pixels (JPEG scales while it
// decodes), or at its own size when `dimensione` is empty. A file that is missing, is no
// regular file, cannot be read, or is no picture throws ErroreCartavia naming it; so does a
// JPEG that libjpeg reports damaged (cut short, corrupt data), wherever its end marker lies.
QImage caricaImmagine(const QString &file, const QSize &dimensione = QSize());

// One picture to read: its file and the size to decode it at.
struct RichiestaImmagine
{
    QString file;
    QSize dimensione;
};

// Reads several pictures on the processor's cores while the caller goes on with its work.
// risultato() waits for them, lending a hand with those nobody has begun, and returns them in
// the order asked; when some cannot be read it throws the failure of the first of them in
// that order, as reading them one after the other would.
class LetturaImmagini
{
public:
    explicit LetturaImmagini(std::vector<RichiestaImmagine> richieste);
    ~LetturaImmagini();
    LetturaImmagini(const LetturaImmagini &) = delete;
    LetturaImmagini &operator=(const LetturaImmagini &) = delete;

    std::vector<QImage> risultato();
    const std::vector<RichiestaImmagine> &richieste() const { return m_richieste; }

private:
    void lavora();
    void attendi();

    std::vector<RichiestaImmagine> m_richieste;
    std::vector<QImage> m_immagini;
    std::vector<std::exception_ptr> m_errori;
    std::atomic<int> m_prossima{0};
    QSemaphore m_finiti;
    int m_aiutanti = 0;
};

// Reads several pictures at once on every core: LetturaImmagini, waited for at once.
std::vector<QImage> caricaImmagini(const std::vector<RichiestaImmagine> &richieste);
