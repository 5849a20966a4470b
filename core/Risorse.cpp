#include "core/Risorse.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSvgRenderer>
#include <QtMath>

QString percorsoIcona(const char *nome)
{
    return QStringLiteral(":/icone/") + QLatin1String(nome) + QStringLiteral(".svg");
}

QIcon icona(const char *nome)
{
    // QIcon hands an .svg file to the SVG icon engine, which renders it afresh at each size.
    return QIcon(percorsoIcona(nome));
}

QCursor cursoreTrascina(qreal rapportoPixel)
{
    if (rapportoPixel <= 0)
        rapportoPixel = 1;
    const int lato = qCeil(32 * rapportoPixel);
    QPixmap disegno(lato, lato);
    disegno.fill(Qt::transparent);
    {
        QPainter pittore(&disegno);
        QSvgRenderer(percorsoIcona("puntatore")).render(&pittore, QRectF(0, 0, lato, lato));
    }
    disegno.setDevicePixelRatio(rapportoPixel);
    return QCursor(disegno, PuntatoreX, PuntatoreY);
}

QCursor cursoreTrascina()
{
    const QScreen *schermo = QGuiApplication::primaryScreen();
    return cursoreTrascina(schermo ? schermo->devicePixelRatio() : 1.0);
}
