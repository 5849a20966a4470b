#include "logic/Ripasso.h"

#include "logic/Casuale.h"
#include "logic/Errore.h"

namespace cartavia {

void Ripasso::sbagliato(qint16 segnale)
{
    if (!contiene(segnale))
        m_segnali.append(segnale);
}

void Ripasso::esatto(qint16 segnale)
{
    if (m_attivo)
        m_segnali.removeOne(segnale);
}

qint16 Ripasso::estrai(Casuale &casuale) const
{
    if (m_segnali.isEmpty())
        throw ErroreCartavia(QStringLiteral("Nessun segnale da ripassare"));
    return m_segnali.at(indiceNelRango(casuale, 0, dimensione() - 1));
}

} // namespace cartavia
