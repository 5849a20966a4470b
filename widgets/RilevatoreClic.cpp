#include "widgets/RilevatoreClic.h"

#include <QMouseEvent>

namespace cartavia {

void RilevatoreClic::premuto(const QMouseEvent *event)
{
    m_premuta = event->button() == Qt::LeftButton;
}

bool RilevatoreClic::rilasciato(const QMouseEvent *event, const QRect &area)
{
    const bool clic = m_premuta && event->button() == Qt::LeftButton
        && area.contains(event->position().toPoint());
    m_premuta = false;
    return clic;
}

} // namespace cartavia
