#pragma once

#include "screens/FinestraAttivita.h"

#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace cartavia {

struct Contesto;
class GiocoPuzzle;

// The puzzle screen: a random sign of the selected range as a picture puzzle, its text beside
// it, the choice between swapping and sliding pieces, and "nuovo puzzle". It keeps no score
// and leaves the range and the counters alone.
class frmpuzzle : public FinestraAttivita
{
    Q_OBJECT
public:
    explicit frmpuzzle(Contesto &contesto, QWidget *parent = nullptr);

private:
    void Form_Load();
    // Draws a sign of the range and starts a puzzle of its picture, in the mode chosen last.
    void GeneraEsercizio();
    void Command1_Click();
    void Option1_Click(int indice);

    GiocoPuzzle *GiocoPuzzle1 = nullptr;
    QLabel *Label1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    std::array<QRadioButton *, 2> Option1{};
    QPushButton *Command1 = nullptr;
};

} // namespace cartavia
