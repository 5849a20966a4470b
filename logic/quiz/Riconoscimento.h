#pragma once

#include "logic/ModuloColoriSuoni.h"
#include "logic/quiz/RegoleQuiz.h"

#include <QString>
#include <QtGlobal>
#include <array>

namespace cartavia {

struct Contesto;

// The pictures an exercise shows, Image1(0) .. Image1(5); one of them is the sign described.
constexpr int FigureRiconoscimento = 6;

// One exercise of the recognition quiz: six different signs and the description of one.
struct EsercizioRiconoscimento
{
    ColoreVB colore = 0;             // background of the window
    std::array<qint16, FigureRiconoscimento> segnali{}; // the signs of Image1(0) .. Image1(5)
    qint16 PosizioneGiusta = 0;      // 1..6: the right picture is Image1(PosizioneGiusta - 1)
    QString testo;                   // what `testo` shows: three blanks and the description
};

// The rules of the recognition quiz, with no widget in sight. Each answer's verdict is told
// with signals, once its counter has moved and its sound is playing.
class Riconoscimento : public RegoleQuiz
{
    Q_OBJECT
public:
    using RegoleQuiz::RegoleQuiz;

    // Draws a new exercise, in this order: the colour, six different signs of the selected
    // range (a sign already drawn is drawn again before the next one is), then the position
    // of the right picture. While reviewing, the first of the six is drawn from the missed
    // signs (an index into them) and stands at the right position; the other five differ
    // from it and from one another in sign and text (Ripasso::estraiDiversi) and fill the
    // other positions in the order drawn.
    EsercizioRiconoscimento genera();

    // The sign whose description is on show.
    qint16 segnaleChiesto() const { return m_segnaleChiesto; }

    // 1..6 for the exercise on show, 0 before the first one.
    qint16 PosizioneGiusta() const { return m_posizioneGiusta; }

    // A picture is right when it stands at PosizioneGiusta.
    bool giusta(int indice) const { return indice == m_posizioneGiusta - 1; }

    // A click on the picture `indice` (0..5): judges it, then the bookkeeping of RegoleQuiz.
    // A right answer is counted before its sound, a wrong one after.
    void rispondi(int indice);

private:
    qint16 m_posizioneGiusta = 0;
    qint16 m_segnaleChiesto = 0;
};

} // namespace cartavia
