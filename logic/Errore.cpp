#include "logic/Errore.h"

#include <QDir>

namespace cartavia {

ErroreCartavia::ErroreCartavia(QString causa, QString file)
    : m_causa(std::move(causa)), m_file(std::move(file)), m_what(testo().toUtf8())
{
}

QString ErroreCartavia::testo() const
{
    if (m_file.isEmpty())
        return m_causa;
    return m_causa + QStringLiteral("\n\n") + QDir::toNativeSeparators(m_file);
}

} // namespace cartavia
