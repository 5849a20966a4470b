#pragma once

#include "widgets/Etichetta.h"
#include "widgets/Scalabile.h"

namespace cartavia {

// A drop box under a picture: takes only dragged definitions, and reports a click (clic(),
// where a definition picked up is placed). It takes the keyboard focus and shows it like an
// answer.
class CasellaRilascio : public Etichetta, public Scalabile
{
    Q_OBJECT
public:
    explicit CasellaRilascio(QWidget *parent = nullptr);
    void impostaScala(qreal fattore) override;

signals:
    void rilasciata(int slot);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

} // namespace cartavia
