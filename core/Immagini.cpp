#include "core/Immagini.h"

#include "core/Errore.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

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
}

QImage caricaImmagine(const QString &nome, const QSize &dimensione)
{
    const QFileInfo info(nome);
    if (!info.exists())
        throw ErroreCartavia(Cause::fileNonTrovato(), nome);

    QFile file(nome);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw ErroreCartavia(Cause::fileIlleggibile(), nome);

    QImageReader lettore(&file);
    const QByteArray formato = lettore.format();
    if (formato.isEmpty())
        throw ErroreCartavia(Cause::immagineNonValida(), nome);
    if (dimensione.isValid() && !dimensione.isEmpty())
        lettore.setScaledSize(dimensione);

    QImage immagine = lettore.read();
    if (immagine.isNull() || (formato == "jpeg" && !jpegIntero(file)))
        throw ErroreCartavia(Cause::immagineNonValida(), nome);
    return immagine;
}
