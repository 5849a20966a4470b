#pragma once

#include "widgets/Scalabile.h"

#include <QLabel>

class QMimeData;
class QPainter;

namespace cartavia {

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

} // namespace cartavia
