#include "logic/Percorsi.h"

#include "logic/Errore.h"

#include <QFile>
#include <QFileInfo>

QString fileCatalogo(const QString &cartella)
{
    return cartella + QStringLiteral("/lista.txt");
}

QString fileImmagine(const QString &cartella, int segnale)
{
    return cartella + QStringLiteral("/jpg/") + QString::number(segnale) + QStringLiteral(".jpg");
}

QString fileSuono(const QString &cartella, const QString &nome)
{
    return cartella + QStringLiteral("/suoni/") + nome;
}

void apriInLettura(QFile &file)
{
    const QFileInfo info(file.fileName());
    if (!info.exists())
        throw ErroreCartavia(Cause::fileNonTrovato(), file.fileName());
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw ErroreCartavia(Cause::fileIlleggibile(), file.fileName());
}
