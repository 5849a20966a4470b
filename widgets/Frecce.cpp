#include "widgets/Frecce.h"

#include <QWidget>

#include <cstdlib>
#include <limits>

namespace cartavia {

QWidget *vicinoVerso(const QWidget *da, const QList<QWidget *> &candidati, int tasto)
{
    const bool orizzontale = tasto == Qt::Key_Left || tasto == Qt::Key_Right;
    const int verso = tasto == Qt::Key_Left || tasto == Qt::Key_Up ? -1 : 1;
    const QRect origine(da->mapTo(da->window(), QPoint()), da->size());
    QWidget *migliore = nullptr;
    long long minimo = std::numeric_limits<long long>::max();
    for (QWidget *c : candidati) {
        if (c == da || !c->isEnabled() || c->isHidden())
            continue;
        const QRect r(c->mapTo(c->window(), QPoint()), c->size());
        const QPoint d = r.center() - origine.center();
        const int avanti = verso * (orizzontale ? d.x() : d.y());
        const int diLato = std::abs(orizzontale ? d.y() : d.x());
        if (avanti <= 0)
            continue;
        const bool allineato = orizzontale
            ? r.top() <= origine.bottom() && origine.top() <= r.bottom()
            : r.left() <= origine.right() && origine.left() <= r.right();
        const long long punti = (allineato ? 0LL : 1LL << 32) + avanti + 2LL * diLato;
        if (punti < minimo) {
            minimo = punti;
            migliore = c;
        }
    }
    return migliore;
}

} // namespace cartavia
