#pragma once

#include "screens/quiz/CorniceQuiz.h"
#include "logic/quiz/Definizione.h"

#include <array>

namespace cartavia {

class Etichetta;
class Immagine;
class PulsanteGrafico;

// The definition quiz: the picture of one sign and six descriptions; the pupil clicks the
// description of the sign.
class formTrova : public CorniceQuiz
{
    Q_OBJECT
public:
    explicit formTrova(Contesto &contesto, QWidget *parent = nullptr);

protected:
    void attendiRisposta() override;
    void NuovoEsercizio() override;
    // Up and Down move between the descriptions.
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void Form_Load();
    void Label1_Click(int Index);
    void Command1_Click();
    // The quiz's own part of a verdict: a right description turns red, the others go
    // quiet and "avanti" takes the focus.
    void mostraVerdetto(bool giusta);

    std::array<Etichetta *, 6> Label1{}; // the six descriptions, top to bottom
    Immagine *Image1 = nullptr;
    PulsanteGrafico *Command1 = nullptr; // "avanti"

    Definizione m_definizione;
    Etichetta *m_cliccata = nullptr; // the description being judged
};

} // namespace cartavia
