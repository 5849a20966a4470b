#include "widgets/Frecce.h"

#include <QWidget>

#include <algorithm>
#include <limits>
#include <utility>

namespace cartavia {

QWidget *vicinoVerso(const QWidget *da, const QList<QWidget *> &candidati, int tasto)
{
    const bool orizzontale = tasto == Qt::Key_Left || tasto == Qt::Key_Right;
    const int verso = tasto == Qt::Key_Left || tasto == Qt::Key_Up ? -1 : 1;
    const QRect origine(da->mapTo(da->window(), QPoint()), da->size());
    QWidget *migliore = nullptr;
    long long minimo = std::numeric_limits<long long>::max();
    // The gap between two spans, 0 where they overlap.
    const auto scarto = [](int a0, int a1, int b0, int b1) { return std::max({0, b0 - a1, a0 - b1}); };
    for (QWidget *c : candidati) {
        if (c == da || !c->isEnabled() || c->isHidden())
            continue;
        const QRect r(c->mapTo(c->window(), QPoint()), c->size());
        const QPoint d = r.center() - origine.center();
        if (verso * (orizzontale ? d.x() : d.y()) <= 0)
            continue;
        // How far ahead (edge to edge) and how far aside; level with `da` is 0 aside.
        const int avanti = orizzontale ? scarto(origine.left(), origine.right(), r.left(), r.right())
                                       : scarto(origine.top(), origine.bottom(), r.top(), r.bottom());
        const int diLato = orizzontale ? scarto(origine.top(), origine.bottom(), r.top(), r.bottom())
                                       : scarto(origine.left(), origine.right(), r.left(), r.right());
        const long long punti = (diLato == 0 ? 0LL : 1LL << 32) + avanti + 2LL * diLato;
        // Of two as near, the first in reading order, whatever order the buttons were made in.
        const QPoint altro = migliore ? migliore->mapTo(migliore->window(), QPoint()) : QPoint();
        const bool prima = migliore && punti == minimo
            && std::make_pair(r.top(), r.left()) < std::make_pair(altro.y(), altro.x());
        if (punti < minimo || prima) {
            minimo = punti;
            migliore = c;
        }
    }
    return migliore;
}

} // namespace cartavia
