#pragma once

#include <QString>
#include <QByteArray>
#include <exception>

namespace cartavia {

// A failure the program cannot go on from: a data file that is missing, unreadable or
// short. It names the cause and the file in Italian; one handler shows it and ends the
// program (see logic/Protezione.h and segnalaErrore).
class ErroreCartavia : public std::exception
{
public:
    explicit ErroreCartavia(QString causa, QString file = QString());

    const QString &causa() const { return m_causa; }
    const QString &file() const { return m_file; }
    // What the pupil reads: the cause, then the file in the platform's own notation.
    QString testo() const;
    const char *what() const noexcept override { return m_what.constData(); }

private:
    QString m_causa;
    QString m_file;
    QByteArray m_what;
};

namespace Cause {
inline QString fileNonTrovato() { return QStringLiteral("File non trovato"); }
inline QString fileIlleggibile() { return QStringLiteral("Impossibile leggere il file"); }
inline QString oltreFineFile() { return QStringLiteral("Input oltre la fine del file"); }
inline QString immagineNonValida() { return QStringLiteral("Immagine non valida"); }
}

} // namespace cartavia
