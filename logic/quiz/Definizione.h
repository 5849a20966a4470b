#pragma once

#include "logic/ModuloColoriSuoni.h"
#include "logic/quiz/RegoleQuiz.h"

#include <QString>
#include <QtGlobal>
#include <array>

namespace cartavia {

struct Contesto;

// The descriptions an exercise offers, Label1(0) .. Label1(5); one of them is right.
constexpr int DescrizioniDefinizione = 6;

// One exercise of the definition quiz: the picture of one sign and six descriptions.
struct EsercizioDefinizione
{
    ColoreVB colore = 0;          // background of the window
    qint16 segnale = 0;           // the sign on the picture (also SegnaleCorrente)
    int posizione = 0;            // 0..5, the label that got the right text
    std::array<QString, DescrizioniDefinizione> testi; // Label1(0) .. Label1(5), top to bottom
};

// The rules of the definition quiz, with no widget in sight. Each answer's verdict is told
// with signals, once its counter has moved and its sound is playing.
class Definizione : public RegoleQuiz
{
    Q_OBJECT
public:
    using RegoleQuiz::RegoleQuiz;

    // Draws a new exercise, in this order: the colour, the sign from the selected range,
    // the position of the right text, then one sign of the whole catalogue for each other
    // label from top to bottom. Sets SegnaleCorrente. While reviewing, the sign is drawn
    // from the missed ones (one draw, an index into them) and the other five are five
    // different signs with five different texts, none the asked one's (Ripasso::estraiDiversi),
    // from top to bottom.
    EsercizioDefinizione genera();

    // A description is right when it is the text of SegnaleCorrente, to the letter.
    // Another label that happens to show the same text is just as right.
    bool giusta(const QString &testo) const;

    // A click on a description: judges it, then the bookkeeping of RegoleQuiz, counter
    // before sound.
    void rispondi(const QString &testo);
};

} // namespace cartavia
