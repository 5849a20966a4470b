#pragma once

#include "widgets/Scalabile.h"

#include <QFont>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>


class QWidget;

namespace cartavia {

struct Contesto;

// A font `fattore` times as large (in points, or in pixels where it is given so).
QFont fontInScala(const QFont &naturale, qreal fattore);

// Lets a window grow: it keeps the layout of `ospite` (a window, or a main window's client
// area) in proportion with its size. Controls are placed as the layout gives them, with
// tw(...), at the natural size; the first time the host is not at that size, every control
// on it is remembered as placed (its rectangle, its font where it has its own, its frame's
// line width) and from then on shown at that times one factor, the largest that lets the
// whole layout fit; the box of the controls on the host stands in its middle, on the host's
// own colour (at the natural size, the layout's own margins stay). A font or a rectangle that the
// window sets later is taken in natural units too, at any factor. A change that lands
// exactly on what is shown cannot be told from no change at all, though: a window that
// moves controls while it runs says so with posa(), which is exact. Pictures are decoded
// again at their new size, and controls that draw things of their own are told the factor
// (Scalabile). F11 toggles full screen.
//
// At the natural size nothing is touched: every pixel is the layout's.
class Scala : public QObject
{
    Q_OBJECT
public:
    // The host takes `naturale` (in pixels) as its size and its least size.
    Scala(QWidget *ospite, const QSize &naturale);

    qreal fattore() const { return m_fattore; }
    // Where the layout's top left corner stands on the host (the letterbox's margins).
    QPoint margine() const { return m_margine; }
    QSize naturale() const { return m_naturale; }
    // A control's rectangle at the natural size, in its parent's natural coordinates.
    QRect naturale(const QWidget *controllo) const;
    // Places a control at a rectangle (or a top left corner) of the natural size.
    void posa(QWidget *controllo, const QRect &naturale);
    void posa(QWidget *controllo, const QPoint &naturale);
    // A natural rectangle shown at the current factor, in its parent's coordinates.
    QRect inScala(const QRect &naturale, const QWidget *genitore) const;

    // The factor of the layout in `finestra`'s window: 1 where nothing grows. A message box
    // shown over that window grows by it.
    static qreal fattoreFinestra(const QWidget *finestra);
    // The helper that scales the layout `controllo` stands on, or nullptr.
    static Scala *di(const QWidget *controllo);

    // Runs the work a resize brings (pictures read again, which may fail) through
    // eseguiProtetto, which shows a failure and ends the program: no exception crosses Qt's
    // event dispatch. Every window calls it on its Scala.
    void proteggi(Contesto &contesto) { m_contesto = &contesto; }

    // Full screen on, or back to the state before it.
    static void alternaSchermoIntero(QWidget *finestra);

signals:
    // Every control is in place at `fattore` and every picture box decoded again.
    void scalata(qreal fattore);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    struct Voce
    {
        QPointer<QWidget> controllo;
        QRect rettangolo;   // natural
        QRect applicato;    // as last shown
        bool conFont = false;
        QFont font;         // natural
        QFont fontApplicato;
        int linea = -1;     // natural line width of a frame, -1 for no frame
        int lineaMedia = 0;
    };

    void aggiorna();
    void registra(QWidget *controllo);
    void applica(Voce &voce);
    void ricaricaImmagini();

    QWidget *m_ospite;
    Contesto *m_contesto = nullptr;
    QSize m_naturale;
    qreal m_fattore = 1;
    QPoint m_margine;
    bool m_attiva = false;     // scaled at least once: the controls are remembered
    bool m_applicando = false;
    QList<Voce> m_voci; // in the order of the host's tree: parents first
    QHash<const QWidget *, int> m_indice;
};

} // namespace cartavia
