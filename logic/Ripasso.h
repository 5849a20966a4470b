#pragma once

#include <QList>
#include <QStringList>
#include <QtGlobal>

namespace cartavia {

class Casuale;

// The signs the pupil has missed while the program runs, in the order they were first
// missed; nothing of it is written anywhere. While a quiz reviews them, its asked signs are
// drawn from here.
class Ripasso
{
public:
    // A wrong try: the sign enters the set, unless it is there already.
    void sbagliato(qint16 segnale);
    // A right answer: while reviewing, the sign leaves the set, but only when it was right at
    // the first try of its exercise; a sign found after a wrong try stays to be reviewed again.
    void esatto(qint16 segnale, bool alPrimoTentativo);

    const QList<qint16> &segnali() const { return m_segnali; }
    int dimensione() const { return int(m_segnali.size()); }
    bool contiene(qint16 segnale) const { return m_segnali.contains(segnale); }

    // Whether the quizzes draw from the set ("segnali da ripassare" chosen).
    bool attivo() const { return m_attivo; }
    void setAttivo(bool attivo) { m_attivo = attivo; }

    // One draw: an index into the set, floor(r * size). The set must not be empty.
    qint16 estrai(Casuale &casuale) const;

    // `quanti` more signs for a review exercise that shows `scelti` already: each differs from
    // every sign before it and so does its text (`testi` is the catalogue, entry n the text of
    // sign n). They come from the set while it holds such a sign, then from the whole
    // catalogue; each is one draw, an index into the signs still free.
    QList<qint16> estraiDiversi(Casuale &casuale, const QStringList &testi, int quanti,
                                QList<qint16> scelti = {}) const;

private:
    QList<qint16> m_segnali;
    bool m_attivo = false;
};

} // namespace cartavia
