// The real sign pictures in data/jpg: they exist, decode, have the right size, differ from each
// other, and each looks like a sign of the category its index is filed under.

#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int NUMERO_SEGNALI = 144;
const QSize DIMENSIONE(514, 480);

QString percorso(int n)
{
    return QStringLiteral(CARTAVIA_SORGENTI "/data/jpg/%1.jpg").arg(n);
}

enum class Categoria { Pericolo, Precedenza, Divieto, Sosta, Obbligo, Indicazione };

// The ranges of the category menu.
Categoria categoriaDi(int n)
{
    if (n <= 38) return Categoria::Pericolo;
    if (n <= 52) return Categoria::Precedenza;
    if (n <= 81) return Categoria::Divieto;
    if (n <= 89) return Categoria::Sosta;
    if (n <= 117) return Categoria::Obbligo;
    return Categoria::Indicazione;
}

// What a picture is made of: shares of the sign's own pixels (the page around it excluded).
struct Profilo {
    double rosso = 0, blu = 0, giallo = 0, verde = 0, bianco = 0, scuro = 0;
    double copertura = 0;   // sign pixels / pixels of their bounding box: ~0.5 triangle, ~0.79 disc, ~1 panel
    double baricentroY = 0; // 0 top .. 1 bottom of the bounding box: ~0.6 point-up triangle, ~0.4 point-down
    double superficie = 0;  // sign pixels / picture pixels
    double angoliVuoti = 0; // share of the bounding box's four corners that are page
};

bool quasiBianco(QRgb c)
{
    return qRed(c) > 225 && qGreen(c) > 225 && qBlue(c) > 225;
}

Profilo profilo(const QImage &img)
{
    const int w = img.width(), h = img.height();
    // The page: the near-white pixels reachable from the picture's edge.
    std::vector<char> pagina(size_t(w) * h, 0);
    std::vector<int> pila;
    auto spingi = [&](int x, int y) {
        const size_t i = size_t(y) * w + x;
        if (!pagina[i] && quasiBianco(img.pixel(x, y))) {
            pagina[i] = 1;
            pila.push_back(int(i));
        }
    };
    for (int x = 0; x < w; ++x) { spingi(x, 0); spingi(x, h - 1); }
    for (int y = 0; y < h; ++y) { spingi(0, y); spingi(w - 1, y); }
    while (!pila.empty()) {
        const int i = pila.back();
        pila.pop_back();
        const int x = i % w, y = i / w;
        if (x > 0) spingi(x - 1, y);
        if (x < w - 1) spingi(x + 1, y);
        if (y > 0) spingi(x, y - 1);
        if (y < h - 1) spingi(x, y + 1);
    }
    Profilo p;
    int conta = 0, x0 = w, y0 = h, x1 = -1, y1 = -1;
    double sommaY = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (pagina[size_t(y) * w + x])
                continue;
            ++conta;
            x0 = std::min(x0, x); x1 = std::max(x1, x);
            y0 = std::min(y0, y); y1 = std::max(y1, y);
            sommaY += y;
            const QColor c = QColor::fromRgb(img.pixel(x, y));
            const double hue = c.hsvHueF() * 360, s = c.hsvSaturationF(), v = c.valueF();
            if (s < 0.15 && v > 0.8) p.bianco += 1;
            else if (v < 0.3) p.scuro += 1;
            else if (s > 0.5 && v > 0.35 && (hue >= 340 || hue <= 15)) p.rosso += 1;
            else if (s > 0.5 && v > 0.3 && hue >= 195 && hue <= 235) p.blu += 1;
            else if (s > 0.5 && v > 0.6 && hue >= 35 && hue <= 60) p.giallo += 1;
            else if (s > 0.5 && v > 0.25 && hue >= 120 && hue <= 175) p.verde += 1;
        }
    }
    if (conta == 0)
        return p;
    for (double *q : {&p.rosso, &p.blu, &p.giallo, &p.verde, &p.bianco, &p.scuro})
        *q /= conta;
    p.copertura = double(conta) / (double(x1 - x0 + 1) * (y1 - y0 + 1));
    p.baricentroY = (sommaY / conta - y0) / std::max(1, y1 - y0);
    p.superficie = double(conta) / (double(w) * h);
    const int ax = std::max(1, (x1 - x0) / 14), ay = std::max(1, (y1 - y0) / 14);
    int vuoti = 0, angoli = 0;
    for (int y : {y0, y1 - ay + 1})
        for (int x : {x0, x1 - ax + 1})
            for (int dy = 0; dy < ay; ++dy)
                for (int dx = 0; dx < ax; ++dx) {
                    ++angoli;
                    vuoti += pagina[size_t(y + dy) * w + x + dx];
                }
    p.angoliVuoti = double(vuoti) / angoli;
    return p;
}

