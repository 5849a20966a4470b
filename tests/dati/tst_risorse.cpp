// The pictures embedded in the program and the five sounds of data/suoni.

#include "widgets/Risorse.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QtEndian>
#include <QtTest>

using namespace cartavia;

namespace {

const char *const NomiIcone[] = {"stop",      "definire",  "abbinare", "divieto", "informazioni",
                                 "esci",      "faccia_si", "faccia_no", "avanti", "puntatore",
                                 "esame"};

QImage disegna(const QString &file, int lato)
{
    QImage immagine(lato, lato, QImage::Format_ARGB32);
    immagine.fill(Qt::transparent);
    QPainter pittore(&immagine);
    QSvgRenderer(file).render(&pittore, QRectF(0, 0, lato, lato));
    return immagine;
}

enum class Tinta { Rosso, Giallo, Blu, Grigio, Altro };

// A rough colour class of an opaque pixel.
Tinta tinta(QRgb pixel)
{
    const QColor c = QColor::fromRgb(pixel).toHsv();
    if (c.hsvSaturation() < 50)
        return Tinta::Grigio;
    const int h = c.hsvHue();
    if (c.value() < 90)
        return Tinta::Altro;
    if (h < 15 || h >= 340)
        return Tinta::Rosso;
    if (h >= 40 && h < 65)
        return Tinta::Giallo;
    if (h >= 195 && h < 250)
        return Tinta::Blu;
    return Tinta::Altro;
}

// Share of the opaque pixels in each colour class.
QMap<Tinta, double> quote(const QImage &immagine)
{
    QMap<Tinta, double> conti;
    int opachi = 0;
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x) {
            const QRgb p = immagine.pixel(x, y);
            if (qAlpha(p) < 200)
                continue;
            ++opachi;
            conti[tinta(p)] += 1;
        }
    for (double &v : conti)
        v /= qMax(1, opachi);
    return conti;
}

struct Wav {
    QString errore;
    int formato = 0, canali = 0, frequenza = 0, bit = 0;
    QByteArray dati;
    QVector<qint16> campioni() const
    {
        QVector<qint16> c(dati.size() / 2);
        for (int i = 0; i < c.size(); ++i)
            c[i] = qFromLittleEndian<qint16>(dati.constData() + 2 * i);
        return c;
    }
    double secondi() const { return double(dati.size()) / (canali * (bit / 8) * frequenza); }
};

// Reads a RIFF/WAVE file chunk by chunk.
Wav leggiWav(const QString &file)
{
    Wav w;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        w.errore = QStringLiteral("cannot open ") + file;
        return w;
    }
    const QByteArray tutto = f.readAll();
    if (tutto.size() < 12 || tutto.left(4) != "RIFF" || tutto.mid(8, 4) != "WAVE") {
        w.errore = QStringLiteral("not RIFF/WAVE");
        return w;
    }
    if (qFromLittleEndian<quint32>(tutto.constData() + 4) != quint32(tutto.size() - 8)) {
        w.errore = QStringLiteral("RIFF size does not match the file");
        return w;
    }
    bool fmt = false;
    for (qsizetype pos = 12; pos + 8 <= tutto.size();) {
        const QByteArray id = tutto.mid(pos, 4);
        const quint32 lung = qFromLittleEndian<quint32>(tutto.constData() + pos + 4);
        if (pos + 8 + qsizetype(lung) > tutto.size()) {
            w.errore = QStringLiteral("chunk ") + QString::fromLatin1(id) + " runs past the end";
            return w;
        }
        const char *corpo = tutto.constData() + pos + 8;
        if (id == "fmt " && lung >= 16) {
            fmt = true;
            w.formato = qFromLittleEndian<quint16>(corpo);
            w.canali = qFromLittleEndian<quint16>(corpo + 2);
            w.frequenza = int(qFromLittleEndian<quint32>(corpo + 4));
            w.bit = qFromLittleEndian<quint16>(corpo + 14);
        } else if (id == "data") {
            w.dati = QByteArray(corpo, lung);
        }
        pos += 8 + lung + (lung & 1);
    }
    if (!fmt || w.dati.isEmpty())
        w.errore = QStringLiteral("no fmt or data chunk");
    return w;
}

QString cartellaSuoni()
{
    return QStringLiteral(CARTAVIA_SORGENTI "/data/suoni/");
}

} // namespace

class TestRisorse : public QObject
{
    Q_OBJECT
private slots:
    void ogniIconaEIncorporata();
    void iconaDisegnata_data();
    void iconaDisegnata();
    void coloriDelleIcone_data();
    void coloriDelleIcone();
    void iconaDaNome();
    void puntaDelCursore_data();
    void puntaDelCursore();
    void suono_data();
    void suono();
    void suoniDiversi_data();
    void suoniDiversi();
};

