#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>

class QMouseEvent;
class QWidget;
class QWindow;

namespace cartavia {

// Presses of the mouse in a series: the second press of a double-click, the third of a
// triple-click. A press continues the series when it comes with the same button within the
// double-click time of the press before it, and within the double-click distance of it.
//
// Watching every window of the program, the series drops a later press, with its release:
// - when it falls on another window than the first press of the series: the window that a
//   click has just opened never takes the rest of that double-click;
// - when it falls on a control that counts a series as one click (contaUnClic).
class SerieClic : public QObject
{
public:
    // Starts watching, once for the whole program.
    static void installa();
    // The control, and whatever lies inside it, takes only the first press of a series.
    static void contaUnClic(QWidget *controllo);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    explicit SerieClic(QObject *parent);
    bool continuaSerie(const QMouseEvent *evento) const;

    bool m_inSerie = false;
    unsigned long long m_tempo = 0;
    QPointF m_punto;
    int m_pulsante = 0;
    QPointer<QWindow> m_prima; // the window of the series' first press
    bool m_scartaDoppio = false; // the double-click event that follows a dropped press
    int m_rilasciDaScartare = 0; // buttons whose release goes with a dropped press
};

} // namespace cartavia
