#pragma once

#include "screens/FinestraAttivita.h"
#include "screens/quiz/Punteggio.h"

#include <QFont>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QMenu;

namespace cartavia {

struct Contesto;
class Annuncio;
class PulsanteGrafico;
class RegoleQuiz;

// What tells the three quiz windows' frames apart.
struct AspettoCornice
{
    QString nomeAccessibile;     // what a screen reader says of the window (the title is empty)
    QString azzera;              // "Azzera conteggio" and the blanks that space the bar
    bool eserciziEseguiti;       // the score report command (matching quiz only)
    QString nomeMenuScelta;      // mnuscegli or mnuscelta
    std::array<QString, 7> voci; // the category captions, as this window writes them
    int larghezza;               // client area, in twips
    int altezza;
    std::optional<QFont> carattere;         // of the client area
    std::optional<PostiPunteggio> punteggio; // the faces and counters, where the quiz shows them
};

namespace Cornici {
AspettoCornice sposta(); // matching quiz
AspettoCornice trova();  // definition quiz
AspettoCornice disegni(); // recognition quiz
}

// The frame every quiz window carries: the menu bar that chooses a category, resets and
// reports the score and leads back to the main menu, the score panel, the verdicts for a
// screen reader, and the opening steps of a quiz. A quiz derives from it, places its controls
// on area(), builds its exercises in GeneraEsercizio and hands its rules to collegaRegole.
class CorniceQuiz : public FinestraAttivita
{
    Q_OBJECT
public:
    CorniceQuiz(Contesto &contesto, const AspettoCornice &aspetto, QWidget *parent = nullptr);
    ~CorniceQuiz() override;

signals:
    // A category was chosen (by the pupil, or by a review that ran out), with its caption.
    void categoriaScelta(const QString &voce);

protected:
    // Builds a new exercise from the selected range, replacing the one on screen. Whoever
    // asks for it (the opening, a category, "avanti"), it starts unanswered: the quiz's
    // attendiRisposta runs first, then its NuovoEsercizio.
    void GeneraEsercizio();
    // The quiz's answer state back to waiting: answers enabled, no verdict marked on them,
    // "avanti" off. The face of the last answer stays, as it does after "avanti".
    virtual void attendiRisposta() = 0;
    // Draws and shows a new exercise.
    virtual void NuovoEsercizio() = 0;

    // The frame's part of every quiz's load step: "tutti i segnali", then the score at 0.
    void apriQuiz();
    // Every verdict of the rules reaches the window through here, in this order: the score
    // panel shows the counters and the face, a screen reader hears the verdict, `mostraVerdetto`
    // does the quiz's own part (it may move the focus), and then the review item shows the set as
    // it now stands (once an exercise is solved, a review whose set has run out goes back to
    // "tutti i segnali"; no new exercise: the next one comes from there).
    void collegaRegole(RegoleQuiz *regole, std::function<void(bool giusta)> mostraVerdetto);

    // The "avanti" button of every quiz: the arrow above its caption, Arial 14.25 bold.
    PulsanteGrafico *creaAvanti(const QRect &posto);

private:
    // The category item `indice` chosen (mnuTutti_Click .. mnuindicazione_Click, and
    // DaRipassare for mnuRipasso).
    void scegli(int indice);
    void CambiaSceltaSegnali();
    void mnuAzzera_Click();
    void mnuEserEseg_Click();
    void aggiornaVoceRipasso();
    void dopoRisposta(const RegoleQuiz &regole);
    void mostraContatori();

    QAction *mnuAzzera = nullptr;
    QAction *mnuEserEseg = nullptr; // matching quiz only
    QMenu *menuScelta = nullptr;
    std::array<QAction *, 7> vociCategoria{}; // mnuTutti .. mnuindicazione
    QAction *mnuRipasso = nullptr;            // "segnali da ripassare (n)", after a separator
    std::unique_ptr<Punteggio> m_punteggio;
    Annuncio *m_annuncio = nullptr;           // each verdict, for a screen reader
};

} // namespace cartavia