void TestRisorse::ogniIconaEIncorporata()
{
    QStringList attese;
    for (const char *nome : NomiIcone)
        attese << QString::fromLatin1(nome) + QStringLiteral(".svg");
    attese.sort();
    QStringList presenti = QDir(QStringLiteral(":/icone")).entryList(QDir::Files);
    presenti.sort();
    QCOMPARE(presenti, attese);
}

void TestRisorse::iconaDisegnata_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("lato");
    for (const char *nome : NomiIcone)
        for (int lato : {32, 64})
            QTest::addRow("%s@%d", nome, lato) << QString::fromLatin1(nome) << lato;
}

void TestRisorse::iconaDisegnata()
{
    QFETCH(QString, nome);
    QFETCH(int, lato);
    const QString file = percorsoIcona(nome.toLatin1().constData());
    QSvgRenderer renderer(file);
    QVERIFY2(renderer.isValid(), qPrintable(file));
    QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 32, 32));

    const QImage immagine = disegna(file, lato);
    int opachi = 0;
    QSet<QRgb> colori;
    for (int y = 0; y < lato; ++y)
        for (int x = 0; x < lato; ++x) {
            const QRgb p = immagine.pixel(x, y);
            if (qAlpha(p) == 255) {
                ++opachi;
                colori.insert(p);
            }
        }
    // A real drawing covers a good part of its square and uses several colours.
    QVERIFY2(opachi >= lato * lato / 8, qPrintable(QString::number(opachi)));
    QVERIFY2(colori.size() >= 3, qPrintable(QString::number(colori.size())));
}

void TestRisorse::coloriDelleIcone_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("tinta");
    QTest::addColumn<double>("minimo");
    QTest::addColumn<double>("massimo");

    const auto riga = [](const char *nome, Tinta t, double minimo, double massimo) {
        QTest::addRow("%s %d %.2f..%.2f", nome, int(t), minimo, massimo)
            << QString::fromLatin1(nome) << int(t) << minimo << massimo;
    };
    riga("stop", Tinta::Rosso, 0.5, 1.0);          // mostly red
    riga("esci", Tinta::Rosso, 0.4, 1.0);
    riga("divieto", Tinta::Rosso, 0.5, 1.0);
    riga("definire", Tinta::Giallo, 0.4, 1.0);
    riga("informazioni", Tinta::Blu, 0.5, 1.0);
    riga("abbinare", Tinta::Blu, 0.3, 1.0);
    riga("faccia_si", Tinta::Giallo, 0.4, 1.0);
    riga("faccia_si", Tinta::Rosso, 0.05, 1.0);    // the open red mouth
    riga("faccia_no", Tinta::Giallo, 0.6, 1.0);
    riga("faccia_no", Tinta::Rosso, 0.0, 0.01);    // no red on the sad face
    riga("avanti", Tinta::Grigio, 0.5, 1.0);
    riga("puntatore", Tinta::Grigio, 0.95, 1.0);
}

void TestRisorse::coloriDelleIcone()
{
    QFETCH(QString, nome);
    QFETCH(int, tinta);
    QFETCH(double, minimo);
    QFETCH(double, massimo);
    for (int lato : {32, 64}) {
        const double quota =
            quote(disegna(percorsoIcona(nome.toLatin1().constData()), lato)).value(Tinta(tinta));
        QVERIFY2(quota >= minimo && quota <= massimo,
                 qPrintable(QStringLiteral("%1 px: %2").arg(lato).arg(quota)));
    }
}

void TestRisorse::iconaDaNome()
{
    const QIcon stop = icona("stop");
    QVERIFY(!stop.isNull());
    for (int lato : {16, 32, 128}) {
        const QImage immagine = stop.pixmap(lato).toImage();
        QCOMPARE(immagine.size(), QSize(lato, lato));
        QVERIFY(quote(immagine).value(Tinta::Rosso) > 0.5);
    }
    QVERIFY(icona("non_esiste").pixmap(32).isNull());
}

void TestRisorse::puntaDelCursore_data()
{
    QTest::addColumn<qreal>("rapporto");
    QTest::newRow("1") << qreal(1);
    QTest::newRow("1.5") << qreal(1.5);
    QTest::newRow("2") << qreal(2);
    QTest::newRow("3") << qreal(3);
}

