#include "Colori.h"

#include <QHash>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace cartavia {

namespace {
double luminanzaRelativa(const QColor &c)
{
    auto canale = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * canale(c.red()) + 0.7152 * canale(c.green()) + 0.0722 * canale(c.blue());
}
}

double rapportoContrasto(const QColor &a, const QColor &b)
{
    const double la = luminanzaRelativa(a), lb = luminanzaRelativa(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ColoriMostrati coloriMostrati(QWidget *controllo)
{
    QWidget *finestra = controllo->window();
    const QRect zona(controllo->mapTo(finestra, QPoint(0, 0)), controllo->size());
    const QImage immagine = finestra->grab(zona.adjusted(2, 2, -2, -2)).toImage()
                                .convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> quanti;
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x)
            ++quanti[immagine.pixel(x, y)];
    ColoriMostrati c;
    int massimo = 0;
    for (auto it = quanti.cbegin(); it != quanti.cend(); ++it)
        if (it.value() > massimo) {
            massimo = it.value();
            c.sfondo = QColor(it.key());
        }
    c.testo = c.sfondo;
    for (auto it = quanti.cbegin(); it != quanti.cend(); ++it)
        if (rapportoContrasto(QColor(it.key()), c.sfondo) > c.contrasto())
            c.testo = QColor(it.key());
    return c;
}

QPalette tavolozzaScura()
{
    const QColor grigio(53, 53, 53), scuro(42, 42, 42), chiaro(255, 255, 255);
    QPalette p(grigio);
    for (auto gruppo : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(gruppo, QPalette::Window, grigio);
        p.setColor(gruppo, QPalette::WindowText, chiaro);
        p.setColor(gruppo, QPalette::Base, scuro);
        p.setColor(gruppo, QPalette::AlternateBase, grigio);
        p.setColor(gruppo, QPalette::Text, chiaro);
        p.setColor(gruppo, QPalette::Button, grigio);
        p.setColor(gruppo, QPalette::ButtonText, chiaro);
        p.setColor(gruppo, QPalette::Highlight, QColor(42, 130, 218));
        p.setColor(gruppo, QPalette::HighlightedText, Qt::black);
    }
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(127, 127, 127));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(127, 127, 127));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(127, 127, 127));
    return p;
}

} // namespace cartavia
