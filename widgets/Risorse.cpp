#include "widgets/Risorse.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace cartavia {

QString percorsoIcona(const char *nome)
{
    return QStringLiteral(":/icone/") + QLatin1String(nome) + QStringLiteral(".svg");
}

QIcon icona(const char *nome)
{
    // QIcon hands an .svg file to the SVG icon engine, which renders it afresh at each size.
    return QIcon(percorsoIcona(nome));
}

QCursor cursoreTrascina(qreal rapportoPixel, qreal scala)
{
    if (rapportoPixel <= 0)
        rapportoPixel = 1;
    if (scala <= 0)
        scala = 1;
    // The SVG icon engine draws the arrow afresh at the screen's pixel ratio and size.
    const QSize dimensione = QSize(32, 32) * scala;
    QPixmap disegno = icona("puntatore").pixmap(dimensione, rapportoPixel);
    disegno.setDevicePixelRatio(rapportoPixel);
    return QCursor(disegno, qRound(PuntatoreX * scala), qRound(PuntatoreY * scala));
}

QCursor cursoreTrascina(qreal rapportoPixel)
{
    return cursoreTrascina(rapportoPixel, 1);
}

QCursor cursoreTrascinaInScala(qreal scala)
{
    const QScreen *schermo = QGuiApplication::primaryScreen();
    return cursoreTrascina(schermo ? schermo->devicePixelRatio() : 1.0, scala);
}

QCursor cursoreTrascina()
{
    return cursoreTrascinaInScala(1);
}

} // namespace cartavia
