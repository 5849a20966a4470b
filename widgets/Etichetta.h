#pragma once

#include "widgets/RilevatoreClic.h"

#include <QLabel>

namespace cartavia {

// A label that reports a click: pressed and released over it with the left button; a double-
// or triple-click is one click (SerieClic). Its text is plain text: a catalogue text that looks
// like markup shows as typed.
// A disabled label ignores the mouse, like every disabled widget.
class Etichetta : public QLabel
{
    Q_OBJECT
public:
    explicit Etichetta(QWidget *parent = nullptr);

    // An answer: it takes the keyboard focus, shows it with a frame that stands out on any
    // background, and Space, Return or Enter report clic() as a click does.
    void setRisposta(bool risposta);

signals:
    void clic();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    RilevatoreClic m_clic;
    bool m_risposta = false;
};

} // namespace cartavia
