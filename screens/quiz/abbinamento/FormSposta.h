#pragma once

#include "screens/quiz/CorniceQuiz.h"
#include "logic/quiz/Abbinamento.h"

#include <QLabel>
#include <array>
#include <functional>

class Immagine;
class PulsanteGrafico;
class QDrag;
class QMimeData;

// The format a dragged definition travels in: its slot, in decimal digits.
extern const QString FormatoDefinizione;
// The data a definition carries while it is dragged.
QMimeData *datiDefinizione(int slot);
// The slot a drag carries, or -1 when it carries no definition of this quiz.
int slotTrascinato(const QMimeData *dati);

// A definition in the bottom row: pressing the left button on it starts dragging it.
class DefinizioneTrascinabile : public QLabel
{
    Q_OBJECT
public:
    explicit DefinizioneTrascinabile(QWidget *parent = nullptr) : QLabel(parent)
    {
        setTextFormat(Qt::PlainText);
    }

signals:
    void premuta(QPoint punto);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

// A drop box under a picture: takes only dragged definitions.
class CasellaRilascio : public QLabel
{
    Q_OBJECT
public:
    explicit CasellaRilascio(QWidget *parent = nullptr);

signals:
    void rilasciata(int slot);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

// The matching quiz: three sign pictures, an empty box under each, and their definitions
// shuffled in the bottom row, to be dragged into the boxes.
class FormSposta : public CorniceQuiz
{
    Q_OBJECT
public:
    explicit FormSposta(Contesto &contesto, QWidget *parent = nullptr);

    std::array<Immagine *, SlotAbbinamento> Image1{};
    std::array<CasellaRilascio *, SlotAbbinamento> Label2{};
    std::array<DefinizioneTrascinabile *, SlotAbbinamento> Label1{};
    PulsanteGrafico *Command1 = nullptr; // avanti

    void GeneraEsercizio() override;
    void Command1_Click();
    void Label2_DragDrop(int indice, int trascinato);

    const Abbinamento &esercizio() const { return m_esercizio; }

    // Runs a drag that a press on a definition started; QDrag::exec in a real run. It owns
    // the drag from then on.
    std::function<void(QDrag *)> eseguiTrascinamento;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void trascina(int slot, QPoint punto);

    Abbinamento m_esercizio;
    bool m_trascinando = false;
};
