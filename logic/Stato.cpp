#include "logic/Stato.h"

#include "logic/Errore.h"

#include <limits>

namespace cartavia {

Stato::Stato()
{
    for (int i = 0; i <= NumeroSegnali; ++i)
        ListaSegnali.append(QString());
}

const QString &Stato::segnale(int n) const
{
    if (n < 0 || n >= ListaSegnali.size())
        throw ErroreCartavia(QStringLiteral("Indice del segnale fuori dall'intervallo: %1").arg(n));
    return ListaSegnali.at(n);
}

void aggiungiUno(qint16 &contatore)
{
    if (contatore < std::numeric_limits<qint16>::max())
        ++contatore;
}

QString testoContatore(int valore)
{
    return valore < 0 ? QString::number(valore) : QLatin1Char(' ') + QString::number(valore);
}

} // namespace cartavia
