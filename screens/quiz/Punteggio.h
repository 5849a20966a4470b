#pragma once

#include <QRect>

class QLabel;
class QWidget;

namespace cartavia {

class PulsanteGrafico;

// Where the score stands on a quiz window, in pixels (built with tw() from the layout).
struct PostiPunteggio
{
    QRect facce;           // the laughing and the sad face, one over the other
    QRect esatti;          // "Esatti"
    QRect etichettaEsatti; // its counter
    QRect errati;          // "Errati"
    QRect etichettaErrati; // its counter
};

// The score the definition and recognition quizzes keep on screen: the face of the last
// answer and the two counters. Its controls stand on the quiz's client area.
class Punteggio
{
public:
    Punteggio(QWidget *area, const PostiPunteggio &posti);

    // The laughing face for a right answer, the sad one for a wrong one.
    void mostraFaccia(bool giusta);
    void mostraContatori(int esatti, int errati);

private:
    PulsanteGrafico *ComandoIconaSi = nullptr; // laughing face: the last answer was right
    PulsanteGrafico *ComandoIconaNo = nullptr; // sad face: the last answer was wrong (and at opening)
    QLabel *Label3 = nullptr;                  // "Esatti"
    QLabel *EtichettaEsatti = nullptr;
    QLabel *Label2 = nullptr;                  // "Errati"
    QLabel *EtichettaErrati = nullptr;
};

} // namespace cartavia
