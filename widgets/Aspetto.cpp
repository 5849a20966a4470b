#include "widgets/Aspetto.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace cartavia {

QFont carattere(const QString &famiglia, qreal punti, bool grassetto)
{
    static const bool sostituzioni = [] {
        const QStringList simili{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                 QStringLiteral("DejaVu Sans")};
        QFont::insertSubstitutions(QStringLiteral("Arial"), simili);
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   QStringList{QStringLiteral("Microsoft Sans Serif")} + simili);
        return true;
    }();
    Q_UNUSED(sostituzioni);

    QFont font(famiglia);
    font.setPointSizeF(punti);
    font.setBold(grassetto);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QColor coloreQt(ColoreVB colore, const QWidget *widget)
{
    if (colore & 0x80000000u) {
        const QPalette &p = widget->palette();
        switch (colore & 0xFF) {
        // The colour of an enabled widget, whatever state this one is in now.
        case 5: return p.color(QPalette::Active, QPalette::Base);
        case 8: return p.color(QPalette::Active, QPalette::Text);
        default: return p.color(QPalette::Active, QPalette::Window);
        }
    }
    return QColor(colore & 0xFF, (colore >> 8) & 0xFF, (colore >> 16) & 0xFF);
}

namespace {
void impostaRuolo(QWidget *widget, QPalette::ColorRole ruolo, ColoreVB colore)
{
    QPalette p = widget->palette();
    const QColor c = coloreQt(colore, widget);
    for (auto gruppo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(gruppo, ruolo, c);
    widget->setPalette(p);
}
}

void impostaSfondo(QWidget *widget, ColoreVB colore)
{
    widget->setAutoFillBackground(true);
    impostaRuolo(widget, widget->backgroundRole(), colore);
}

void impostaColoreTesto(QWidget *widget, ColoreVB colore)
{
    impostaRuolo(widget, widget->foregroundRole(), colore);
}

ColoreVB sfondo(const QWidget *widget)
{
    const QColor c = widget->palette().color(widget->backgroundRole());
    return ColoreVB(c.red()) | (ColoreVB(c.green()) << 8) | (ColoreVB(c.blue()) << 16);
}

namespace {
double luminanza(const QColor &c)
{
    auto lineare = [](double v) {
        v /= 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineare(c.red()) + 0.7152 * lineare(c.green()) + 0.0722 * lineare(c.blue());
}
}

double contrasto(const QColor &a, const QColor &b)
{
    const double la = luminanza(a), lb = luminanza(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor testoLeggibile(const QColor &testo, const QColor &sfondo)
{
    if (contrasto(testo, sfondo) >= ContrastoMinimo)
        return testo;
    const QColor nero(Qt::black), bianco(Qt::white);
    return contrasto(nero, sfondo) >= contrasto(bianco, sfondo) ? nero : bianco;
}

void impostaColori(QWidget *widget, ColoreVB sfondo, ColoreVB testo)
{
    widget->setAutoFillBackground(true);
    const QColor colSfondo = coloreQt(sfondo, widget);
    const QColor colTesto = testoLeggibile(coloreQt(testo, widget), colSfondo);
    QPalette p = widget->palette();
    for (auto gruppo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(gruppo, widget->backgroundRole(), colSfondo);
        p.setColor(gruppo, widget->foregroundRole(), colTesto);
        // A disabled label that wraps its words draws through a text document, which takes
        // the Text colour of the disabled group, not the label's own.
        p.setColor(gruppo, QPalette::Text, colTesto);
    }
    widget->setPalette(p);
}

void impostaSfondoLeggibile(QWidget *widget, ColoreVB sfondo)
{
    const QColor testo = widget->palette().color(QPalette::Active, widget->foregroundRole());
    impostaColori(widget, sfondo, ColoreVB(testo.red()) | (ColoreVB(testo.green()) << 8)
                                      | (ColoreVB(testo.blue()) << 16));
}

} // namespace cartavia
