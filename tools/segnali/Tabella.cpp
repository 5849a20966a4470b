// The 144 signs, in catalogue order: picture n shows catalogue entry n.
// Sign units: the sign's square is 0..1000; pictogram boxes are given in them.

#include "Disegno.h"

namespace segnali {
namespace {

Elemento ic(const QString &nome, QRectF r, QColor c = NERO, bool specchio = false, double rot = 0)
{
    return {"mdi:" + nome, r, c, {}, specchio, rot};
}
Elemento pt(const QString &nome, QRectF r, QColor c = NERO, bool specchio = false, double rot = 0)
{
    return {nome, r, c, {}, specchio, rot};
}
Elemento tx(const QString &t, QRectF r, QColor c = NERO)
{
    return {QStringLiteral("testo"), r, c, t};
}
Elemento txStretto(const QString &t, QRectF r, QColor c = NERO)
{
    return {QStringLiteral("testo_stretto"), r, c, t};
}

// The usual places of a pictogram.
const QRectF TRI(262, 385, 476, 445);   // inside a danger triangle
const QRectF DIS(220, 220, 560, 560);   // inside a disc
const QRectF FRE(180, 180, 640, 640);   // obligation arrows
const QRectF QUA(150, 150, 700, 700);   // inside a square panel

Segnale pericolo(int n, std::vector<Elemento> e) { return {n, Forma::Triangolo, BIANCO, ROSSO, e}; }
Segnale precedenzaT(int n, std::vector<Elemento> e) { return pericolo(n, e); }
Segnale divieto(int n, std::vector<Elemento> e, Barra b = Barra::Nessuna)
{
    return {n, Forma::Disco, BIANCO, ROSSO, e, b};
}
Segnale fine(int n, std::vector<Elemento> e) { return {n, Forma::Disco, BIANCO, QColor(), e, Barra::Nera}; }
Segnale obbligo(int n, std::vector<Elemento> e, Barra b = Barra::Nessuna)
{
    return {n, Forma::Disco, BLU, QColor(), e, b};
}
Segnale pannello(int n, QColor fondo, QColor linea, QRectF area, std::vector<Elemento> e,
                 Barra b = Barra::Nessuna)
{
    return {n, Forma::Pannello, fondo, linea, e, b, area};
}
Segnale blu(int n, std::vector<Elemento> e, Barra b = Barra::Nessuna, QRectF area = {0, 0, 1000, 1000})
{
    return pannello(n, BLU, BIANCO, area, e, b);
}

// Pictograms placed in a danger triangle, from a 0..100 layout inside TRI.
QRectF t(double x, double y, double w, double h)
{
    return {TRI.x() + TRI.width() * x / 100, TRI.y() + TRI.height() * y / 100, TRI.width() * w / 100,
            TRI.height() * h / 100};
}

std::vector<Segnale> crea()
{
    const QRectF TUTTO(0, 0, 1000, 1000);
    std::vector<Segnale> v = {
        // ------------------------------------------------------------ danger
        pericolo(1, {pt("strada_deformata", t(0, 0, 100, 100))}),
        pericolo(2, {pt("dosso", t(0, 0, 100, 100))}),
        pericolo(3, {pt("cunetta", t(0, 0, 100, 100))}),
        pericolo(4, {pt("curva", TRI)}),
        pericolo(5, {pt("curva", TRI, NERO, true)}),
        pericolo(6, {pt("doppia_curva", TRI)}),
        pericolo(7, {pt("doppia_curva", TRI, NERO, true)}),
        pericolo(8, {pt("barriera", t(2, 10, 96, 85))}),
        pericolo(9, {pt("locomotiva", t(4, 8, 92, 88))}),
        {10, Forma::CroceSantAndrea, BIANCO, ROSSO, {}},
        {11, Forma::CroceDoppia, BIANCO, ROSSO, {}},
        {12, Forma::Distanziometrici, BIANCO, ROSSO, {}},
        pericolo(13, {pt("tram", t(3, 4, 94, 92))}),
        pericolo(14, {pt("zebra", t(0, 68, 100, 28)), pt("pedone", t(14, -8, 72, 84))}),
        pericolo(15, {ic("bicycle", t(-4, 2, 108, 108))}),
        pericolo(16, {pt("discesa", TRI), tx("10%", t(46, 40, 44, 20))}),
        pericolo(17, {pt("discesa", TRI, NERO, true), tx("10%", t(10, 40, 44, 20))}),
        pericolo(18, {pt("strettoia", TRI)}),
        pericolo(19, {pt("strettoia_sinistra", TRI)}),
        pericolo(20, {pt("strettoia_sinistra", TRI, NERO, true)}),
        pericolo(21, {pt("ponte_mobile", TRI)}),
        pericolo(22, {pt("banchina_morbida", TRI), ic("car-back", t(10, 8, 76, 76), NERO, false, 22)}),
        pericolo(23, {ic("car-traction-control", t(8, 0, 84, 100))}),
        pericolo(24, {ic("run", t(0, 0, 66, 100), NERO, true), ic("run", t(50, 30, 48, 70), NERO, true)}),
        pericolo(25, {pt("mucca", t(1, 4, 98, 90))}),
        pericolo(26, {pt("cervo", t(9, -4, 90, 94))}),
        pericolo(27, {pt("doppio_senso", TRI)}),
        pericolo(28, {pt("rotatoria", TRI)}),
        pericolo(29, {pt("molo", TRI), pt("onde", t(48, 66, 52, 30)),
                      ic("car-side", t(25, -6, 74, 74), NERO, false, 40)}),
        pericolo(30, {ic("car-side", t(-4, 24, 76, 76), NERO, true), pt("pietrisco", t(58, 34, 36, 50)),
                      pt("rettangolo", t(0, 82, 100, 4))}),
        pericolo(31, {pt("caduta_massi", TRI)}),
        pericolo(32, {pt("caduta_massi", TRI, NERO, true)}),
        pericolo(33, {pt("semaforo", TRI)}),
        pericolo(34, {pt("semaforo_orizzontale", TRI)}),
        pericolo(35, {ic("airplane", t(6, 0, 88, 100), NERO, false, 45)}),
        pericolo(36, {ic("windsock", t(0, 0, 100, 100))}),
        pericolo(37, {pt("fiamme", t(15, 6, 70, 92))}),
        pericolo(38, {pt("esclamativo", t(20, 0, 60, 100))}),

        // ------------------------------------------------------ right of way
        {39, Forma::TriangoloRovescio, BIANCO, ROSSO, {}},
        {40, Forma::Ottagono, ROSSO, BIANCO, {tx("STOP", QRectF(130, 370, 740, 260), BIANCO)}},
        {41, Forma::TriangoloConPannello, BIANCO, ROSSO, {tx("150 m", QRectF(260, 760, 480, 120))}},
        {42, Forma::TriangoloConPannello, BIANCO, ROSSO,
         {tx("STOP", QRectF(350, 295, 300, 85)), tx("150 m", QRectF(260, 760, 480, 120))}},
        precedenzaT(43, {pt("croce_x", TRI)}),
        divieto(44, {pt("precedenza_alternato", DIS)}),
        {45, Forma::Rombo, GIALLO, BIANCO, {pt("linee_diagonali", QRectF(150, 150, 700, 700))}},
        precedenzaT(46, {pt("strada_incrocio", TRI)}),
        precedenzaT(47, {pt("strada_t_destra", TRI)}),
        precedenzaT(48, {pt("strada_t_destra", TRI, NERO, true)}),
        precedenzaT(49, {pt("confluenza_destra", TRI)}),
        precedenzaT(50, {pt("confluenza_destra", TRI, NERO, true)}),
        {51, Forma::Rombo, GIALLO, BIANCO, {}},
        blu(52, {pt("diritto_alternato", QUA, BIANCO)}),

        // ------------------------------------------------------- prohibition
        divieto(53, {}),
        {54, Forma::Disco, ROSSO, QColor(), {pt("rettangolo", QRectF(150, 410, 700, 180), BIANCO)}},
        divieto(55, {ic("car", QRectF(200, 300, 310, 310), ROSSO), ic("car", QRectF(490, 300, 310, 310))}),
        divieto(56, {ic("car-side", QRectF(200, 250, 300, 300)), ic("car-side", QRectF(500, 250, 300, 300)),
                     tx("70 m", QRectF(330, 560, 340, 150))}),
        divieto(57, {tx("50", QRectF(240, 320, 520, 360))}),
        divieto(58, {pt("tromba", QRectF(220, 340, 560, 320))}, Barra::Divieto),
        divieto(59, {pt("camion_retro", QRectF(220, 330, 260, 300), ROSSO), ic("car", QRectF(500, 330, 290, 290))}),
        divieto(60, {pt("carretto", QRectF(200, 380, 300, 300)), ic("horse", QRectF(440, 280, 350, 350))}),
        divieto(61, {pt("pedone", QRectF(230, 210, 540, 580))}),
        divieto(62, {ic("bicycle", QRectF(200, 200, 600, 600))}),
        divieto(63, {pt("motocicletta", QRectF(180, 170, 640, 640))}),
        divieto(64, {ic("human-dolly", DIS, NERO, true)}),
        divieto(65, {ic("car-side", QRectF(200, 200, 600, 600))}),
        divieto(66, {ic("bus-side", QRectF(200, 200, 600, 600))}),
        divieto(67, {ic("truck", QRectF(200, 200, 600, 600))}),
        divieto(68, {ic("truck", QRectF(200, 200, 600, 600)), tx("7 t", QRectF(270, 360, 240, 130), BIANCO)}),
        divieto(69, {ic("car-side", QRectF(380, 260, 430, 430)), pt("rimorchio", QRectF(190, 370, 240, 240))}),
        divieto(70, {ic("tractor", QRectF(220, 220, 560, 560))}),
        divieto(71, {ic("truck", QRectF(200, 200, 600, 600)), pt("pannello_arancio", QRectF(320, 380, 150, 110))}),
        divieto(72, {ic("truck", QRectF(200, 200, 600, 600)), pt("esplosione", QRectF(270, 290, 260, 260), ARANCIO)}),
        divieto(73, {pt("larghezza", DIS), tx("2.30 m", QRectF(250, 510, 500, 140))}),
        divieto(74, {pt("altezza", DIS), tx("3.5 m", QRectF(270, 430, 460, 140))}),
        divieto(75, {ic("truck", QRectF(290, 210, 420, 420)), pt("quota_lunghezza", QRectF(230, 560, 540, 80)),
                     tx("10 m", QRectF(380, 660, 240, 90))}),
        divieto(76, {tx("6.5 t", QRectF(230, 380, 540, 240))}),
        divieto(77, {tx("6 t", QRectF(330, 250, 340, 170)), pt("asse", QRectF(290, 470, 420, 240))}),
        fine(78, {}),
        fine(79, {tx("50", QRectF(240, 320, 520, 360), GRIGIO)}),
        fine(80, {ic("car", QRectF(200, 300, 310, 310), GRIGIO), ic("car", QRectF(490, 300, 310, 310), GRIGIO)}),
        fine(81, {pt("camion_retro", QRectF(220, 330, 260, 300), GRIGIO),
                  ic("car", QRectF(500, 330, 290, 290), GRIGIO)}),

        // ------------------------------------------------ stopping and parking
        {82, Forma::Disco, BLU, ROSSO, {}, Barra::Divieto},
        {83, Forma::Disco, BLU, ROSSO, {}, Barra::Croce},
        blu(84, {tx("P", QRectF(250, 170, 500, 660), BIANCO)}),
        blu(85, {tx("P", QRectF(330, 110, 340, 440), BIANCO), pt("freccia_sottile", QRectF(230, 560, 540, 140), BIANCO),
                 tx("200 m", QRectF(280, 740, 440, 140), BIANCO)}),
        pannello(86, BIANCO, QColor(), QRectF(150, 0, 700, 1000),
                 {pt("disco_sosta", QRectF(250, 60, 500, 500)), tx("PASSO", QRectF(250, 620, 500, 120)),
                  tx("CARRABILE", QRectF(200, 780, 600, 110))}),
        blu(87, {tx("P", QRectF(320, 90, 360, 460), BIANCO), ic("wheelchair", QRectF(330, 560, 340, 340), BIANCO)}),
        blu(88, {tx("P", QRectF(320, 90, 360, 460), BIANCO), pt("orologio", QRectF(360, 590, 280, 280), BIANCO)}),
        blu(89, {tx("P", QRectF(320, 90, 360, 460), BIANCO), pt("parchimetro", QRectF(370, 570, 260, 330), BIANCO)}),

        // ------------------------------------------------------ obligation
        obbligo(90, {pt("freccia_su", FRE, BIANCO)}),
        obbligo(91, {pt("freccia_destra", FRE, BIANCO)}),
        obbligo(92, {pt("freccia_destra", FRE, BIANCO, true)}),
        obbligo(93, {pt("freccia_su_destra", FRE, BIANCO)}),
        obbligo(94, {pt("freccia_su_destra", FRE, BIANCO, true)}),
        obbligo(95, {pt("freccia_diritto_destra", FRE, BIANCO)}),
        obbligo(96, {pt("freccia_diritto_destra", FRE, BIANCO, true)}),
        obbligo(97, {pt("freccia_destra_sinistra", FRE, BIANCO)}),
        obbligo(98, {pt("freccia_giu_sinistra", FRE, BIANCO)}),
        obbligo(99, {pt("freccia_giu_sinistra", FRE, BIANCO, true)}),
        obbligo(100, {pt("frecce_giu", FRE, BIANCO)}),
        obbligo(101, {pt("rotatoria_obbligo", FRE, BIANCO)}),
        obbligo(102, {tx("30", QRectF(240, 320, 520, 360), BIANCO)}),
        obbligo(103, {tx("30", QRectF(240, 320, 520, 360), BIANCO)}, Barra::Rossa),
        obbligo(104, {pt("catene", QRectF(170, 170, 660, 660), BIANCO)}),
        obbligo(105, {ic("human-male-child", QRectF(190, 190, 620, 620), BIANCO)}),
        obbligo(106, {ic("human-male-child", QRectF(190, 190, 620, 620), BIANCO)}, Barra::Rossa),
        obbligo(107, {ic("bicycle", QRectF(170, 170, 660, 660), BIANCO)}),
        obbligo(108, {ic("bicycle", QRectF(170, 170, 660, 660), BIANCO)}, Barra::Rossa),
        obbligo(109, {ic("bicycle", QRectF(110, 330, 370, 370), BIANCO), pt("divisore", TUTTO, BIANCO),
                      ic("human-male-child", QRectF(530, 290, 380, 380), BIANCO)}),
        obbligo(110, {ic("human-male-child", QRectF(330, 120, 340, 340), BIANCO),
                      pt("divisore", TUTTO, BIANCO, false, 90),
                      ic("bicycle", QRectF(280, 510, 440, 400), BIANCO)}),
        obbligo(111, {ic("bicycle", QRectF(110, 330, 370, 370), BIANCO), pt("divisore", TUTTO, BIANCO),
                      ic("human-male-child", QRectF(530, 290, 380, 380), BIANCO)}, Barra::Rossa),
        obbligo(112, {ic("human-male-child", QRectF(330, 120, 340, 340), BIANCO),
                      pt("divisore", TUTTO, BIANCO, false, 90),
                      ic("bicycle", QRectF(280, 510, 440, 400), BIANCO)}, Barra::Rossa),
        obbligo(113, {ic("horse-human", QRectF(190, 170, 620, 620), BIANCO)}),
        obbligo(114, {ic("horse-human", QRectF(190, 170, 620, 620), BIANCO)}, Barra::Rossa),
        divieto(115, {pt("rettangolo", QRectF(100, 400, 800, 200), ROSSO),
                      tx("DOGANA", QRectF(170, 440, 660, 120), BIANCO), tx("ALT", QRectF(330, 200, 340, 150))}),
        divieto(116, {tx("ALT", QRectF(260, 220, 480, 220)), tx("POLIZIA", QRectF(170, 520, 660, 170))}),
        divieto(117, {tx("ALT", QRectF(260, 220, 480, 220)), tx("STAZIONE", QRectF(150, 530, 700, 150))}),

        // ------------------------------------------------------ indication
        blu(118, {pt("incrocio_preavviso", TUTTO, BIANCO), txStretto("FIRENZE", QRectF(200, 110, 600, 130), BIANCO),
                  txStretto("PISA", QRectF(40, 785, 400, 100), BIANCO),
                  txStretto("LUCCA", QRectF(560, 785, 400, 100), BIANCO)},
            Barra::Nessuna, QRectF(0, 60, 1000, 880)),
        {119, Forma::FrecciaDirezione, BLU, BIANCO,
         {txStretto("TORINO", QRectF(50, 405, 460, 190), BIANCO), txStretto("12 km", QRectF(540, 430, 270, 140), BIANCO)},
         Barra::Nessuna, QRectF(0, 290, 1000, 420)},
        pannello(120, BIANCO, NERO, QRectF(0, 240, 1000, 520), {tx("VILLANOVA", QRectF(90, 410, 820, 180))}),
        pannello(121, BIANCO, NERO, QRectF(0, 240, 1000, 520), {tx("VILLANOVA", QRectF(90, 410, 820, 180))},
                 Barra::Rossa),
        blu(122, {pt("triangolo_bianco", QRectF(130, 110, 740, 830), BIANCO),
                  pt("zebra", QRectF(290, 700, 420, 130)), pt("pedone", QRectF(340, 390, 320, 350))}),
        pannello(123, ROSSO, BIANCO, QRectF(60, 200, 880, 600), {tx("SOS", QRectF(180, 340, 640, 320), BIANCO)}),
        blu(124, {pt("senza_uscita", QUA, BIANCO)}),
        blu(125, {pt("senza_uscita_preavviso", QRectF(150, 200, 700, 700), BIANCO)}),
        blu(126, {ic("home", QRectF(50, 300, 360, 360), BIANCO), ic("human-male-child", QRectF(370, 310, 340, 340), BIANCO),
                  ic("car-side", QRectF(705, 500, 260, 260), BIANCO)},
            Barra::Nessuna, QRectF(0, 160, 1000, 680)),
        blu(127, {ic("home", QRectF(50, 300, 360, 360), BIANCO), ic("human-male-child", QRectF(370, 310, 340, 340), BIANCO),
                  ic("car-side", QRectF(705, 500, 260, 260), BIANCO)},
            Barra::Rossa, QRectF(0, 160, 1000, 680)),
        pannello(128, BIANCO, QColor(), QRectF(130, 0, 740, 1000),
                 {pt("disco_blu", QRectF(240, 60, 520, 520)), ic("human-male-child", QRectF(300, 120, 400, 400), BIANCO),
                  tx("AREA", QRectF(300, 650, 400, 120)), tx("PEDONALE", QRectF(200, 810, 600, 110))}),
        pannello(129, BIANCO, QColor(), QRectF(130, 0, 740, 1000),
                 {pt("disco_blu", QRectF(240, 60, 520, 520)), ic("human-male-child", QRectF(300, 120, 400, 400), BIANCO),
                  tx("AREA", QRectF(300, 650, 400, 120)), tx("PEDONALE", QRectF(200, 810, 600, 110))},
                 Barra::Rossa),
        pannello(130, BIANCO, QColor(), QRectF(130, 0, 740, 1000),
                 {tx("ZONA A", QRectF(280, 60, 440, 110)), tx("TRAFFICO", QRectF(230, 200, 540, 110)),
                  tx("LIMITATO", QRectF(230, 340, 540, 110)), pt("disco_divieto", QRectF(300, 500, 400, 400))}),
        pannello(131, BIANCO, QColor(), QRectF(130, 0, 740, 1000),
                 {tx("ZONA A", QRectF(280, 60, 440, 110)), tx("TRAFFICO", QRectF(230, 200, 540, 110)),
                  tx("LIMITATO", QRectF(230, 340, 540, 110)), pt("disco_divieto", QRectF(300, 500, 400, 400))},
                 Barra::Rossa),
        pannello(132, BIANCO, QColor(), QRectF(130, 0, 740, 1000),
                 {tx("ZONA", QRectF(260, 70, 480, 170)), pt("disco_divieto", QRectF(240, 330, 520, 520)),
                  tx("30", QRectF(360, 470, 280, 240))}),
        pannello(133, BIANCO, QColor(), QRectF(130, 0, 740, 1000),
                 {tx("ZONA", QRectF(260, 70, 480, 170), GRIGIO), pt("disco_grigio", QRectF(240, 330, 520, 520)),
                  tx("30", QRectF(360, 470, 280, 240), GRIGIO)},
                 Barra::Nera),
        blu(134, {pt("piazzola", QRectF(200, 120, 400, 760), BIANCO), tx("P", QRectF(610, 330, 220, 340), BIANCO)}),
        pannello(135, VERDE, BIANCO, TUTTO, {pt("autostrada", QRectF(170, 170, 660, 660), BIANCO)}),
        pannello(136, VERDE, BIANCO, TUTTO, {pt("autostrada", QRectF(170, 170, 660, 660), BIANCO)}, Barra::Rossa),
        blu(137, {pt("autostrada", QRectF(170, 170, 660, 660), BIANCO)}),
        blu(138, {pt("autostrada", QRectF(170, 170, 660, 660), BIANCO)}, Barra::Rossa),
        blu(139, {pt("freccia_lunga", QRectF(100, 380, 800, 240), BIANCO)}, Barra::Nessuna, QRectF(0, 320, 1000, 360)),
        blu(140, {pt("freccia_su", QRectF(270, 130, 460, 740), BIANCO)}, Barra::Nessuna, QRectF(170, 0, 660, 1000)),
        blu(141, {tx("TAXI", QRectF(120, 360, 760, 280), BIANCO)}, Barra::Nessuna, QRectF(0, 230, 1000, 540)),
        blu(142, {pt("rettangolo", QRectF(220, 130, 560, 520), BIANCO), ic("bus-side", QRectF(260, 130, 480, 520)),
                  tx("FERMATA", QRectF(200, 720, 600, 130), BIANCO)}),
        blu(143, {tx("60", QRectF(220, 260, 560, 480), BIANCO)}),
        blu(144, {pt("galleria", QRectF(180, 180, 640, 640), BIANCO)}),
    };
    return v;
}

} // namespace

const std::vector<Segnale> &tabella()
{
    static const std::vector<Segnale> v = crea();
    return v;
}

} // namespace segnali
