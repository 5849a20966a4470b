#pragma once

#include <QList>
#include <QObject>

#include <functional>

namespace cartavia {

struct Contesto;

// What the rules of every quiz share: the bookkeeping of a verdict, and what they tell about
// it, once its counter has moved and its sound is playing: the counters as they now stand
// (when one moved), then the verdict. Each quiz keeps only its own rule: what it draws, what
// is right, and the order of its counter and its sound.
class RegoleQuiz : public QObject
{
    Q_OBJECT
public:
    explicit RegoleQuiz(Contesto &contesto, QObject *parent = nullptr);

    // Whether the exercise on show is over: a right verdict moved NumeroEsatti, which counts
    // the exercises solved.
    bool concluso() const { return m_concluso; }

signals:
    void contatoriCambiati(int esatti, int errati);
    void rispostaData(bool giusta);

protected:
    Contesto &contesto() const { return m_contesto; }

    // Every exercise starts here: not over, and none of its signs missed yet.
    void iniziaEsercizio();

    // Where a verdict's counter moves: before its sound, after it, or not at all.
    enum class Conteggio { PrimaDelSuono, DopoIlSuono, Nessuno };
    // The one bookkeeping step of every verdict about `segnale`, in this order: the review
    // (a wrong try puts the sign among the missed ones; a right one takes it out while
    // reviewing, if it was the first try at it in this exercise), the counter of the verdict
    // and its sound (SuonaEsatto, SuonaErrato) in the order `conteggio` gives, `propria` (what
    // the quiz itself does once the sound plays), then contatoriCambiati when a counter moved,
    // and rispostaData.
    void registraVerdetto(qint16 segnale, bool giusta, Conteggio conteggio,
                          const std::function<void()> &propria = {});

private:
    Contesto &m_contesto;
    QList<qint16> m_mancati; // the signs this exercise has seen a wrong try at
    bool m_concluso = false;
};

} // namespace cartavia
