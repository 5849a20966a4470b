#include "core/Percorsi.h"

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
