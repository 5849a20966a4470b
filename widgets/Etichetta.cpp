#include "widgets/Etichetta.h"

#include "widgets/Controlli.h"
#include "widgets/SerieClic.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace cartavia {

Etichetta::Etichetta(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText); // a catalogue text shows as typed, never as markup
    SerieClic::contaUnClic(this);
}

void Etichetta::setRisposta(bool risposta)
{
    m_risposta = risposta;
    setFocusPolicy(risposta ? Qt::StrongFocus : Qt::NoFocus);
}

void Etichetta::keyPressEvent(QKeyEvent *event)
{
    if (m_risposta && tastoDiScelta(event)) {
        event->accept();
        emit clic();
        return;
    }
    QLabel::keyPressEvent(event);
}

void Etichetta::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (m_risposta && hasFocus()) {
        QPainter painter(this);
        disegnaCorniceFuoco(painter, rect());
    }
}

void Etichetta::mousePressEvent(QMouseEvent *event)
{
    m_clic.premuto(event);
    QLabel::mousePressEvent(event);
    event->accept(); // the release must come back here, not go to the window
}

void Etichetta::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clic = m_clic.rilasciato(event, rect());
    QLabel::mouseReleaseEvent(event);
    event->accept();
    if (clic)
        emit this->clic();
}

} // namespace cartavia
