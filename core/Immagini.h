#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

// Reads a sign picture, decoded straight at `dimensione` device pixels (JPEG scales while it
// decodes), or at its own size when `dimensione` is empty. A file that is missing, is a
// folder, cannot be read, or is not a whole picture throws ErroreCartavia naming it.
QImage caricaImmagine(const QString &file, const QSize &dimensione = QSize());

// One picture to read: its file and the size to decode it at.
struct RichiestaImmagine
{
    QString file;
    QSize dimensione;
};

// Reads several pictures at once, spread over the processor's cores, and returns them in the
// order asked. When some cannot be read, throws the failure of the first of them in that
// order, as reading them one after the other would.
std::vector<QImage> caricaImmagini(const std::vector<RichiestaImmagine> &richieste);
