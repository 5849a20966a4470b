#pragma once

#include "screens/quiz/CorniceQuiz.h"
#include "logic/quiz/Abbinamento.h"
#include "screens/quiz/abbinamento/CasellaRilascio.h"
#include "screens/quiz/abbinamento/DefinizioneTrascinabile.h"
#include "widgets/Scala.h"

#include <QLabel>
#include <array>
#include <vector>

class QDrag;
class QMimeData;
class QPainter;

namespace cartavia {

class Immagine;
class PulsanteGrafico;

// The matching quiz: three sign pictures, an empty box under each, and their definitions
// shuffled in the bottom row, to be dragged into the boxes. Without dragging, a definition is
// picked up (Space or Return on it, or a click) and placed (Space or Return on a box, or a
// click on it): the very same drop. Escape puts it back.
class FormSposta : public CorniceQuiz
{
    Q_OBJECT
public:
    explicit FormSposta(Contesto &contesto, QWidget *parent = nullptr);

protected:
    void attendiRisposta() override;
    void NuovoEsercizio() override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void Form_Load();
    void Command1_Click();
    void Label2_DragDrop(int indice, int trascinato);
    // A right drop: the definition of `slot` moves into its box.
    void colloca(int slot);
    void trascina(int slot, QPoint punto);
    // Picks up the definition of `slot`; the one picked up already is put back first. On the
    // one picked up, puts it back.
    void prendi(int slot);
    // Puts back the definition picked up.
    void riponi();
    // Drops the definition picked up on box `casella`, as a drag drops it there.
    void posa(int casella);
    // The arrow keys: Left and Right along a row, Up and Down between the boxes and the
    // definitions, to the nearest one shown.
    void spostaFuoco(QWidget *da, int tasto);
    // The definitions shown, left to right.
    std::vector<QWidget *> definizioniInOrdine() const;

    std::array<Immagine *, SlotAbbinamento> Image1{};
    std::array<CasellaRilascio *, SlotAbbinamento> Label2{};
    std::array<DefinizioneTrascinabile *, SlotAbbinamento> Label1{};
    PulsanteGrafico *Command1 = nullptr; // avanti

    Abbinamento m_esercizio;
    bool m_trascinando = false;
    int m_presa = -1; // the definition picked up to be placed, -1 for none
};

} // namespace cartavia
