#pragma once

#include "screens/FinestraAttivita.h"

#include <array>

struct Contesto;
class QAction;
class QMenu;
class PulsanteGrafico;

// What tells the three quiz windows' frames apart.
struct AspettoCornice
{
    QString azzera;              // "Azzera conteggio" and the blanks that space the bar
    bool eserciziEseguiti;       // the score report command (matching quiz only)
    QString nomeMenuScelta;      // mnuscegli or mnuscelta
    std::array<QString, 7> voci; // the category captions, as this window writes them
    int larghezza;               // client area, in twips
    int altezza;
    int sogliaRipasso = 1;       // missed signs the quiz needs to review them
};

namespace Cornici {
AspettoCornice sposta(); // matching quiz
AspettoCornice trova();  // definition quiz
AspettoCornice disegni(); // recognition quiz
}

// The frame every quiz window carries: the menu bar that chooses a category, resets and
// reports the score and leads back to the main menu, and the opening steps of a quiz.
// A quiz derives from it, places its controls on area() and builds its exercises in
// GeneraEsercizio.
class CorniceQuiz : public FinestraAttivita
{
    Q_OBJECT
public:
    CorniceQuiz(Contesto &contesto, const AspettoCornice &aspetto, QWidget *parent = nullptr);

    // Builds a new exercise from the selected range, replacing the one on screen.
    virtual void GeneraEsercizio() = 0;

    QAction *mnuAzzera = nullptr;
    QAction *mnuEserEseg = nullptr; // matching quiz only
    QMenu *menuScelta = nullptr;
    std::array<QAction *, 7> vociCategoria{}; // mnuTutti .. mnuindicazione
    QAction *mnuRipasso = nullptr;            // "segnali da ripassare (n)", after a separator

    // The category item `indice` chosen (mnuTutti_Click .. mnuindicazione_Click, and
    // DaRipassare for mnuRipasso).
    void scegli(int indice);
    void CambiaSceltaSegnali();
    void mnuAzzera_Click();
    void mnuEserEseg_Click();

protected:
    // The frame's part of every quiz's load step: "tutti i segnali", then the score at 0.
    void apriQuiz();
    // Every answer ends here: the review item shows the set as it now stands, and a review
    // whose set has run out goes back to "tutti i segnali" (no new exercise: the next one
    // comes from there).
    void dopoRisposta();
    // Quizzes that show the score refresh their labels here.
    virtual void mostraContatori() {}
    // The recognition quiz names the chosen category.
    virtual void categoriaScelta(const QString &voce) { Q_UNUSED(voce); }

    // The "avanti" button of every quiz: the arrow above its caption, Arial 14.25 bold.
    PulsanteGrafico *creaAvanti(const QRect &posto);

private:
    void aggiornaVoceRipasso();

    Contesto &m_contesto;
    int m_sogliaRipasso = 1;
};
