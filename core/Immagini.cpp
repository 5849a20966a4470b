#include "core/Immagini.h"

#include "core/Errore.h"
#include "core/Percorsi.h"

#include <QFile>
#include <QImageReader>
#include <QSemaphore>
#include <QThreadPool>

#include <atomic>
#include <exception>

namespace {
// libjpeg fills a cut-off file with grey and calls it a success; a whole JPEG ends with the
// EOI marker (FF D9), give or take some padding.
bool jpegIntero(QFile &file)
{
    const qint64 coda = qMin<qint64>(file.size(), 64);
    if (!file.seek(file.size() - coda))
        return false;
    const QByteArray fine = file.read(coda);
    return fine.contains(QByteArrayLiteral("\xFF\xD9"));
}

// The size a JPEG is decoded at on its way to `voluta`: the smallest of its whole size, a half,
// a quarter or an eighth that still covers `voluta`; the last step is a smooth scaling.
// libjpeg decodes any M/8 of the size, but only these four fractions take its vectorised
// inverse DCT: left to itself, Qt picks the nearest eighth (3/8 for the recognition quiz's
// pictures, 6/8 for the puzzle's) and the decoding runs in plain C: 12 % more instructions
// per picture for the recognition quiz, 30 % more for the puzzle.
QSize dimensioneDecodifica(const QSize &intera, const QSize &voluta)
{
    if (!intera.isValid() || intera.isEmpty())
        return voluta;
    int divisore = 1;
    while (divisore < 8 && intera.width() / (divisore * 2) >= voluta.width()
           && intera.height() / (divisore * 2) >= voluta.height())
        divisore *= 2;
    // Rounded down, so that Qt's choice of the eighth (it rounds up) lands on this fraction.
    return divisore == 1 ? intera : intera / divisore;
}
}

QImage caricaImmagine(const QString &nome, const QSize &dimensione)
{
    QFile file(nome);
    apriInLettura(file);

    QImageReader lettore(&file);
    const QByteArray formato = lettore.format();
    if (formato.isEmpty())
        throw ErroreCartavia(Cause::immagineNonValida(), nome);
    const bool scala = dimensione.isValid() && !dimensione.isEmpty();
    if (scala)
        lettore.setScaledSize(formato == "jpeg" ? dimensioneDecodifica(lettore.size(), dimensione)
                                                : dimensione);

    QImage immagine = lettore.read();
    if (immagine.isNull() || (formato == "jpeg" && !jpegIntero(file)))
        throw ErroreCartavia(Cause::immagineNonValida(), nome);
    if (scala && immagine.size() != dimensione)
        immagine = immagine.scaled(dimensione, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return immagine;
}

std::vector<QImage> caricaImmagini(const std::vector<RichiestaImmagine> &richieste)
{
    const int quante = static_cast<int>(richieste.size());
    std::vector<QImage> immagini(richieste.size());
    std::vector<std::exception_ptr> errori(richieste.size());

    // Every thread, this one included, takes the next picture nobody has taken yet.
    std::atomic<int> prossima{0};
    auto lavora = [&] {
        for (int i = prossima++; i < quante; i = prossima++) {
            try {
                immagini[i] = caricaImmagine(richieste[i].file, richieste[i].dimensione);
            } catch (...) {
                errori[i] = std::current_exception();
            }
        }
    };
    QThreadPool *gruppo = QThreadPool::globalInstance();
    const int aiutanti = qMin(quante - 1, gruppo->maxThreadCount() - 1);
    QSemaphore finiti;
    for (int a = 0; a < aiutanti; ++a)
        gruppo->start([&] {
            lavora();
            finiti.release();
        });
    lavora();
    finiti.acquire(qMax(aiutanti, 0));

    for (const std::exception_ptr &errore : errori)
        if (errore)
            std::rethrow_exception(errore);
    return immagini;
}
