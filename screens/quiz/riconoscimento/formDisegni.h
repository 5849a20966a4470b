#pragma once

#include "screens/quiz/CorniceQuiz.h"
#include "logic/quiz/Riconoscimento.h"
#include "screens/quiz/riconoscimento/CorniceRisposta.h"
#include "widgets/Scala.h"

#include <QWidget>
#include <array>

class QLabel;

namespace cartavia {

class Immagine;
class PulsanteGrafico;

// The recognition quiz: six pictures and one description; the pupil clicks the picture
// that the description belongs to.
class formDisegni : public CorniceQuiz
{
    Q_OBJECT
public:
    explicit formDisegni(Contesto &contesto, QWidget *parent = nullptr);

protected:
    void attendiRisposta() override;
    void NuovoEsercizio() override;
    // The arrow keys move between the pictures, in their grid of two rows of three.
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void Form_Load();
    void Image1_Click(int Index);
    void Command1_Click();
    // The quiz's own part of a verdict: the frame marks a right picture, the pictures go
    // quiet and "avanti" takes the focus.
    void mostraVerdetto(bool giusta);

    std::array<Immagine *, 6> Image1{}; // top row 0..2, bottom row 3..5
    QLabel *testo = nullptr;            // the description to find
    CorniceRisposta *Shape1 = nullptr;
    PulsanteGrafico *Command1 = nullptr; // "avanti"
    QLabel *Label4 = nullptr;            // the chosen category

    Riconoscimento m_riconoscimento;
    int m_cliccata = 0; // the picture being judged
};

} // namespace cartavia
