#include "Disegno.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QtMath>
#include <functional>
#include <memory>
#include <stdexcept>

namespace segnali {
namespace {

// ---------------------------------------------------------------- helpers

QPolygonF triangolo(QPointF centro, double inraggio, bool suPunta)
{
    QPolygonF t;
    const double r = 2 * inraggio;
    for (double a : {-90.0, 30.0, 150.0}) {
        const double rad = qDegreesToRadians(suPunta ? a : -a);
        t << QPointF(centro.x() + r * std::cos(rad), centro.y() + r * std::sin(rad));
    }
    return t;
}

// A polygon with round corners of radius r: drawn as the polygon shrunk by r, stroked 2r wide.
void poligonoArrotondato(QPainter &p, const QPolygonF &pol, QPointF centro, double inraggio, double r,
                         const QColor &c)
{
    const double k = (inraggio - r) / inraggio;
    QPolygonF interno;
    for (const QPointF &v : pol)
        interno << centro + (v - centro) * k;
    p.setPen(QPen(c, 2 * r, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c);
    p.drawPolygon(interno);
}

QPolygonF ottagono(QPointF centro, double apotema)
{
    QPolygonF o;
    const double r = apotema / std::cos(qDegreesToRadians(22.5));
    for (int i = 0; i < 8; ++i) {
        const double a = qDegreesToRadians(22.5 + 45.0 * i);
        o << QPointF(centro.x() + r * std::cos(a), centro.y() + r * std::sin(a));
    }
    return o;
}

QPolygonF rombo(QPointF centro, double semidiagonale)
{
    return QPolygonF({centro + QPointF(0, -semidiagonale), centro + QPointF(semidiagonale, 0),
                      centro + QPointF(0, semidiagonale), centro + QPointF(-semidiagonale, 0)});
}

// Text as a path, scaled to fit the box (keeping its proportions) and centred in it.
// stretto: the narrow cut, for place names that must stay tall on a small panel.
void testo(QPainter &p, const QString &t, const QRectF &box, const QColor &c, bool stretto = false)
{
    QFont f(stretto ? QStringLiteral("Liberation Sans Narrow") : QStringLiteral("Liberation Sans"));
    f.setBold(true);
    f.setPixelSize(200);
    QPainterPath path;
    path.addText(0, 0, f, t);
    const QRectF br = path.boundingRect();
    const double k = std::min(box.width() / br.width(), box.height() / br.height());
    QTransform tr;
    tr.translate(box.center().x(), box.center().y());
    tr.scale(k, k);
    tr.translate(-br.center().x(), -br.center().y());
    p.fillPath(tr.map(path), c);
}

// An arrow: the body is stroked w wide and ends where the head starts; the head's tip is
// at `punta`, pointing along `angolo` (degrees, 0 = right, 90 = down).
void freccia(QPainter &p, const QPainterPath &corpo, QPointF punta, double angolo, double w,
             const QColor &c, double larghezzaTesta = 2.6, double lunghezzaTesta = 1.9)
{
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(corpo);
    const double a = qDegreesToRadians(angolo);
    const QPointF dir(std::cos(a), std::sin(a));
    const QPointF nor(-dir.y(), dir.x());
    const QPointF base = punta - dir * (lunghezzaTesta * w);
    QPolygonF testa({punta, base + nor * (larghezzaTesta * w / 2), base - nor * (larghezzaTesta * w / 2)});
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(testa);
}

// Straight arrow from `da` to the tip `a`.
void frecciaDritta(QPainter &p, QPointF da, QPointF a, double w, const QColor &c,
                   double larghezzaTesta = 2.6, double lunghezzaTesta = 1.9)
{
    const QPointF d = a - da;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    QPainterPath corpo(da);
    corpo.lineTo(a - u * (lunghezzaTesta * w * 0.95));
    freccia(p, corpo, a, qRadiansToDegrees(std::atan2(d.y(), d.x())), w, c, larghezzaTesta, lunghezzaTesta);
}

// Three arrows chasing each other anticlockwise round a circle.
void tondoFrecce(QPainter &p, QPointF centro, double r, double w, const QColor &c)
{
    const double testa = 1.9 * w;
    const double passoTesta = qRadiansToDegrees(testa / r);
    for (int i = 0; i < 3; ++i) {
        // Qt's arcs: angles anticlockwise from 3 o'clock, y up.
        const double inizio = 90.0 + 120.0 * i + 14;
        const double lunghezza = 120.0 - 14 - 16 - passoTesta;
        QPainterPath arco;
        const QRectF rr(centro.x() - r, centro.y() - r, 2 * r, 2 * r);
        arco.arcMoveTo(rr, inizio);
        arco.arcTo(rr, inizio, lunghezza);
        const double fine = qDegreesToRadians(inizio + lunghezza + passoTesta);
        const QPointF punta(centro.x() + r * std::cos(fine), centro.y() - r * std::sin(fine));
        // tangent direction anticlockwise on screen (y down): angle of radius minus 90
        const double angoloRaggio = -qRadiansToDegrees(fine);
        freccia(p, arco, punta, angoloRaggio - 90.0 + passoTesta / 2, w, c, 2.4, 1.9);
    }
}

// ------------------------------------------------------- our own pictograms
// Each draws in a 0..100 square (the element's box), in the element's colour.

using Pittogramma = std::function<void(QPainter &, const QColor &)>;

void riempi(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
}

void tratto(QPainter &p, const QColor &c, double w, Qt::PenCapStyle cap = Qt::RoundCap)
{
    p.setPen(QPen(c, w, Qt::SolidLine, cap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

QHash<QString, Pittogramma> creaPittogrammi()
{
    QHash<QString, Pittogramma> m;

    m["strada_deformata"] = [](QPainter &p, const QColor &c) {
        QPainterPath s(QPointF(0, 66));
        s.cubicTo(8, 66, 12, 40, 25, 40);
        s.cubicTo(38, 40, 40, 66, 50, 66);
        s.cubicTo(60, 66, 62, 40, 75, 40);
        s.cubicTo(88, 40, 92, 66, 100, 66);
        s.lineTo(100, 88);
        s.lineTo(0, 88);
        s.closeSubpath();
        riempi(p, c);
        p.drawPath(s);
    };
    m["dosso"] = [](QPainter &p, const QColor &c) {
        QPainterPath s(QPointF(0, 72));
        s.cubicTo(22, 72, 30, 36, 50, 36);
        s.cubicTo(70, 36, 78, 72, 100, 72);
        s.lineTo(100, 90);
        s.lineTo(0, 90);
        s.closeSubpath();
        riempi(p, c);
        p.drawPath(s);
    };
    m["cunetta"] = [](QPainter &p, const QColor &c) {
        QPainterPath s(QPointF(0, 48));
        s.cubicTo(22, 48, 30, 76, 50, 76);
        s.cubicTo(70, 76, 78, 48, 100, 48);
        s.lineTo(100, 92);
        s.lineTo(0, 92);
        s.closeSubpath();
        riempi(p, c);
        p.drawPath(s);
    };
    m["curva"] = [](QPainter &p, const QColor &c) {
        QPainterPath s(QPointF(40, 100));
        s.lineTo(40, 62);
        s.cubicTo(40, 34, 52, 20, 70, 8);
        tratto(p, c, 17, Qt::FlatCap);
        p.drawPath(s);
    };
    m["doppia_curva"] = [](QPainter &p, const QColor &c) {
        QPainterPath s(QPointF(38, 100));
        s.lineTo(38, 86);
        s.cubicTo(38, 70, 62, 66, 62, 48);
        s.cubicTo(62, 30, 42, 26, 42, 4);
        tratto(p, c, 15, Qt::FlatCap);
        p.drawPath(s);
    };
    m["barriera"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRect(QRectF(4, 38, 92, 9));
        p.drawRect(QRectF(4, 66, 92, 9));
        for (double x : {8.0, 27.0, 46.0, 65.0, 84.0}) {
            QPolygonF paletto({QPointF(x, 28), QPointF(x + 4, 20), QPointF(x + 8, 28), QPointF(x + 8, 92),
                               QPointF(x, 92)});
            p.drawPolygon(paletto);
        }
    };
    m["locomotiva"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        // smoke
        p.drawEllipse(QRectF(8, 2, 14, 10));
        p.drawEllipse(QRectF(20, 0, 12, 8));
        // chimney and dome
        p.drawPolygon(QPolygonF({QPointF(11, 18), QPointF(27, 18), QPointF(23, 26), QPointF(23, 42),
                                 QPointF(15, 42), QPointF(15, 26)}));
        p.drawRoundedRect(QRectF(36, 32, 11, 12), 4, 4);
        // boiler
        p.drawRoundedRect(QRectF(6, 40, 62, 26), 6, 6);
        // cab
        QPainterPath cab;
        cab.addRect(QRectF(64, 24, 30, 44));
        cab.addRect(QRectF(70, 30, 17, 14));
        cab.setFillRule(Qt::OddEvenFill);
        p.drawPath(cab);
        p.drawRect(QRectF(60, 19, 38, 6));
        // frame and cowcatcher
        p.drawRect(QRectF(4, 66, 94, 6));
        p.drawPolygon(QPolygonF({QPointF(0, 86), QPointF(8, 66), QPointF(12, 66), QPointF(12, 86)}));
        // wheels
        p.drawEllipse(QPointF(27, 82), 11, 11);
        p.drawEllipse(QPointF(52, 82), 11, 11);
        p.drawEllipse(QPointF(82, 84), 9, 9);
    };
    m["tram"] = [](QPainter &p, const QColor &c) {
        // a tram seen from the side, with its pantograph on the overhead wire
        tratto(p, c, 2.4, Qt::FlatCap);
        p.drawLine(QPointF(0, 3), QPointF(100, 3));
        tratto(p, c, 3.2);
        p.drawPolyline(QPolygonF({QPointF(40, 30), QPointF(52, 17), QPointF(44, 4), QPointF(60, 4)}));
        riempi(p, c);
        p.drawRect(QRectF(36, 28, 28, 5));
        QPainterPath cassa(QPointF(10, 36));
        cassa.lineTo(88, 36);
        cassa.quadTo(97, 36, 98, 48);
        cassa.lineTo(99, 78);
        cassa.lineTo(1, 78);
        cassa.lineTo(2, 48);
        cassa.quadTo(3, 36, 10, 36);
        cassa.closeSubpath();
        // windows and door
        for (int i = 0; i < 5; ++i)
            cassa.addRect(QRectF(8 + i * 16, 42, 12, 14));
        cassa.addRect(QRectF(88, 42, 7, 14));
        cassa.setFillRule(Qt::OddEvenFill);
        p.drawPath(cassa);
        // bogies
        for (double x : {14.0, 30.0, 70.0, 86.0})
            p.drawEllipse(QPointF(x, 84), 6.5, 6.5);
        p.drawRect(QRectF(10, 76, 24, 5));
        p.drawRect(QRectF(66, 76, 24, 5));
    };
    m["motocicletta"] = [](QPainter &p, const QColor &c) {
        // a motorcycle from the side, front to the right
        tratto(p, c, 7);
        p.drawEllipse(QPointF(20, 66), 15, 15);
        p.drawEllipse(QPointF(80, 66), 15, 15);
        riempi(p, c);
        p.drawEllipse(QPointF(20, 66), 4, 4);
        p.drawEllipse(QPointF(80, 66), 4, 4);
        // frame and engine
        p.drawPolygon(QPolygonF({QPointF(20, 66), QPointF(36, 46), QPointF(64, 46), QPointF(58, 70),
                                 QPointF(38, 72)}));
        // tank and seat
        QPainterPath serbatoio(QPointF(40, 46));
        serbatoio.cubicTo(42, 34, 62, 32, 68, 40);
        serbatoio.lineTo(66, 48);
        serbatoio.closeSubpath();
        p.drawPath(serbatoio);
        p.drawRoundedRect(QRectF(14, 38, 30, 8), 4, 4);
        // fork and handlebar
        tratto(p, c, 6);
        p.drawLine(QPointF(80, 66), QPointF(68, 30));
        p.drawLine(QPointF(62, 28), QPointF(74, 28));
        // exhaust
        tratto(p, c, 5);
        p.drawLine(QPointF(42, 70), QPointF(10, 54));
    };
    m["discesa"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawPolygon(QPolygonF({QPointF(0, 42), QPointF(100, 92), QPointF(0, 92)}));
    };
    m["strettoia"] = [](QPainter &p, const QColor &c) {
        tratto(p, c, 9, Qt::FlatCap);
        p.drawPolyline(QPolygonF({QPointF(24, 100), QPointF(24, 62), QPointF(38, 42), QPointF(38, 0)}));
        p.drawPolyline(QPolygonF({QPointF(76, 100), QPointF(76, 62), QPointF(62, 42), QPointF(62, 0)}));
    };
    m["strettoia_sinistra"] = [](QPainter &p, const QColor &c) {
        tratto(p, c, 9, Qt::FlatCap);
        p.drawPolyline(QPolygonF({QPointF(26, 100), QPointF(26, 62), QPointF(44, 42), QPointF(44, 0)}));
        p.drawPolyline(QPolygonF({QPointF(66, 100), QPointF(66, 0)}));
    };
    m["ponte_mobile"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRect(QRectF(0, 56, 18, 22));
        p.drawRect(QRectF(82, 56, 18, 22));
        p.drawPolygon(QPolygonF({QPointF(14, 56), QPointF(20, 62), QPointF(46, 22), QPointF(40, 17)}));
        p.drawPolygon(QPolygonF({QPointF(86, 56), QPointF(80, 62), QPointF(54, 22), QPointF(60, 17)}));
        tratto(p, c, 5);
        for (double y : {78.0, 90.0}) {
            QPainterPath onda(QPointF(4, y));
            for (int i = 0; i < 4; ++i)
                onda.cubicTo(4 + i * 23 + 6, y - 6, 4 + i * 23 + 17, y + 6, 4 + (i + 1) * 23, y);
            p.drawPath(onda);
        }
    };
    m["onde"] = [](QPainter &p, const QColor &c) {
        tratto(p, c, 7.5);
        for (double y : {30.0, 74.0}) {
            QPainterPath onda(QPointF(2, y));
            for (int i = 0; i < 4; ++i)
                onda.cubicTo(2 + i * 24 + 6, y - 14, 2 + i * 24 + 18, y + 14, 2 + (i + 1) * 24, y);
            p.drawPath(onda);
        }
    };
    m["molo"] = [](QPainter &p, const QColor &c) {
        // the quay: a solid block with a straight edge, and its kerb
        riempi(p, c);
        p.drawRect(QRectF(-40, 64, 86, 38));
    };
    m["pietrisco"] = [](QPainter &p, const QColor &c) {
        // stones thrown up and back from a wheel at the box's lower left
        riempi(p, c);
        auto sasso = [&](QPointF cc, double r, int seme) {
            QPolygonF m;
            for (int i = 0; i < 6; ++i) {
                const double a = qDegreesToRadians(i * 60.0 + seme * 17);
                const double rr = r * (((i + seme) % 3) ? 1.0 : 0.72);
                m << cc + QPointF(rr * std::cos(a), rr * std::sin(a));
            }
            p.drawPolygon(m);
        };
        const QPointF sassi[] = {{16, 66}, {36, 44}, {40, 80}, {58, 22}, {64, 58}, {86, 40}, {84, 80}};
        const double r[] = {10, 11, 10, 12, 12, 12, 11};
        for (int i = 0; i < 7; ++i)
            sasso(sassi[i], r[i], i);
    };
    m["caduta_massi"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawPolygon(QPolygonF({QPointF(0, 100), QPointF(0, 2), QPointF(16, 0), QPointF(24, 22),
                                 QPointF(20, 38), QPointF(32, 56), QPointF(28, 76), QPointF(40, 100)}));
        auto masso = [&](QPointF cc, double r) {
            QPolygonF m;
            for (int i = 0; i < 7; ++i) {
                const double a = qDegreesToRadians(i * 360.0 / 7 + 10);
                const double rr = r * (i % 2 ? 0.85 : 1.05);
                m << cc + QPointF(rr * std::cos(a), rr * std::sin(a));
            }
            p.drawPolygon(m);
        };
        masso({48, 24}, 7);
        masso({58, 46}, 9);
        masso({46, 62}, 6);
        masso({70, 72}, 11);
        masso({54, 88}, 7);
    };
    m["semaforo"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRoundedRect(QRectF(31, 0, 38, 100), 8, 8);
        const QColor luci[] = {ROSSO, GIALLO, QColor(0x00, 0x9A, 0x44)};
        for (int i = 0; i < 3; ++i) {
            riempi(p, luci[i]);
            p.drawEllipse(QPointF(50, 17 + 33 * i), 13, 13);
        }
    };
    m["semaforo_orizzontale"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRoundedRect(QRectF(2, 50, 96, 36), 8, 8);
        const QColor luci[] = {ROSSO, GIALLO, QColor(0x00, 0x9A, 0x44)};
        for (int i = 0; i < 3; ++i) {
            riempi(p, luci[i]);
            p.drawEllipse(QPointF(18 + 32 * i, 68), 12.5, 12.5);
        }
    };
    m["esclamativo"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawPolygon(QPolygonF({QPointF(40, 0), QPointF(60, 0), QPointF(56, 68), QPointF(44, 68)}));
        p.drawEllipse(QPointF(50, 86), 10, 10);
    };
    m["fiamme"] = [](QPainter &p, const QColor &c) {
        // A fire of five tongues on one bed, with a white tongue inside.
        QPainterPath f(QPointF(12, 100));
        f.cubicTo(2, 86, 0, 60, 6, 42);      // up to the first tip
        f.cubicTo(10, 50, 14, 56, 19, 58);
        f.cubicTo(16, 40, 18, 26, 27, 12);   // second
        f.cubicTo(30, 24, 34, 34, 38, 40);
        f.cubicTo(36, 24, 42, 10, 53, 0);    // third, the tallest
        f.cubicTo(56, 14, 62, 28, 64, 38);
        f.cubicTo(68, 30, 72, 24, 77, 16);   // fourth
        f.cubicTo(80, 32, 82, 48, 83, 58);
        f.cubicTo(88, 54, 92, 50, 97, 44);   // fifth
        f.cubicTo(102, 62, 100, 88, 88, 100);
        f.closeSubpath();
        riempi(p, c);
        p.drawPath(f);
        QPainterPath g(QPointF(38, 92));
        g.cubicTo(30, 80, 40, 66, 50, 50);
        g.cubicTo(52, 64, 68, 74, 63, 92);
        g.cubicTo(56, 97, 44, 97, 38, 92);
        riempi(p, Qt::white);
        p.drawPath(g);
    };
    m["pedone"] = [](QPainter &p, const QColor &c) {
        // A man striding to the right, with a white rim so that his feet stand out on the stripes.
        auto figura = [&](const QColor &col, double extra) {
            p.setPen(QPen(col, 2 * extra, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(col);
            p.drawEllipse(QPointF(56, 10), 10, 10);
            auto arto = [&](std::initializer_list<QPointF> punti, double w) {
                p.setPen(QPen(col, w + 2 * extra, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.setBrush(Qt::NoBrush);
                p.drawPolyline(QPolygonF(QVector<QPointF>(punti)));
            };
            arto({{51, 28}, {38, 38}, {28, 50}}, 7.5);        // back arm
            arto({{53, 27}, {48, 52}}, 15);                   // trunk
            arto({{47, 52}, {36, 70}, {26, 88}, {18, 88}}, 10); // back leg
            arto({{48, 52}, {60, 70}, {64, 92}, {74, 92}}, 10); // front leg
            arto({{55, 28}, {68, 38}, {80, 44}}, 7.5);        // front arm
        };
        figura(Qt::white, 4);
        figura(c, 0);
    };
    m["zebra"] = [](QPainter &p, const QColor &c) {
        // Zebra stripes seen in perspective: five bars narrowing towards the far kerb.
        riempi(p, c);
        for (int i = 0; i < 5; ++i) {
            const double a = i * 2 / 9.0, b = (i * 2 + 1) / 9.0;
            p.drawPolygon(QPolygonF({QPointF(18 + 64 * a, 0), QPointF(18 + 64 * b, 0), QPointF(100 * b, 100),
                                     QPointF(100 * a, 100)}));
        }
    };
    m["banchina_morbida"] = [](QPainter &p, const QColor &c) {
        // The carriageway ends on the right in a soft shoulder that slopes away, drawn as loose earth.
        riempi(p, c);
        p.drawPolygon(QPolygonF({QPointF(0, 68), QPointF(54, 68), QPointF(60, 78), QPointF(0, 78)}));
        tratto(p, c, 4);
        p.drawLine(QPointF(54, 68), QPointF(100, 92));
        riempi(p, c);
        for (int riga = 0; riga < 3; ++riga)
            for (int i = 0; i < 6; ++i) {
                const double x = 62 + riga * 4 + i * 7.5;
                const double y = 68 + (x - 54) * 24 / 46 + 6 + riga * 6.5;
                if (y < 98 && x < 100)
                    p.drawEllipse(QPointF(x, y), 2.6, 2.6);
            }
    };
    m["mucca"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        // body
        p.drawRoundedRect(QRectF(24, 30, 64, 34), 10, 10);
        // neck and head, looking left
        p.drawPolygon(QPolygonF({QPointF(30, 32), QPointF(14, 30), QPointF(6, 44), QPointF(8, 52),
                                 QPointF(16, 54), QPointF(30, 52)}));
        p.drawRoundedRect(QRectF(2, 38, 14, 18), 6, 6);
        // horns and ear
        tratto(p, c, 3.2);
        p.drawLine(QPointF(15, 31), QPointF(12, 21));
        p.drawLine(QPointF(19, 31), QPointF(21, 21));
        riempi(p, c);
        p.drawEllipse(QRectF(18, 32, 10, 5));
        // legs
        for (double x : {27.0, 37.0, 72.0, 81.0})
            p.drawRect(QRectF(x, 60, 7, 30));
        // udder
        p.drawEllipse(QRectF(58, 58, 12, 12));
        // tail
        tratto(p, c, 2.6);
        p.drawLine(QPointF(87, 34), QPointF(94, 64));
        riempi(p, c);
        p.drawEllipse(QRectF(91, 62, 6, 9));
    };
    m["cervo"] = [](QPainter &p, const QColor &c) {
        // A stag leaping up to the left, seen from the side.
        riempi(p, c);
        auto ellisse = [&](QPointF centro, double rx, double ry, double angolo) {
            p.save();
            p.translate(centro);
            p.rotate(angolo);
            p.drawEllipse(QPointF(0, 0), rx, ry);
            p.restore();
        };
        // body, chest and haunch
        ellisse({55, 50}, 25, 11.5, -24);
        ellisse({36, 56}, 10, 10, 0);
        ellisse({73, 43}, 11, 10, -24);
        // neck, rising from the chest to the head
        p.drawPolygon(QPolygonF({QPointF(28, 58), QPointF(24, 30), QPointF(32, 24), QPointF(44, 48)}));
        // head, muzzle down to the left
        QPainterPath testa(QPointF(22, 24));
        testa.cubicTo(26, 18, 34, 20, 34, 26);
        testa.cubicTo(32, 31, 22, 34, 14, 37);
        testa.cubicTo(9, 38, 8, 33, 11, 31);
        testa.closeSubpath();
        p.drawPath(testa);
        // ears
        p.drawPolygon(QPolygonF({QPointF(29, 22), QPointF(39, 17), QPointF(33, 26)}));
        // antlers: two beams with tines
        tratto(p, c, 3.4);
        p.drawPolyline(QPolygonF({QPointF(25, 22), QPointF(27, 12), QPointF(34, 4), QPointF(42, 1)}));
        p.drawLine(QPointF(27.5, 12), QPointF(21, 6));
        p.drawLine(QPointF(31, 7.5), QPointF(29, 0));
        p.drawLine(QPointF(36.5, 3), QPointF(38, -4));
        p.drawPolyline(QPolygonF({QPointF(22, 22), QPointF(17, 14), QPointF(10, 10)}));
        p.drawLine(QPointF(17.5, 15), QPointF(14, 6));
        // front legs folded under the chest
        p.setPen(QPen(c, 6.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(36, 60), QPointF(24, 66)}));
        p.drawPolyline(QPolygonF({QPointF(40, 62), QPointF(32, 74)}));
        p.setPen(QPen(c, 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(24, 66), QPointF(16, 58), QPointF(12, 60)}));
        p.drawPolyline(QPolygonF({QPointF(32, 74), QPointF(20, 74), QPointF(17, 77)}));
        // hind legs stretched back
        p.setPen(QPen(c, 7.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(74, 46), QPointF(84, 60)}));
        p.drawPolyline(QPolygonF({QPointF(70, 50), QPointF(76, 66)}));
        p.setPen(QPen(c, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(84, 60), QPointF(94, 76), QPointF(100, 80)}));
        p.drawPolyline(QPolygonF({QPointF(76, 66), QPointF(82, 84), QPointF(87, 89)}));
        // tail
        riempi(p, c);
        ellisse({84, 33}, 5, 2.6, -50);
    };
    m["carretto"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRect(QRectF(0, 34, 62, 22));
        tratto(p, c, 5);
        p.drawLine(QPointF(60, 50), QPointF(100, 46));
        p.drawEllipse(QPointF(30, 68), 18, 18);
        tratto(p, c, 2.5);
        for (int i = 0; i < 4; ++i) {
            const double a = qDegreesToRadians(45.0 * i);
            p.drawLine(QPointF(30 - 18 * std::cos(a), 68 - 18 * std::sin(a)),
                       QPointF(30 + 18 * std::cos(a), 68 + 18 * std::sin(a)));
        }
    };
    m["rimorchio"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRoundedRect(QRectF(0, 24, 66, 44), 4, 4);
        p.drawEllipse(QPointF(33, 74), 13, 13);
        p.drawRect(QRectF(60, 58, 40, 6));
    };
    m["camion_retro"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRoundedRect(QRectF(6, 0, 88, 74), 4, 4);
        p.drawRect(QRectF(0, 76, 100, 8));
        p.drawRoundedRect(QRectF(8, 84, 22, 16), 3, 3);
        p.drawRoundedRect(QRectF(70, 84, 22, 16), 3, 3);
    };
    m["esplosione"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        QPolygonF s;
        for (int i = 0; i < 16; ++i) {
            const double a = qDegreesToRadians(i * 22.5);
            const double r = i % 2 ? 22 : 50;
            s << QPointF(50 + r * std::cos(a), 50 + r * std::sin(a));
        }
        p.drawPolygon(s);
    };
    m["pannello_arancio"] = [](QPainter &p, const QColor &) {
        p.setPen(QPen(NERO, 6));
        p.setBrush(ARANCIO);
        p.drawRect(QRectF(3, 3, 94, 94));
        p.setPen(QPen(NERO, 4));
        p.drawLine(QPointF(3, 50), QPointF(97, 50));
    };
    m["larghezza"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawPolygon(QPolygonF({QPointF(6, 10), QPointF(36, 27), QPointF(6, 44)}));
        p.drawPolygon(QPolygonF({QPointF(94, 10), QPointF(64, 27), QPointF(94, 44)}));
    };
    m["altezza"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawPolygon(QPolygonF({QPointF(32, 0), QPointF(68, 0), QPointF(50, 22)}));
        p.drawPolygon(QPolygonF({QPointF(32, 100), QPointF(68, 100), QPointF(50, 78)}));
    };
    m["quota_lunghezza"] = [](QPainter &p, const QColor &c) {
        tratto(p, c, 3, Qt::FlatCap);
        p.drawLine(QPointF(10, 50), QPointF(90, 50));
        riempi(p, c);
        p.drawPolygon(QPolygonF({QPointF(0, 50), QPointF(14, 38), QPointF(14, 62)}));
        p.drawPolygon(QPolygonF({QPointF(100, 50), QPointF(86, 38), QPointF(86, 62)}));
        p.drawRect(QRectF(0, 20, 3, 60));
        p.drawRect(QRectF(97, 20, 3, 60));
    };
    m["asse"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRoundedRect(QRectF(4, 0, 20, 100), 5, 5);
        p.drawRoundedRect(QRectF(76, 0, 20, 100), 5, 5);
        p.drawRect(QRectF(24, 40, 52, 20));
    };
    m["tromba"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        QPainterPath t(QPointF(4, 44));
        t.lineTo(40, 44);
        t.cubicTo(60, 44, 80, 30, 96, 14);
        t.lineTo(96, 86);
        t.cubicTo(80, 70, 60, 56, 40, 56);
        t.lineTo(4, 56);
        t.closeSubpath();
        p.drawPath(t);
        p.drawRoundedRect(QRectF(0, 38, 10, 24), 3, 3);
    };
    m["catene"] = [](QPainter &p, const QColor &c) {
        // A tyre seen three-quarters on: its face (an upright ellipse) on the left, the tread
        // running back to the right; the chain crosses the tread in a diamond pattern and runs
        // round the face's outer edge.
        const QPointF faccia(32, 50), retro(68, 50);
        const double rx = 24, ry = 47;
        QPainterPath gomma;
        gomma.setFillRule(Qt::WindingFill);
        gomma.addEllipse(faccia, rx, ry);
        gomma.addEllipse(retro, rx, ry);
        gomma.addRect(QRectF(faccia.x(), faccia.y() - ry, retro.x() - faccia.x(), 2 * ry));
        gomma = gomma.simplified();
        riempi(p, c);
        p.drawPath(gomma);
        QPainterPath davanti;
        davanti.addEllipse(faccia, rx, ry);
        // the chain on the tread: two families of slanted links, clipped to the tread
        p.save();
        p.setClipPath(gomma.subtracted(davanti));
        p.setPen(QPen(BLU, 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (int i = -1; i <= 6; ++i) {
            const double y = i * 17;
            p.drawLine(QPointF(40, y), QPointF(90, y + 22));
            p.drawLine(QPointF(40, y + 22), QPointF(90, y));
        }
        p.restore();
        // the face: sidewall edge, rim and hub
        p.setPen(QPen(BLU, 3.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(faccia, rx, ry);
        // the chain's side run, just inside the face's edge
        p.setPen(QPen(BLU, 3, Qt::DashLine, Qt::FlatCap));
        p.drawEllipse(faccia, rx - 5, ry - 7);
        riempi(p, BLU);
        p.drawEllipse(faccia, 10.5, 22);
        riempi(p, c);
        p.drawEllipse(faccia, 6.5, 14);
        riempi(p, BLU);
        p.drawEllipse(faccia, 2.5, 5);
    };
    m["orologio"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawEllipse(QPointF(50, 50), 48, 48);
        tratto(p, BLU, 7);
        p.drawLine(QPointF(50, 50), QPointF(50, 18));
        p.drawLine(QPointF(50, 50), QPointF(72, 62));
        riempi(p, BLU);
        for (int i = 0; i < 12; ++i) {
            const double a = qDegreesToRadians(i * 30.0);
            p.drawEllipse(QPointF(50 + 40 * std::cos(a), 50 + 40 * std::sin(a)), 3, 3);
        }
    };
    m["parchimetro"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRoundedRect(QRectF(22, 0, 56, 50), 10, 10);
        p.drawRect(QRectF(43, 48, 14, 46));
        p.drawRect(QRectF(30, 92, 40, 8));
        riempi(p, BLU);
        p.drawRoundedRect(QRectF(32, 10, 36, 16), 3, 3);
        p.drawRect(QRectF(46, 34, 8, 8));
    };
    m["strada_incrocio"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRect(QRectF(41, 0, 18, 100));
        p.drawRect(QRectF(12, 46, 76, 8));
    };
    m["strada_t_destra"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRect(QRectF(38, 0, 18, 100));
        p.drawRect(QRectF(50, 46, 38, 8));
    };
    m["confluenza_destra"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRect(QRectF(38, 0, 18, 100));
        p.drawPolygon(QPolygonF({QPointF(52, 40), QPointF(52, 52), QPointF(82, 100), QPointF(92, 94)}));
    };
    m["croce_x"] = [](QPainter &p, const QColor &c) {
        tratto(p, c, 13, Qt::FlatCap);
        p.drawLine(QPointF(27, 14), QPointF(75, 96));
        p.drawLine(QPointF(73, 14), QPointF(25, 96));
    };
    m["doppio_senso"] = [](QPainter &p, const QColor &c) {
        frecciaDritta(p, {32, 4}, {32, 100}, 10, c, 2.6, 1.8);
        frecciaDritta(p, {68, 100}, {68, 0}, 10, c, 2.6, 1.8);
    };
    m["rotatoria"] = [](QPainter &p, const QColor &c) { tondoFrecce(p, {50, 56}, 30, 10, c); };
    m["rotatoria_obbligo"] = [](QPainter &p, const QColor &c) { tondoFrecce(p, {50, 50}, 33, 13, c); };
    m["precedenza_alternato"] = [](QPainter &p, const QColor &c) {
        // c: the big arrow (down, left); the small one up, right, is red.
        frecciaDritta(p, {36, 0}, {36, 100}, 14, c, 2.5, 1.7);
        frecciaDritta(p, {68, 84}, {68, 16}, 9, ROSSO, 2.5, 1.8);
    };
    m["diritto_alternato"] = [](QPainter &p, const QColor &c) {
        frecciaDritta(p, {64, 100}, {64, 0}, 14, c, 2.5, 1.7);
        frecciaDritta(p, {32, 16}, {32, 84}, 9, ROSSO, 2.5, 1.8);
    };
    m["linee_diagonali"] = [](QPainter &p, const QColor &c) {
        tratto(p, c, 1.8, Qt::FlatCap);
        for (int i = -4; i <= 4; ++i) {
            const double d = i * 4.2;
            p.drawLine(QPointF(0 + d, 100 + d), QPointF(100 + d, 0 + d));
        }
    };
    // obligation arrows, white on blue, in a 0..100 box
    const double W = 16;
    m["freccia_su"] = [W](QPainter &p, const QColor &c) { frecciaDritta(p, {50, 100}, {50, 0}, W, c); };
    m["freccia_destra"] = [W](QPainter &p, const QColor &c) { frecciaDritta(p, {0, 50}, {100, 50}, W, c); };
    m["freccia_su_destra"] = [W](QPainter &p, const QColor &c) {
        QPainterPath s(QPointF(36, 100));
        s.lineTo(36, 62);
        s.quadTo(36, 38, 60, 38);
        s.lineTo(70, 38);
        freccia(p, s, {100, 38}, 0, W, c);
    };
    m["freccia_diritto_destra"] = [W](QPainter &p, const QColor &c) {
        frecciaDritta(p, {36, 100}, {36, 0}, W, c);
        QPainterPath s(QPointF(36, 84));
        s.quadTo(36, 56, 62, 56);
        s.lineTo(70, 56);
        freccia(p, s, {100, 56}, 0, W, c);
    };
    m["freccia_destra_sinistra"] = [W](QPainter &p, const QColor &c) {
        QPainterPath s(QPointF(50, 100));
        s.lineTo(50, 62);
        s.quadTo(50, 44, 32, 44);
        s.lineTo(30, 44);
        freccia(p, s, {0, 44}, 180, W, c);
        QPainterPath d(QPointF(50, 62));
        d.quadTo(50, 44, 68, 44);
        d.lineTo(70, 44);
        freccia(p, d, {100, 44}, 0, W, c);
    };
    m["freccia_giu_sinistra"] = [W](QPainter &p, const QColor &c) { frecciaDritta(p, {86, 14}, {12, 88}, W, c); };
    m["frecce_giu"] = [](QPainter &p, const QColor &c) {
        frecciaDritta(p, {50, 8}, {8, 90}, 13, c);
        frecciaDritta(p, {50, 8}, {92, 90}, 13, c);
        riempi(p, c);
        p.drawEllipse(QPointF(50, 10), 8, 8);
    };
    m["freccia_lunga"] = [](QPainter &p, const QColor &c) {
        frecciaDritta(p, {0, 50}, {100, 50}, 18, c, 2.8, 1.6);
    };
    m["freccia_sottile"] = [](QPainter &p, const QColor &c) {
        frecciaDritta(p, {0, 50}, {100, 50}, 12, c, 3, 2.2);
    };
    m["divisore"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRect(QRectF(48, 0, 4, 100));
    };
    m["senza_uscita"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRect(QRectF(38, 22, 24, 78));
        riempi(p, ROSSO);
        p.drawRect(QRectF(14, 6, 72, 18));
    };
    m["senza_uscita_preavviso"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRect(QRectF(30, 0, 20, 100));
        p.drawRect(QRectF(50, 36, 32, 18));
        riempi(p, ROSSO);
        p.drawRect(QRectF(82, 26, 14, 38));
        // the through road carries an arrow head at its top
        riempi(p, c);
        p.drawPolygon(QPolygonF({QPointF(18, 12), QPointF(40, -8), QPointF(62, 12)}));
    };
    m["incrocio_preavviso"] = [](QPainter &p, const QColor &c) {
        // drawn on the whole panel: straight on up to the top name, left and right above the others
        riempi(p, c);
        p.drawRect(QRectF(46, 60, 8, 30));
        frecciaDritta(p, {50, 64}, {50, 27}, 8, c, 2.6, 1.6);
        frecciaDritta(p, {50, 64}, {7, 64}, 8, c, 2.6, 1.6);
        frecciaDritta(p, {50, 64}, {93, 64}, 8, c, 2.6, 1.6);
    };
    m["piazzola"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRect(QRectF(8, 0, 36, 100));
        p.drawPolygon(QPolygonF({QPointF(44, 22), QPointF(62, 34), QPointF(62, 66), QPointF(44, 78)}));
        riempi(p, BLU);
        for (int i = 0; i < 5; ++i)
            p.drawRect(QRectF(24, 4 + i * 20, 4, 11));
    };
    m["autostrada"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        // the overpass
        p.drawRect(QRectF(0, 18, 100, 14));
        p.drawRect(QRectF(0, 34, 100, 4));
        // two carriageways in perspective
        p.drawPolygon(QPolygonF({QPointF(38, 40), QPointF(47, 40), QPointF(44, 100), QPointF(6, 100)}));
        p.drawPolygon(QPolygonF({QPointF(53, 40), QPointF(62, 40), QPointF(94, 100), QPointF(56, 100)}));
    };
    m["galleria"] = [](QPainter &p, const QColor &c) {
        QPainterPath portale;
        portale.moveTo(0, 100);
        portale.lineTo(0, 46);
        portale.arcTo(QRectF(0, 0, 100, 92), 180, -180);
        portale.lineTo(100, 100);
        portale.closeSubpath();
        QPainterPath bocca;
        bocca.moveTo(18, 100);
        bocca.lineTo(18, 50);
        bocca.arcTo(QRectF(18, 18, 64, 64), 180, -180);
        bocca.lineTo(82, 100);
        bocca.closeSubpath();
        riempi(p, c);
        p.drawPath(portale.subtracted(bocca));
        // road edges inside the tunnel
        p.drawPolygon(QPolygonF({QPointF(30, 100), QPointF(46, 60), QPointF(48, 60), QPointF(36, 100)}));
        p.drawPolygon(QPolygonF({QPointF(70, 100), QPointF(54, 60), QPointF(52, 60), QPointF(64, 100)}));
    };
    m["triangolo_bianco"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawPolygon(QPolygonF({QPointF(50, 0), QPointF(100, 88), QPointF(0, 88)}));
    };
    m["disco_divieto"] = [](QPainter &p, const QColor &) {
        riempi(p, ROSSO);
        p.drawEllipse(QPointF(50, 50), 50, 50);
        riempi(p, BIANCO);
        p.drawEllipse(QPointF(50, 50), 40, 40);
    };
    m["disco_grigio"] = [](QPainter &p, const QColor &) {
        riempi(p, GRIGIO);
        p.drawEllipse(QPointF(50, 50), 50, 50);
        riempi(p, BIANCO);
        p.drawEllipse(QPointF(50, 50), 40, 40);
    };
    m["disco_sosta"] = [](QPainter &p, const QColor &) {
        riempi(p, ROSSO);
        p.drawEllipse(QPointF(50, 50), 50, 50);
        riempi(p, BLU);
        p.drawEllipse(QPointF(50, 50), 40, 40);
        p.save();
        p.setClipRegion(QRegion(QRect(0, 0, 100, 100), QRegion::Ellipse));
        p.setPen(QPen(ROSSO, 10, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(18, 18), QPointF(82, 82));
        p.restore();
    };
    m["rettangolo"] = [](QPainter &p, const QColor &c) {
        riempi(p, c);
        p.drawRect(QRectF(0, 0, 100, 100));
    };
    m["disco_blu"] = [](QPainter &p, const QColor &) {
        riempi(p, BLU);
        p.drawEllipse(QPointF(50, 50), 50, 50);
    };
    m["bordo_nero"] = [](QPainter &p, const QColor &c) {
        p.setPen(QPen(c, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(0.8, 0.8, 98.4, 98.4), 2.5, 2.5);
    };
    m["barra_rossa"] = [](QPainter &p, const QColor &c) {
        tratto(p, c, 9, Qt::FlatCap);
        p.drawLine(QPointF(4, 96), QPointF(96, 4));
    };
    m["barra_nera"] = [](QPainter &p, const QColor &c) {
        tratto(p, c, 2.2, Qt::FlatCap);
        for (int i = -2; i <= 2; ++i) {
            const double d = i * 3.2;
            p.drawLine(QPointF(4 + d, 96 + d), QPointF(96 + d, 4 + d));
        }
    };
    return m;
}

const QHash<QString, Pittogramma> &pittogrammi()
{
    static const QHash<QString, Pittogramma> m = creaPittogrammi();
    return m;
}

// Draws an icon of the icon set, recoloured, into the painter's current 0..100 box.
void icona(QPainter &p, const QString &file, const QColor &c)
{
    QSvgRenderer svg(file);
    if (!svg.isValid())
        throw std::runtime_error(("icon not found: " + file).toStdString());
    QImage strato(p.device()->width(), p.device()->height(), QImage::Format_ARGB32_Premultiplied);
    strato.fill(Qt::transparent);
    QPainter sp(&strato);
    sp.setRenderHint(QPainter::Antialiasing);
    sp.setTransform(p.transform());
    svg.render(&sp, QRectF(0, 0, 100, 100));
    sp.resetTransform();
    sp.setCompositionMode(QPainter::CompositionMode_SourceIn);
    sp.fillRect(strato.rect(), c);
    sp.end();
    p.save();
    p.resetTransform();
    p.drawImage(0, 0, strato);
    p.restore();
}

void disegnaElemento(QPainter &p, const Elemento &e, const QString &cartellaIcone)
{
    if (e.cosa == QLatin1String("testo") || e.cosa == QLatin1String("testo_stretto")) {
        testo(p, e.testo, e.riquadro, e.colore, e.cosa == QLatin1String("testo_stretto"));
        return;
    }
    p.save();
    const QPointF c = e.riquadro.center();
    p.translate(c);
    p.rotate(e.rotazione);
    if (e.specchio)
        p.scale(-1, 1);
    p.translate(-e.riquadro.width() / 2, -e.riquadro.height() / 2);
    p.scale(e.riquadro.width() / 100.0, e.riquadro.height() / 100.0);
    if (e.cosa.startsWith(QLatin1String("mdi:"))) {
        icona(p, cartellaIcone + '/' + e.cosa.mid(4) + ".svg", e.colore);
    } else {
        const auto it = pittogrammi().constFind(e.cosa);
        if (it == pittogrammi().constEnd())
            throw std::runtime_error(("unknown pictogram: " + e.cosa).toStdString());
        (*it)(p, e.colore);
    }
    p.restore();
}

// ------------------------------------------------------------------ shapes

const QColor BORDO_LASTRA{0x8A, 0x8A, 0x8A}; // the edge of a white plate against the white page

// Draws the sign's body and returns the area its pictograms stay inside.
QPainterPath disegnaForma(QPainter &p, const Segnale &s)
{
    QPainterPath interno;
    switch (s.forma) {
    case Forma::Triangolo:
    case Forma::TriangoloRovescio:
    case Forma::TriangoloConPannello: {
        const bool su = s.forma == Forma::Triangolo;
        double inraggio = 1000 / (2 * std::sqrt(3.0));
        QPointF centro(500, su ? 67 + 2 * 866.0 / 3 : 67 + 866.0 / 3);
        if (s.forma == Forma::TriangoloConPannello) {
            inraggio *= 0.76;
            centro = QPointF(500, 2 * inraggio);
        }
        const double bordo = 2 * inraggio * std::sqrt(3.0) / 12; // a twelfth of the side
        poligonoArrotondato(p, triangolo(centro, inraggio, su), centro, inraggio, 40 * inraggio / 288.7,
                            s.bordo);
        const QPolygonF dentro = triangolo(centro, inraggio - bordo, su);
        poligonoArrotondato(p, dentro, centro, inraggio - bordo, 14, s.fondo);
        interno.addPolygon(dentro);
        if (s.forma == Forma::TriangoloConPannello) {
            const QRectF lastra(170, 700, 660, 240);
            p.setPen(QPen(NERO, 16));
            p.setBrush(BIANCO);
            p.drawRoundedRect(lastra.adjusted(8, 8, -8, -8), 20, 20);
            interno = QPainterPath();
            interno.addRect(0, 0, 1000, 1000);
        }
        break;
    }
    case Forma::Ottagono: {
        const QPolygonF esterno = ottagono({500, 500}, 500);
        p.setPen(QPen(BORDO_LASTRA, 3));
        p.setBrush(BIANCO);
        p.drawPolygon(esterno);
        p.setPen(Qt::NoPen);
        p.setBrush(s.fondo);
        const QPolygonF dentro = ottagono({500, 500}, 470);
        p.drawPolygon(dentro);
        interno.addPolygon(dentro);
        break;
    }
    case Forma::Rombo: {
        p.setPen(QPen(BORDO_LASTRA, 3));
        p.setBrush(BIANCO);
        p.drawPolygon(rombo({500, 500}, 498));
        p.setPen(QPen(NERO, 8));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(rombo({500, 500}, 470));
        p.setBrush(s.fondo);
        p.drawPolygon(rombo({500, 500}, 300));
        interno.addPolygon(rombo({500, 500}, 498));
        break;
    }
    case Forma::Disco: {
        double r = 500;
        if (s.bordo.isValid()) {
            p.setPen(Qt::NoPen);
            p.setBrush(s.bordo);
            p.drawEllipse(QPointF(500, 500), r, r);
            r = 400;
        } else if (s.fondo == BIANCO) {
            p.setPen(QPen(BORDO_LASTRA, 4));
            p.setBrush(BIANCO);
            p.drawEllipse(QPointF(500, 500), 497, 497);
            r = 497;
        }
        p.setPen(Qt::NoPen);
        p.setBrush(s.fondo);
        p.drawEllipse(QPointF(500, 500), r, r);
        interno.addEllipse(QPointF(500, 500), r, r);
        break;
    }
    case Forma::Pannello: {
        const QRectF a = s.area;
        const double raggio = 0.05 * std::min(a.width(), a.height());
        if (s.fondo == BIANCO) {
            p.setPen(QPen(BORDO_LASTRA, 4));
            p.setBrush(BIANCO);
            p.drawRoundedRect(a.adjusted(2, 2, -2, -2), raggio, raggio);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(s.fondo);
            p.drawRoundedRect(a, raggio, raggio);
            if (s.bordo.isValid()) {
                p.setPen(QPen(s.bordo, 14));
                p.setBrush(Qt::NoBrush);
                p.drawRoundedRect(a.adjusted(24, 24, -24, -24), raggio * 0.6, raggio * 0.6);
            }
        }
        if (s.fondo == BIANCO && s.bordo.isValid()) {
            p.setPen(QPen(s.bordo, 20));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(a.adjusted(30, 30, -30, -30), raggio * 0.5, raggio * 0.5);
        }
        interno.addRoundedRect(a, raggio, raggio);
        break;
    }
    case Forma::FrecciaDirezione: {
        const QRectF a = s.area;
        const double punta = a.height() / 2;
        QPolygonF f({a.topLeft(), QPointF(a.right() - punta, a.top()), QPointF(a.right(), a.center().y()),
                     QPointF(a.right() - punta, a.bottom()), a.bottomLeft()});
        p.setPen(QPen(s.fondo, 30, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(s.fondo);
        p.drawPolygon(f);
        QPolygonF bordo({a.topLeft() + QPointF(10, 10), QPointF(a.right() - punta - 4, a.top() + 10),
                         QPointF(a.right() - 14, a.center().y()), QPointF(a.right() - punta - 4, a.bottom() - 10),
                         a.bottomLeft() + QPointF(10, -10)});
        p.setPen(QPen(s.bordo, 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(bordo);
        interno.addPolygon(f);
        break;
    }
    case Forma::CroceSantAndrea:
    case Forma::CroceDoppia: {
        const bool doppia = s.forma == Forma::CroceDoppia;
        const double lung = doppia ? 900 : 1000;
        const double spess = doppia ? 150 : 170;
        const QPointF centro(500, doppia ? 330 : 500);
        auto braccio = [&](double angolo, double inset, double lunghezza, QPointF da, bool intero) {
            p.save();
            p.translate(da);
            p.rotate(angolo);
            const double l = lunghezza - 2 * inset;
            const double sp = spess - 2 * inset;
            if (intero) {
                p.drawRect(QRectF(-l / 2, -sp / 2, l, sp));
            } else {
                const double da0 = -0.3 * spess + inset;
                p.drawRect(QRectF(da0, -sp / 2, lunghezza / 2 - inset - da0, sp));
            }
            p.restore();
        };
        for (int fase = 0; fase < 2; ++fase) {
            const double inset = fase == 0 ? 0 : 26;
            p.setPen(Qt::NoPen);
            p.setBrush(fase == 0 ? s.bordo : s.fondo);
            braccio(30, inset, lung, centro, true);
            braccio(-30, inset, lung, centro, true);
            if (doppia) {
                // the lower half of a second cross: an inverted V
                const QPointF v(500, 660);
                braccio(150, inset, lung, v, false);
                braccio(30, inset, lung, v, false);
            }
        }
        interno.addRect(0, 0, 1000, 1000);
        break;
    }
    case Forma::Distanziometrici: {
        for (int i = 0; i < 3; ++i) {
            const QRectF tavola(95 + i * 295, 30, 220, 940);
            p.setPen(QPen(BORDO_LASTRA, 4));
            p.setBrush(BIANCO);
            p.drawRect(tavola);
            const int barre = 3 - i;
            p.save();
            p.setClipRect(tavola);
            p.setPen(Qt::NoPen);
            p.setBrush(s.bordo);
            for (int b = 0; b < barre; ++b) {
                const double y = tavola.top() + tavola.height() * (b + 1) / (barre + 1);
                p.drawPolygon(QPolygonF({QPointF(tavola.left(), y + 80), QPointF(tavola.right(), y - 30),
                                         QPointF(tavola.right(), y - 120), QPointF(tavola.left(), y - 10)}));
            }
            p.restore();
        }
        interno.addRect(0, 0, 1000, 1000);
        break;
    }
    }
    return interno;
}

void disegnaBarra(QPainter &p, const Segnale &s, const QPainterPath &interno)
{
    if (s.barra == Barra::Nessuna)
        return;
    p.save();
    p.setClipPath(interno);
    const QRectF a = interno.boundingRect();
    switch (s.barra) {
    case Barra::Rossa: {
        p.setPen(QPen(ROSSO, 0.09 * std::min(a.width(), a.height()) + 20, Qt::SolidLine, Qt::FlatCap));
        const double m = 0.06 * std::min(a.width(), a.height());
        if (s.forma == Forma::Disco)
            p.drawLine(QPointF(a.right() - 120, a.top() + 120), QPointF(a.left() + 120, a.bottom() - 120));
        else
            p.drawLine(QPointF(a.right() - m, a.top() + m), QPointF(a.left() + m, a.bottom() - m));
        break;
    }
    case Barra::Nera: {
        p.setPen(QPen(NERO, 11, Qt::SolidLine, Qt::FlatCap));
        for (int i = -3; i <= 3; ++i) {
            const double d = i * 22;
            p.drawLine(QPointF(1000 + d, 0 + d), QPointF(0 + d, 1000 + d));
        }
        break;
    }
    case Barra::Divieto:
        p.setPen(QPen(ROSSO, 100, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(0, 0), QPointF(1000, 1000));
        break;
    case Barra::Croce:
        p.setPen(QPen(ROSSO, 100, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(0, 0), QPointF(1000, 1000));
        p.drawLine(QPointF(1000, 0), QPointF(0, 1000));
        break;
    case Barra::Nessuna:
        break;
    }
    p.restore();
}

} // namespace

QImage disegna(const Segnale &s, const QString &cartellaIcone)
{
    QImage img(TELA, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    const double margine = TELA.height() / 30.0;
    const double lato = TELA.height() - 2 * margine;
    p.translate((TELA.width() - lato) / 2, margine);
    p.scale(lato / 1000.0, lato / 1000.0);

    const QPainterPath interno = disegnaForma(p, s);
    p.save();
    if (s.forma != Forma::TriangoloConPannello)
        p.setClipPath(interno);
    for (const Elemento &e : s.elementi)
        disegnaElemento(p, e, cartellaIcone);
    p.restore();
    disegnaBarra(p, s, interno);
    p.end();
    return img;
}

} // namespace segnali
