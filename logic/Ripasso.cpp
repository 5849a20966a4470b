#include "logic/Ripasso.h"

#include "logic/Casuale.h"
#include "logic/Errore.h"

namespace cartavia {

void Ripasso::sbagliato(qint16 segnale)
{
    if (!contiene(segnale))
        m_segnali.append(segnale);
}

void Ripasso::esatto(qint16 segnale, bool alPrimoTentativo)
{
    if (m_attivo && alPrimoTentativo)
        m_segnali.removeOne(segnale);
}

qint16 Ripasso::estrai(Casuale &casuale) const
{
    if (m_segnali.isEmpty())
        throw ErroreCartavia(QStringLiteral("Nessun segnale da ripassare"));
    return m_segnali.at(indiceNelRango(casuale, 0, dimensione() - 1));
}

QList<qint16> Ripasso::estraiDiversi(Casuale &casuale, const QStringList &testi, int quanti,
                                     QList<qint16> scelti) const
{
    const auto libero = [&](qint16 segnale) {
        for (qint16 s : scelti)
            if (s == segnale || testi.at(s) == testi.at(segnale))
                return false;
        return true;
    };
    const auto primi = scelti.size();
    while (scelti.size() < primi + quanti) {
        QList<qint16> liberi;
        for (qint16 s : m_segnali)
            if (libero(s))
                liberi.append(s);
        if (liberi.isEmpty())
            for (qint16 s = 1; s < testi.size(); ++s)
                if (libero(s))
                    liberi.append(s);
        if (liberi.isEmpty())
            throw ErroreCartavia(QStringLiteral("Troppo pochi segnali con testi diversi"));
        scelti.append(liberi.at(indiceNelRango(casuale, 0, int(liberi.size()) - 1)));
    }
    return scelti.mid(primi);
}

} // namespace cartavia
