#include "widgets/Aspetto.h"

#include <QWidget>

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