// A disc covers ~0.79 of its bounding box and leaves its corners to the page.
bool tondo(const Profilo &p) { return p.copertura > 0.72 && p.copertura < 0.84 && p.angoliVuoti > 0.9; }
bool rettangolare(const Profilo &p) { return p.copertura > 0.86; }

// Does a picture with this profile look like a sign of category c?
bool sembra(Categoria c, const Profilo &p)
{
    switch (c) {
    case Categoria::Pericolo:
        // the red of the border, no blue field, white ground, and not upside down
        // (the traffic lights add a little yellow and green)
        return p.rosso > 0.05 && p.blu < 0.01 && p.giallo < 0.05 && p.verde < 0.05 && p.bianco > 0.3
               && p.baricentroY > 0.47 && !tondo(p) && !rettangolare(p);
    case Categoria::Precedenza:
        // red triangles and octagon, yellow diamonds, or the blue panel with its red arrow
        return (p.rosso > 0.02 || p.giallo > 0.1) && p.verde < 0.01;
    case Categoria::Divieto:
        // a disc with a red ring (or a red disc), or the black bands of an end sign; no blue field
        return tondo(p) && p.blu < 0.01 && (p.rosso > 0.1 || (p.rosso < 0.01 && p.scuro > 0.04));
    case Categoria::Sosta:
        // blue with red (no parking, no stopping) or the blue "P" panels
        return p.blu > 0.12 && p.verde < 0.01 && (tondo(p) ? p.rosso > 0.1 : rettangolare(p));
    case Categoria::Obbligo:
        // blue discs; the three "Alt" discs are white with a red ring
        return tondo(p) && ((p.blu > 0.5 && p.rosso < 0.25) || (p.rosso > 0.1 && p.blu < 0.01 && p.bianco > 0.3));
    case Categoria::Indicazione:
        // rectangular panels: blue, green, white or the red SOS plate
        return rettangolare(p) && p.giallo < 0.01;
    }
    return false;
}

QImage carica(int n)
{
    QImage img(percorso(n));
    return img.convertToFormat(QImage::Format_RGB32);
}

// A small colour thumbnail, to compare pictures with each other.
std::vector<int> impronta(const QImage &img)
{
    const QImage m = img.scaled(40, 40, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    std::vector<int> v;
    v.reserve(40 * 40 * 3);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const QRgb c = m.pixel(x, y);
            v.push_back(qRed(c));
            v.push_back(qGreen(c));
            v.push_back(qBlue(c));
        }
    return v;
}

} // namespace

class TstImmagini : public QObject
{
    Q_OBJECT

private slots:
    void ognuna_data()
    {
        QTest::addColumn<int>("n");
        for (int n = 1; n <= NUMERO_SEGNALI; ++n)
            QTest::newRow(qPrintable(QString::number(n))) << n;
    }

    void ognuna()
    {
        QFETCH(int, n);
        QFileInfo info(percorso(n));
        QVERIFY2(info.exists(), qPrintable(percorso(n)));
        QVERIFY2(info.size() < 60 * 1024, qPrintable(QString::number(info.size())));
        const QImage img = carica(n);
        QVERIFY(!img.isNull());
        QCOMPARE(img.size(), DIMENSIONE);
        // white page at the corners, the sign centred on it
        const int w = DIMENSIONE.width(), h = DIMENSIONE.height();
        for (const QPoint &angolo : {QPoint(1, 1), QPoint(w - 2, 1), QPoint(1, h - 2), QPoint(w - 2, h - 2)})
            QVERIFY(quasiBianco(img.pixel(angolo)));
        const Profilo p = profilo(img);
        QVERIFY2(p.superficie > 0.2, "nearly blank");
        QVERIFY2(p.bianco < 0.98, "blank sign");
    }

    void categoria_data()
    {
        QTest::addColumn<int>("n");
        for (int n = 1; n <= NUMERO_SEGNALI; ++n)
            QTest::newRow(qPrintable(QString::number(n))) << n;
    }

    void categoria()
    {
        QFETCH(int, n);
        const Profilo p = profilo(carica(n));
        const QString dettaglio = QStringLiteral("rosso %1 blu %2 giallo %3 verde %4 bianco %5 scuro %6 copertura %7 baricentro %8")
                                      .arg(p.rosso, 0, 'f', 3).arg(p.blu, 0, 'f', 3).arg(p.giallo, 0, 'f', 3)
                                      .arg(p.verde, 0, 'f', 3).arg(p.bianco, 0, 'f', 3).arg(p.scuro, 0, 'f', 3)
                                      .arg(p.copertura, 0, 'f', 3).arg(p.baricentroY, 0, 'f', 3);
        QVERIFY2(sembra(categoriaDi(n), p), qPrintable(dettaglio));
    }

