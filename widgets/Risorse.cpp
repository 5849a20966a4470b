#include "widgets/Risorse.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

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
    // The SVG icon engine draws the arrow afresh at the screen's pixel ratio.
    QPixmap disegno = icona("puntatore").pixmap(QSize(32, 32), rapportoPixel);
    disegno.setDevicePixelRatio(rapportoPixel);
    return QCursor(disegno, PuntatoreX, PuntatoreY);
}

QCursor cursoreTrascina()
{
    const QScreen *schermo = QGuiApplication::primaryScreen();
    return cursoreTrascina(schermo ? schermo->devicePixelRatio() : 1.0);
}
