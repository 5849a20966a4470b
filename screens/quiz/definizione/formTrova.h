#pragma once

#include "screens/quiz/CorniceQuiz.h"
#include "screens/quiz/Punteggio.h"
#include "logic/quiz/Definizione.h"

#include <array>

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

    void GeneraEsercizio() override;

    std::array<Etichetta *, 6> Label1{}; // the six descriptions, top to bottom
    Immagine *Image1 = nullptr;
    PulsanteGrafico *Command1 = nullptr;       // "avanti"

    // The faces and the counters.
    const Punteggio &punteggio() const { return m_punteggio; }

    void Label1_Click(int Index);
    void Command1_Click();

protected:
    void mostraContatori() override;

private:
    void Form_Load();

    Punteggio m_punteggio;
    Definizione m_definizione;
};