    // The colour rules must tell the categories apart, or a misfiled picture would go unnoticed:
    // each rule rejects every picture of another category, except where the real signs look alike.
    void categorieDistinte()
    {
        using C = Categoria;
        // (rule, category of the picture) pairs that share a look on the real signs
        const std::vector<std::pair<C, C>> somiglianti = {
            {C::Pericolo, C::Precedenza},    // 41, 42, 43, 46..50: red triangles
            {C::Precedenza, C::Pericolo},    // and the other way round
            {C::Precedenza, C::Divieto},     // red everywhere
            {C::Precedenza, C::Sosta},       // 82, 83: red ring
            {C::Precedenza, C::Obbligo},     // red bars, the "Alt" discs
            {C::Precedenza, C::Indicazione}, // red bars, SOS
            {C::Divieto, C::Precedenza},     // 44: a red-ringed disc
            {C::Obbligo, C::Precedenza},     // 44: red ring, like the "Alt" discs
            {C::Obbligo, C::Divieto},        // the "Alt" discs are red-ringed like the prohibitions
            {C::Divieto, C::Obbligo},        // and the other way round (115..117)
            {C::Sosta, C::Obbligo},          // blue discs with a red bar
            {C::Sosta, C::Indicazione},      // blue panels
            {C::Sosta, C::Precedenza},       // 52: a blue panel
            {C::Indicazione, C::Sosta},      // the "P" panels
            {C::Indicazione, C::Precedenza}, // 52: a blue panel
        };
        std::vector<Profilo> profili;
        for (int n = 1; n <= NUMERO_SEGNALI; ++n)
            profili.push_back(profilo(carica(n)));
        int confronti = 0;
        for (int c = 0; c < 6; ++c) {
            const C regola = C(c);
            QStringList intrusi;
            for (int n = 1; n <= NUMERO_SEGNALI; ++n) {
                const C sua = categoriaDi(n);
                if (sua == regola || std::find(somiglianti.begin(), somiglianti.end(), std::make_pair(regola, sua))
                                         != somiglianti.end())
                    continue;
                ++confronti;
                if (sembra(regola, profili[n - 1]))
                    intrusi << QString::number(n);
            }
            QVERIFY2(intrusi.isEmpty(), qPrintable(QString::number(c) + ": " + intrusi.join(' ')));
        }
        QVERIFY2(confronti > 300, qPrintable(QString::number(confronti)));
    }

    // Every box stretches its picture to fill it, and the boxes differ in shape: a round sign must
    // look round enough in each. Picture areas (inside the border) of the definition quiz, the
    // recognition quiz (side, middle), the matching quiz (left, right), the splash, the puzzle.
    void tondoInOgniRiquadro_data()
    {
        QTest::addColumn<QSize>("riquadro");
        for (const QSize r : {QSize(239, 223), QSize(167, 151), QSize(175, 151), QSize(206, 182),
                              QSize(203, 182), QSize(153, 145), QSize(318, 321)})
            QTest::newRow(qPrintable(QStringLiteral("%1x%2").arg(r.width()).arg(r.height()))) << r;
    }

    void tondoInOgniRiquadro()
    {
        QFETCH(QSize, riquadro);
        // 53: a red ring on white
        const QImage img = carica(53).scaled(riquadro, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QRect anello;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qRed(img.pixel(x, y)) > 150 && qGreen(img.pixel(x, y)) < 90)
                    anello |= QRect(x, y, 1, 1);
        const double rapporto = double(anello.width()) / anello.height();
        QVERIFY2(std::abs(rapporto - 1) < 0.09, qPrintable(QString::number(rapporto)));
    }

    void tutteDiverse()
    {
        std::vector<std::vector<int>> impronte;
        for (int n = 1; n <= NUMERO_SEGNALI; ++n)
            impronte.push_back(impronta(carica(n)));
        for (int a = 0; a < NUMERO_SEGNALI; ++a) {
            for (int b = a + 1; b < NUMERO_SEGNALI; ++b) {
                double diff = 0;
                for (size_t i = 0; i < impronte[a].size(); ++i)
                    diff += std::abs(impronte[a][i] - impronte[b][i]);
                diff /= double(impronte[a].size());
                QVERIFY2(diff > 0.5, qPrintable(QStringLiteral("%1.jpg and %2.jpg look the same").arg(a + 1).arg(b + 1)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TstImmagini)
#include "tst_immagini.moc"
