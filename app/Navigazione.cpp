#include "app/Navigazione.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

#include <algorithm>

namespace cartavia {

void congeda(QWidget *finestra)
{
    finestra->hide();
    finestra->deleteLater();
}

void posizionaFinestra(QWidget *finestra, const QWidget *precedente)
{
    // The size it will be shown at: a window nobody has sized yet takes its size hint on
    // show(), and until then has Qt's default size.
    if (!finestra->testAttribute(Qt::WA_Resized))
        finestra->adjustSize();
    else if (finestra->layout())
        finestra->layout()->activate();
    QScreen *schermo = nullptr;
    QPoint centro;
    QMargins cornice;
    if (precedente && precedente->isVisible()) {
        const QRect esterno = precedente->frameGeometry();
        const QRect interno = precedente->geometry();
        cornice = QMargins(interno.left() - esterno.left(), interno.top() - esterno.top(),
                           esterno.right() - interno.right(), esterno.bottom() - interno.bottom());
        centro = esterno.center();
        schermo = QGuiApplication::screenAt(centro);
        if (!schermo)
            schermo = precedente->screen();
    }
    if (!schermo) {
        schermo = QGuiApplication::primaryScreen();
        if (!schermo)
            return;
        centro = schermo->availableGeometry().center();
    }
    const QRect area = schermo->availableGeometry();
    QRect esterno(QPoint(), finestra->size().grownBy(cornice));
    esterno.moveCenter(centro);
    esterno.moveLeft(std::max(area.left(), std::min(esterno.left(), area.right() + 1 - esterno.width())));
    esterno.moveTop(std::max(area.top(), std::min(esterno.top(), area.bottom() + 1 - esterno.height())));
    finestra->move(esterno.topLeft()); // before it is shown: the frame's top left corner
}

} // namespace cartavia
