#pragma once

#include "logic/Ripasso.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace cartavia {

// Number of signs in the catalogue; a sign is known by its index 1..NumeroSegnali.
constexpr int NumeroSegnali = 144;

// The values every window shares, one instance for the whole run.
struct Stato
{
    Stato();

    QStringList ListaSegnali;      // 145 texts: entry n describes sign n, entry 0 stays empty
    qint16 PrimoSegnale = 1;       // selected category, first index
    qint16 UltimoSegnale = NumeroSegnali; // selected category, last index (inclusive)
    qint16 SegnaleCorrente = 0;    // the sign on show
    qint16 NumeroEsatti = 0;       // right answers
    qint16 NumeroErrati = 0;       // wrong answers
    Ripasso ripasso;               // the missed signs, for "segnali da ripassare"

    // Entry n of ListaSegnali; an index outside 0..144 is a failure of the caller.
    const QString &segnale(int n) const;
};

// Adds one to a 16-bit counter; a counter at 32767 stays there.
void aggiungiUno(qint16 &contatore);

// A number as the pupil reads it: one blank before a non-negative value (" 0", " 12").
QString testoContatore(int valore);

} // namespace cartavia
