#include "widgets/Immagini.h"

#include "logic/Errore.h"
#include "logic/Percorsi.h"

#include <QFile>
#include <QImageReader>
#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

namespace cartavia {

namespace {
// The divisor a JPEG is decoded at on its way to `voluta`: the largest of 1, 2, 4 and 8 that
// still covers `voluta`; the last step is a smooth scaling. libjpeg decodes any M/8 of the
// size, but only these four fractions take its vectorised inverse DCT: the nearest eighth
// (3/8 for the recognition quiz's pictures, 6/8 for the puzzle's) would decode in plain C,
// with 12 % and 30 % more instructions per picture.
int divisoreDecodifica(int larghezza, int altezza, const QSize &voluta)
{
    int divisore = 1;
    while (divisore < 8 && larghezza / (divisore * 2) >= voluta.width()
           && altezza / (divisore * 2) >= voluta.height())
        divisore *= 2;
    return divisore;
}

// The most a picture may take once decoded, as Qt's own readers allow.
constexpr qint64 MassimoByteDecodificati = qint64(256) << 20;

// The libjpeg error manager of one decoding. A failure, and a warning that means damaged data
// ("Corrupt JPEG data", "Premature end of JPEG file"...), jump back to the decoding, which
// refuses the picture: libjpeg would go on and fill the gaps with grey or noise. Each decoding
// has its own, so pictures decoded on several threads at once never mix their reports.
struct ErroriJpeg
{
    jpeg_error_mgr base;
    std::jmp_buf ritorno;
};

[[noreturn]] void esciJpeg(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErroriJpeg *>(info->err)->ritorno, 1);
}

void messaggioJpeg(j_common_ptr info, int livello)
{
    if (livello >= 0)
        return; // trace messages
    // Notes on the header that say nothing about the picture's data.
    const int codice = info->err->msg_code;
    if (codice == JWRN_JFIF_MAJOR || codice == JWRN_ADOBE_XFORM)
        return;
    esciJpeg(info);
}

// Decodes a JPEG held in memory at 1/`divisore` of its size; false when libjpeg reports the
// data damaged or cannot decode it. Nothing here has a destructor: a report jumps straight
// back from inside libjpeg.
bool decodificaJpeg(const uchar *dati, qint64 quanti, const QSize &voluta, QImage &immagine)
{
    jpeg_decompress_struct info;
    ErroriJpeg errori;
    info.err = jpeg_std_error(&errori.base);
    errori.base.error_exit = esciJpeg;
    errori.base.emit_message = messaggioJpeg;
    jpeg_create_decompress(&info);
    if (setjmp(errori.ritorno)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_mem_src(&info, dati, static_cast<unsigned long>(quanti));
    jpeg_read_header(&info, TRUE);

    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
#ifdef JCS_ALPHA_EXTENSIONS
    // libjpeg-turbo writes BGRA, which in memory is QImage::Format_RGB32.
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
#else
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB; // other libjpegs: made RGB32 below
#endif
    info.scale_num = 1;
    info.scale_denom = voluta.isValid() && !voluta.isEmpty()
        ? divisoreDecodifica(int(info.image_width), int(info.image_height), voluta)
        : 1;
    jpeg_calc_output_dimensions(&info);
    if (qint64(info.output_width) * info.output_height * 4 > MassimoByteDecodificati) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    immagine = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (immagine.isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        JSAMPROW riga = immagine.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &riga, 1);
        if (cmyk) {
            // Adobe's inverted CMYK, as Photoshop writes it (and Qt reads it): in place, the
            // four bytes of each pixel become one RGB value.
            auto *pixel = reinterpret_cast<QRgb *>(riga);
            for (JDIMENSION x = 0; x < info.output_width; ++x) {
                const uchar *c = riga + 4 * x;
                const int k = c[3];
                pixel[x] = qRgb(k * c[0] / 255, k * c[1] / 255, k * c[2] / 255);
            }
        }
#ifndef JCS_ALPHA_EXTENSIONS
        else {
            // Three bytes a pixel spread to four, from the right end so that none is overwritten
            // before it is read.
            auto *pixel = reinterpret_cast<QRgb *>(riga);
            for (JDIMENSION x = info.output_width; x-- > 0;) {
                const uchar *c = riga + 3 * x;
                pixel[x] = qRgb(c[0], c[1], c[2]);
            }
        }
#endif
    }
    // Reads on to the end marker, so that damage after the last row is seen too; whatever
    // follows the end marker (a camera's or phone's trailer) is never looked at.
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

QImage leggiJpeg(QFile &file, const QString &nome, const QSize &voluta)
{
    const qint64 quanti = file.size();
    const uchar *dati = file.map(0, quanti);
    QByteArray copia;
    if (!dati) {
        copia = file.readAll();
        dati = reinterpret_cast<const uchar *>(copia.constData());
    }
    QImage immagine;
    if (!decodificaJpeg(dati, quanti, voluta, immagine))
        throw ErroreCartavia(Cause::immagineNonValida(), nome);
    return immagine;
}

bool inizioJpeg(QFile &file)
{
    return file.peek(2) == QByteArrayLiteral("\xFF\xD8");
}
}

namespace {
// `altriFormati`: pictures other than JPEG too, through Qt's image plugins.
QImage leggiImmagine(const QString &nome, const QSize &dimensione, bool altriFormati)
{
    QFile file(nome);
    apriInLettura(file);
    const bool scala = dimensione.isValid() && !dimensione.isEmpty();

    QImage immagine;
    if (inizioJpeg(file)) {
        // libjpeg itself, not Qt's reader: only libjpeg's own reports tell a damaged JPEG,
        // and Qt's reader lets them pass.
        immagine = leggiJpeg(file, nome, dimensione);
    } else if (!altriFormati) {
        throw ErroreCartavia(Cause::immagineNonValida(), nome);
    } else {
        QImageReader lettore(&file);
        if (lettore.format().isEmpty())
            throw ErroreCartavia(Cause::immagineNonValida(), nome);
        if (scala)
            lettore.setScaledSize(dimensione);
        immagine = lettore.read();
        if (immagine.isNull())
            throw ErroreCartavia(Cause::immagineNonValida(), nome);
    }
    if (scala && immagine.size() != dimensione)
        immagine = immagine.scaled(dimensione, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return immagine;
}
} // namespace

QImage caricaImmagine(const QString &nome, const QSize &dimensione)
{
    return leggiImmagine(nome, dimensione, true);
}

QImage caricaJpeg(const QString &nome, const QSize &dimensione)
{
    return leggiImmagine(nome, dimensione, false);
}

namespace {
// Reads one picture; a failure is kept, not thrown, so that the caller can report the first
// one in the order asked, whichever thread met it first.
LetturaImmagini::Esito leggi(const RichiestaImmagine &richiesta)
{
    LetturaImmagini::Esito esito;
    try {
        esito.immagine = caricaImmagine(richiesta.file, richiesta.dimensione);
    } catch (...) {
        esito.errore = std::current_exception();
    }
    return esito;
}

// Reads the pictures on every core (the calling thread too) and returns them in order.
std::vector<LetturaImmagini::Esito> leggiTutte(const std::vector<RichiestaImmagine> &richieste)
{
    return QtConcurrent::blockingMapped<std::vector<LetturaImmagini::Esito>>(richieste, leggi);
}

// The pictures, or the failure of the first that could not be read, thrown on this thread.
std::vector<QImage> immaginiOPrimoErrore(std::vector<LetturaImmagini::Esito> esiti)
{
    std::vector<QImage> immagini;
    immagini.reserve(esiti.size());
    for (LetturaImmagini::Esito &esito : esiti) {
        if (esito.errore)
            std::rethrow_exception(esito.errore);
        immagini.push_back(std::move(esito.immagine));
    }
    return immagini;
}
}

LetturaImmagini::LetturaImmagini(std::vector<RichiestaImmagine> richieste)
    : m_richieste(std::move(richieste)),
      m_lettura(QtConcurrent::run([this] { return leggiTutte(m_richieste); }))
{
}

LetturaImmagini::~LetturaImmagini()
{
    m_lettura.waitForFinished();
}

std::vector<QImage> LetturaImmagini::risultato()
{
    // Waiting runs the reading here when no pool thread has taken it yet.
    return immaginiOPrimoErrore(m_lettura.result());
}

std::vector<QImage> caricaImmagini(const std::vector<RichiestaImmagine> &richieste)
{
    return immaginiOPrimoErrore(leggiTutte(richieste));
}

} // namespace cartavia
