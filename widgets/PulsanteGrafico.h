#pragma once

#include "widgets/Scalabile.h"

#include <QAbstractButton>
#include <QIcon>

namespace cartavia {

// Return and keypad Enter press the button, as Space does.
void premiConInvio(QAbstractButton *pulsante);

// A command button in picture style: an icon centred above its caption, the caption
// wrapped to the button's width. Without a caption the icon stands in the middle. The
// keyboard focus shows as a frame in the highlight colour, however the focus came (the
// platform style draws it only after a Tab). A screen reader reads the caption; a button
// without one needs a name from descriviPerLettore. In a window that grows, the icon, the
// margins and the focus frame grow with it.
class PulsanteGrafico : public QAbstractButton, public Scalabile
{
    Q_OBJECT
public:
    PulsanteGrafico(const QIcon &icona, const QString &testo, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    void impostaScala(qreal fattore) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal m_scala = 1;
    QSize m_iconaNaturale;
};

} // namespace cartavia
