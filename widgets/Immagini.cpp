#include "widgets/Immagini.h"

#include "logic/Errore.h"
#include "logic/Percorsi.h"

#include <QFile>
#include <QImageReader>
#include <QThreadPool>


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

LetturaImmagini::LetturaImmagini(std::vector<RichiestaImmagine> richieste)
    : m_richieste(std::move(richieste)),
      m_immagini(m_richieste.size()),
      m_errori(m_richieste.size())
{
    QThreadPool *gruppo = QThreadPool::globalInstance();
    m_aiutanti = qMin(static_cast<int>(m_richieste.size()), gruppo->maxThreadCount());
    for (int a = 0; a < m_aiutanti; ++a)
        gruppo->start([this] {
            lavora();
            m_finiti.release();
        });
}

LetturaImmagini::~LetturaImmagini()
{
    attendi();
}

void LetturaImmagini::lavora()
{
    // Every thread takes the next picture nobody has taken yet.
    const int quante = static_cast<int>(m_richieste.size());
    for (int i = m_prossima++; i < quante; i = m_prossima++) {
        try {
            m_immagini[i] = caricaImmagine(m_richieste[i].file, m_richieste[i].dimensione);
        } catch (...) {
            m_errori[i] = std::current_exception();
        }
    }
}

void LetturaImmagini::attendi()
{
    m_finiti.acquire(m_aiutanti);
    m_aiutanti = 0;
}

std::vector<QImage> LetturaImmagini::risultato()
{
    lavora();
    attendi();
    for (const std::exception_ptr &errore : m_errori)
        if (errore)
            std::rethrow_exception(errore);
    return std::move(m_immagini);
}

std::vector<QImage> caricaImmagini(const std::vector<RichiestaImmagine> &richieste)
{
    return LetturaImmagini(richieste).risultato();
}
