#include "logic/Percorsi.h"

#include "logic/Errore.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFileInfo>
#endif

namespace cartavia {

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
    const QString nome = file.fileName();
#ifdef Q_OS_UNIX
    // Opened without waiting, then checked: a named pipe would otherwise hold open(2) until
    // some writer came, and a device never ends. Only a regular file, symbolic links
    // followed, is a data file; checking the open file leaves no moment to swap it.
    const int fd = ::open(QFile::encodeName(nome).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw ErroreCartavia(Cause::fileNonTrovato(), nome);
        throw ErroreCartavia(Cause::fileIlleggibile(), nome);
    }
    struct stat stato;
    const int flag = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &stato) != 0 || !S_ISREG(stato.st_mode) || flag < 0
        || ::fcntl(fd, F_SETFL, flag & ~O_NONBLOCK) != 0
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw ErroreCartavia(Cause::fileIlleggibile(), nome);
    }
#else
    // Elsewhere (Windows: a path a maintainer could build, not built here) with Qt alone: the
    // same answers, checked just before opening.
    const QFileInfo info(nome);
    if (!info.exists())
        throw ErroreCartavia(Cause::fileNonTrovato(), nome);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        throw ErroreCartavia(Cause::fileIlleggibile(), nome);
#endif
}

} // namespace cartavia
