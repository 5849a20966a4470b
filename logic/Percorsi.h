#pragma once

#include <QString>

class QFile;

namespace cartavia {

// Names of the data files, all inside the program directory (the executable's folder).
QString fileCatalogo(const QString &cartella);
QString fileImmagine(const QString &cartella, int segnale); // .../jpg/7.jpg
QString fileSuono(const QString &cartella, const QString &nome); // .../suoni/no.wav

// Opens a data file for reading; throws ErroreCartavia naming it when it is missing, is no
// regular file once symbolic links are followed (a folder, a named pipe, a device), or
// cannot be read. Never waits: it checks before it opens.
void apriInLettura(QFile &file);

} // namespace cartavia
