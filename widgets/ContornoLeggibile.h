#pragma once

#include <QGraphicsEffect>

namespace cartavia {

// Keeps a control visible on whatever colour stands behind it: when the control's own colour
// (its background where it fills one, else its text) reads below `soglia` against its
// parent's background, what it paints is drawn with a black or white outline around it (the
// one that stands out more from both): a line around an opaque label, a halo around the
// letters of a transparent one. The colours are read at every paint, so a new background, or
// a label turned red, is judged at once; otherwise the control draws exactly as before.
class ContornoLeggibile : public QGraphicsEffect
{
    Q_OBJECT
public:
    // Installs itself on `controllo`, which owns it.
    ContornoLeggibile(QWidget *controllo, double soglia);

    // The outline the control needs now, or an invalid colour for none.
    QColor colore() const;
    // Width of the outline in pixels: 2 at the natural size, grown with the window.
    int spessore() const;

    QRectF boundingRectFor(const QRectF &rettangolo) const override;

protected:
    void draw(QPainter *painter) override;

private:
    QWidget *m_controllo;
    double m_soglia;
};

} // namespace cartavia
