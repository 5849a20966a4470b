#pragma once

#include <QList>
#include <QtGlobal>

namespace cartavia {

class Casuale;

// The signs the pupil has missed while the program runs, in the order they were first
// missed; nothing of it is written anywhere. While a quiz reviews them, its asked signs are
// drawn from here.
class Ripasso
{
public:
    // A wrong answer: the sign enters the set, unless it is there already.
    void sbagliato(qint16 segnale);
    // A right answer: while reviewing, the sign leaves the set.
    void esatto(qint16 segnale);

    const QList<qint16> &segnali() const { return m_segnali; }
    int dimensione() const { return int(m_segnali.size()); }
    bool contiene(qint16 segnale) const { return m_segnali.contains(segnale); }

    // Whether the quizzes draw from the set ("segnali da ripassare" chosen).
    bool attivo() const { return m_attivo; }
    void setAttivo(bool attivo) { m_attivo = attivo; }

    // One draw: an index into the set, floor(r * size). The set must not be empty.
    qint16 estrai(Casuale &casuale) const;

private:
    QList<qint16> m_segnali;
    bool m_attivo = false;
};

} // namespace cartavia
