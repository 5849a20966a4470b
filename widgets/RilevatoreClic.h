#pragma once

#include <QRect>

class QMouseEvent;

namespace cartavia {

// A click with the mouse: the left button pressed on a control and released over it.
class RilevatoreClic
{
public:
    void premuto(const QMouseEvent *event);
    // True when this release ends a click inside `area`.
    bool rilasciato(const QMouseEvent *event, const QRect &area);

private:
    bool m_premuta = false;
};

} // namespace cartavia
