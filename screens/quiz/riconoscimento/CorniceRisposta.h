#pragma once

#include "widgets/Scalabile.h"

#include <QWidget>

namespace cartavia {

// The frame that marks the right picture: a thick outline, see-through and deaf to the
// mouse, so the picture under it stays visible.
class CorniceRisposta : public QWidget, public Scalabile
{
    Q_OBJECT
public:
    static constexpr int Spessore = 9; // pixels, at the natural size
    explicit CorniceRisposta(QWidget *parent = nullptr);
    // Black: it stands out on every background colour of the quizzes, the pure blue
    // included, and on the light edges of the sign pictures.
    static QColor colore() { return Qt::black; }
    void impostaScala(qreal fattore) override;
    int spessore() const { return m_spessore; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_spessore = Spessore;
};

} // namespace cartavia
