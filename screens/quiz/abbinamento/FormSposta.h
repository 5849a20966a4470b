#pragma once

#include "screens/quiz/CorniceQuiz.h"
#include "logic/quiz/Abbinamento.h"
#include "widgets/Controlli.h"
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

// The format a dragged definition travels in: its slot, in decimal digits.
extern const QString FormatoDefinizione;
// The data a definition carries while it is dragged.
QMimeData *datiDefinizione(int slot);
// The slot a drag carries, or -1 when it carries no definition of this quiz.
int slotTrascinato(const QMimeData *dati);

// The dotted outline of a definition on the move: it follows the pointer in a drag, and stands
// around a definition picked up to be placed (by keyboard or by a click). Its dotted line is
// two pixels wide at the natural size, `scala` times that in a grown window.
void disegnaContorno(QPainter &painter, const QRect &rettangolo, qreal scala = 1);

// A definition in the bottom row: pressing the left button on it starts dragging it. It takes
// the keyboard focus, and shows it with the focus frame of the answers; once picked up to be
// placed it shows the dotted outline of a drag.
class DefinizioneTrascinabile : public QLabel, public Scalabile
{
    Q_OBJECT
public:
    explicit DefinizioneTrascinabile(QWidget *parent = nullptr);

    void setPresa(bool presa);
    bool presa() const { return m_presa; }
    // The drag pointer and the outline that follows it grow with the window.
    void impostaScala(qreal fattore) override;
    qreal scala() const { return m_scala; }

signals:
    void premuta(QPoint punto);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_presa = false;
    qreal m_scala = 1;
};

// A drop box under a picture: takes only dragged definitions, and reports a click (clic(),
// where a definition picked up is placed). It takes the keyboard focus and shows it like an
// answer.
class CasellaRilascio : public Etichetta, public Scalabile
{
    Q_OBJECT
public:
    explicit CasellaRilascio(QWidget *parent = nullptr);
    void impostaScala(qreal fattore) override;

signals:
    void rilasciata(int slot);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

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
