#pragma once

#include "screens/quiz/CorniceQuiz.h"
#include "screens/quiz/Punteggio.h"
#include "logic/quiz/Riconoscimento.h"

#include <QWidget>
#include <array>

class Immagine;
class PulsanteGrafico;
class QLabel;

// The frame that marks the right picture: a thick outline, see-through and deaf to the
// mouse, so the picture under it stays visible.
class CorniceRisposta : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Spessore = 9; // pixels
    explicit CorniceRisposta(QWidget *parent = nullptr);
    // Black: it stands out on every background colour of the quizzes, the pure blue
    // included, and on the light edges of the sign pictures.
    static QColor colore() { return Qt::black; }

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The recognition quiz: six pictures and one description; the pupil clicks the picture
// that the description belongs to.
class formDisegni : public CorniceQuiz
{
    Q_OBJECT
public:
    explicit formDisegni(Contesto &contesto, QWidget *parent = nullptr);

    void GeneraEsercizio() override;
    qint16 PosizioneGiusta() const { return m_riconoscimento.PosizioneGiusta(); }

    std::array<Immagine *, 6> Image1{}; // top row 0..2, bottom row 3..5
    QLabel *testo = nullptr;            // the description to find
    CorniceRisposta *Shape1 = nullptr;
    PulsanteGrafico *Command1 = nullptr; // "avanti"
    QLabel *Label4 = nullptr; // the chosen category

    // The faces and the counters.
    const Punteggio &punteggio() const { return m_punteggio; }

    void Image1_Click(int Index);
    void Command1_Click();

protected:
    void mostraContatori() override;
    void categoriaScelta(const QString &voce) override;

private:
    void Form_Load();
    void NuovoEsercizio();

    Punteggio m_punteggio;
    Riconoscimento m_riconoscimento;
};