void TestRisorse::puntaDelCursore()
{
    QFETCH(qreal, rapporto);
    const QCursor cursore = cursoreTrascina(rapporto);
    QCOMPARE(cursore.shape(), Qt::BitmapCursor);
    QCOMPARE(cursore.hotSpot(), QPoint(3, 1));

    const QPixmap disegno = cursore.pixmap();
    QCOMPARE(disegno.devicePixelRatio(), rapporto);
    QCOMPARE(disegno.deviceIndependentSize(), QSizeF(32, 32));

    // In device pixels the tip covers the hot spot's pixel; left of it and above it the
    // picture is clear, so the pointer points exactly there.
    const QImage immagine = disegno.toImage();
    // Highest alpha among the device pixels that lie wholly inside logical pixel (x, y).
    const auto alfa = [&](int x, int y) {
        int massimo = 0;
        for (int dy = qCeil(y * rapporto); dy < qFloor((y + 1) * rapporto); ++dy)
            for (int dx = qCeil(x * rapporto); dx < qFloor((x + 1) * rapporto); ++dx)
                massimo = qMax(massimo, qAlpha(immagine.pixel(dx, dy)));
        return massimo;
    };
    QVERIFY2(alfa(3, 1) >= 160, qPrintable(QString::number(alfa(3, 1))));
    QVERIFY2(alfa(2, 1) <= 60, qPrintable(QString::number(alfa(2, 1))));
    QVERIFY2(alfa(3, 0) <= 60, qPrintable(QString::number(alfa(3, 0))));
    QVERIFY2(alfa(1, 1) == 0 && alfa(0, 0) == 0, "the corner is clear");
}

void TestRisorse::suono_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("acuto");
    QTest::newRow("si1") << QStringLiteral("si1.wav") << true;
    QTest::newRow("si2") << QStringLiteral("si2.wav") << true;
    QTest::newRow("si3") << QStringLiteral("si3.wav") << true;
    QTest::newRow("si4") << QStringLiteral("si4.wav") << true;
    QTest::newRow("no") << QStringLiteral("no.wav") << false;
}

void TestRisorse::suono()
{
    QFETCH(QString, nome);
    QFETCH(bool, acuto);
    const Wav w = leggiWav(cartellaSuoni() + nome);
    QVERIFY2(w.errore.isEmpty(), qPrintable(w.errore));
    QCOMPARE(w.formato, 1); // PCM
    QCOMPARE(w.bit, 16);    // QSoundEffect refuses 32-bit PCM
    QCOMPARE(w.canali, 1);
    QVERIFY2(w.frequenza == 22050 || w.frequenza == 44100, qPrintable(QString::number(w.frequenza)));
    QCOMPARE(w.dati.size() % 2, 0);
    QVERIFY2(w.secondi() >= 0.2 && w.secondi() < 1.0, qPrintable(QString::number(w.secondi())));

    const QVector<qint16> c = w.campioni();
    int picco = 0;
    for (qint16 s : c)
        picco = qMax(picco, qAbs(int(s)));
    QVERIFY2(picco >= 8000, qPrintable(QString::number(picco)));    // clearly audible
    QVERIFY2(picco < 32767, "clipped");
    // No click at either end: the sound fades in and out.
    QVERIFY2(qAbs(c.first()) < 100 && qAbs(c.last()) < 100,
             qPrintable(QStringLiteral("%1 %2").arg(c.first()).arg(c.last())));

    // The chimes are high, the wrong-answer tone is low: the rate of zero crossings gives
    // the pitch roughly.
    int incroci = 0;
    for (int i = 1; i < c.size(); ++i)
        if ((c[i - 1] < 0) != (c[i] < 0))
            ++incroci;
    const double hertz = incroci / 2.0 / w.secondi();
    if (acuto)
        QVERIFY2(hertz > 450, qPrintable(QString::number(hertz)));
    else
        QVERIFY2(hertz < 300, qPrintable(QString::number(hertz)));
}

void TestRisorse::suoniDiversi_data()
{
    QTest::addColumn<QString>("primo");
    QTest::addColumn<QString>("secondo");
    const QStringList nomi = {"si1.wav", "si2.wav", "si3.wav", "si4.wav", "no.wav"};
    for (int i = 0; i < nomi.size(); ++i)
        for (int j = i + 1; j < nomi.size(); ++j)
            QTest::addRow("%s %s", qPrintable(nomi[i]), qPrintable(nomi[j])) << nomi[i] << nomi[j];
}

void TestRisorse::suoniDiversi()
{
    QFETCH(QString, primo);
    QFETCH(QString, secondo);
    const QVector<qint16> a = leggiWav(cartellaSuoni() + primo).campioni();
    const QVector<qint16> b = leggiWav(cartellaSuoni() + secondo).campioni();
    QVERIFY(!a.isEmpty() && !b.isEmpty());
    // Different sounds, not one sound cut to another length: they differ over their
    // common part too.
    const int comune = qMin(a.size(), b.size());
    double diff = 0, energia = 0;
    for (int i = 0; i < comune; ++i) {
        diff += std::abs(double(a[i]) - b[i]);
        energia += std::abs(double(a[i])) + std::abs(double(b[i]));
    }
    QVERIFY2(diff > 0.3 * energia, qPrintable(QString::number(diff / energia)));
}

QTEST_MAIN(TestRisorse)
#include "tst_risorse.moc"
