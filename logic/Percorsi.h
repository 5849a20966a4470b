#pragma once

#include <QString>

class QFile;

// Names of the data files, all inside the program directory (the executable's folder).
QString fileCatalogo(const QString &cartella);
QString fileImmagine(const QString &cartella, int segnale); // .../jpg/7.jpg
QString fileSuono(const QString &cartella, const QString &nome); // .../suoni/no.wav

// Opens a data file for reading; throws ErroreCartavia naming it when it is missing, is a
// folder, or cannot be read.
void apriInLettura(QFile &file);
