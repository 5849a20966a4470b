#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Reads a sign picture, decoded straight at `dimensione` device pixels (JPEG scales while it
// decodes), or at its own size when `dimensione` is empty. A file that is missing, is a
// folder, cannot be read, or is not a whole picture throws ErroreCartavia naming it.
QImage caricaImmagine(const QString &file, const QSize &dimensione = QSize());
