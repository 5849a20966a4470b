// The picture reader and the real picture boxes, which raise a failure for a bad file, and
// the sound player, which must never raise one.
#include "logic/Errore.h"
#include "widgets/Immagine.h"
#include "widgets/Immagini.h"
#include "widgets/SuoniQt.h"
#include "Ambiente.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

#include <sys/stat.h>

using namespace cartavia;

namespace {
// A JPEG with some detail in it (so its scan data runs to some kilobytes), as a camera
// would write it.
QByteArray jpegDettagliato()
{
    QImage immagine(160, 120, QImage::Format_RGB32);
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x)
            immagine.setPixel(x, y, qRgb((x * 7 + y * 3) % 256, (x * y) % 256, (x ^ y) * 2 % 256));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    immagine.save(&buffer, "JPG", 90);
    return jpeg;
}

// Where the entropy-coded data of the (only) scan begins: after the start-of-scan header.
qsizetype inizioScansione(const QByteArray &jpeg)
{
    const qsizetype sos = jpeg.indexOf(QByteArrayLiteral("\xFF\xDA"));
    const int lunghezza = (uchar(jpeg.at(sos + 2)) << 8) | uchar(jpeg.at(sos + 3));
    return sos + 2 + lunghezza;
}

void scrivi(const QString &file, const QByteArray &byte)
{
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    f.write(byte);
}
}

class TestImmaginiSuoni : public QObject
{
    Q_OBJECT
private slots:
    void immagini_data();
    void immagini();
    void jpegGiudicatoDalDecodificatore_data();
    void jpegGiudicatoDalDecodificatore();
    void immagineRidotta();
    void immagineNelRiquadro();
    void immaginiInsieme_data();
    void immaginiInsieme();
    void suoniSenzaCartella_data();
    void suoniSenzaCartella();
};

void TestImmaginiSuoni::immagini_data()
{
    QTest::addColumn<QString>("caso");
    QTest::addColumn<QString>("causa");
    QTest::newRow("mancante") << "mancante" << "File non trovato";
    QTest::newRow("cartella") << "cartella" << "Impossibile leggere il file";
    QTest::newRow("pipe") << "pipe" << "Impossibile leggere il file"; // nobody writes to it
    QTest::newRow("troncata") << "troncata" << "Immagine non valida";
    QTest::newRow("spazzatura") << "spazzatura" << "Immagine non valida";
    QTest::newRow("vuota") << "vuota" << "Immagine non valida";
}

void TestImmaginiSuoni::immagini()
{
    QFETCH(QString, caso);
    QFETCH(QString, causa);
    CartellaProgramma cartella;
    const QString file = cartella.percorso() + QStringLiteral("/jpg/5.jpg");
    QFile originale(file);
    QVERIFY(originale.open(QIODevice::ReadOnly));
    const QByteArray jpeg = originale.readAll();
    originale.close();
    QFile::remove(file);

    if (caso == QLatin1String("cartella"))
        QDir().mkdir(file);
    else if (caso == QLatin1String("pipe"))
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    else if (caso == QLatin1String("troncata"))
        scrivi(file, jpeg.left(jpeg.size() * 2 / 3));
    else if (caso == QLatin1String("spazzatura"))
        scrivi(file, QByteArray(5000, '\x5A'));
    else if (caso == QLatin1String("vuota"))
        scrivi(file, QByteArray());

    try {
        caricaImmagine(file, QSize(40, 40));
        QFAIL("a bad picture was accepted");
    } catch (const ErroreCartavia &errore) {
        QCOMPARE(errore.causa(), causa);
        QCOMPARE(errore.file(), file);
    }
}

// libjpeg decodes what it can of a damaged file and only reports the damage: the report
// refuses the picture, where its end marker stands does not matter.
void TestImmaginiSuoni::jpegGiudicatoDalDecodificatore_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<bool>("valida");
    const QByteArray jpeg = jpegDettagliato();
    const qsizetype dati = inizioScansione(jpeg);
    const qsizetype mezzo = dati + (jpeg.size() - 2 - dati) / 2;

    QTest::newRow("intera") << jpeg << true;
    // Phones and cameras write a trailer after the end marker.
    QTest::newRow("coda dopo la fine") << (jpeg + QByteArray(300, 'x')) << true;
    QTest::newRow("coda di zeri dopo la fine") << (jpeg + QByteArray(4096, '\0')) << true;
    // A marker in the middle of the scan: "premature end of data segment", grey below it.
    QByteArray interrotta = jpeg;
    interrotta.insert(mezzo, QByteArrayLiteral("\xFF\xD9"));
    QTest::newRow("segmento interrotto") << interrotta << false;
    // All ones is no Huffman code: "bad Huffman code", noise after it.
    QByteArray huffman = jpeg;
    for (int i = 0; i < 32; ++i)
        huffman.replace(mezzo + 2 * i, 2, QByteArrayLiteral("\xFF\x00"));
    QTest::newRow("codice di Huffman errato") << huffman << false;
    QTest::newRow("troncata, con la fine posticcia")
        << (jpeg.left(mezzo) + QByteArrayLiteral("\xFF\xD9")) << false;
}

void TestImmaginiSuoni::jpegGiudicatoDalDecodificatore()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, valida);
    QTemporaryDir cartella;
    const QString file = cartella.filePath(QStringLiteral("7.jpg"));
    scrivi(file, contenuto);
    try {
        const QImage immagine = caricaImmagine(file, QSize(40, 30));
        QVERIFY2(valida, "a damaged picture was accepted");
        QCOMPARE(immagine.size(), QSize(40, 30));
        // Decoded whole: the same pixels as the picture without its trailer.
        const QString intera = cartella.filePath(QStringLiteral("intera.jpg"));
        scrivi(intera, jpegDettagliato());
        QCOMPARE(immagine, caricaImmagine(intera, QSize(40, 30)));
    } catch (const ErroreCartavia &errore) {
        QVERIFY2(!valida, "a whole picture was refused");
        QCOMPARE(errore.causa(), QStringLiteral("Immagine non valida"));
        QCOMPARE(errore.file(), file);
    }
}

void TestImmaginiSuoni::immagineRidotta()
{
    CartellaProgramma cartella;
    const QImage piena = caricaImmagine(cartella.percorso() + QStringLiteral("/jpg/1.jpg"));
    QCOMPARE(piena.size(), QSize(24, 24));
    const QImage ridotta = caricaImmagine(cartella.percorso() + QStringLiteral("/jpg/1.jpg"), QSize(12, 10));
    QCOMPARE(ridotta.size(), QSize(12, 10));
}

void TestImmaginiSuoni::immagineNelRiquadro()
{
    CartellaProgramma cartella;
    Immagine riquadro;
    riquadro.resize(100, 80);
    riquadro.setBordo(true);
    riquadro.carica(cartella.percorso() + QStringLiteral("/jpg/2.jpg"));
    // Decoded at the size shown inside the border, for the screen's pixel ratio.
    QCOMPARE(riquadro.immagine().size(), QSize(98, 78) * riquadro.devicePixelRatioF());
    QVERIFY_THROWS_EXCEPTION(ErroreCartavia, riquadro.carica(cartella.percorso() + QStringLiteral("/jpg/999.jpg")));
    // A failed load keeps the picture on show.
    QVERIFY(riquadro.file().endsWith(QStringLiteral("/jpg/2.jpg")));
}

void TestImmaginiSuoni::immaginiInsieme_data()
{
    QTest::addColumn<QList<int>>("mancanti");
    QTest::addColumn<int>("nominata"); // the picture the failure names, 0 for none
    QTest::newRow("tutte") << QList<int>{} << 0;
    QTest::newRow("l'ultima") << QList<int>{16} << 16;
    QTest::newRow("la prima di due") << QList<int>{13, 15} << 13;
    QTest::newRow("la prima di tutte") << QList<int>{16, 11} << 11;
}

// Read together, the pictures come back in the order asked, and a failure is the one that
// reading them in turn would have met first, thrown to the caller: waited for at once
// (caricaImmagini) or read while the caller goes on (LetturaImmagini, as the splash does).
void TestImmaginiSuoni::immaginiInsieme()
{
    QFETCH(QList<int>, mancanti);
    QFETCH(int, nominata);
    CartellaProgramma cartella;
    for (int n : mancanti)
        cartella.rimuovi(QStringLiteral("jpg/%1.jpg").arg(n));

    std::vector<RichiestaImmagine> richieste;
    for (int n = 11; n <= 16; ++n)
        richieste.push_back({cartella.percorso() + QStringLiteral("/jpg/%1.jpg").arg(n), QSize(8, 6)});
    const std::function<std::vector<QImage>()> modi[] = {
        [&] { return caricaImmagini(richieste); },
        [&] { return LetturaImmagini(richieste).risultato(); },
    };
    for (const auto &leggi : modi) {
        try {
            const std::vector<QImage> immagini = leggi();
            QCOMPARE(nominata, 0);
            QCOMPARE(immagini.size(), richieste.size());
            for (int i = 0; i < 6; ++i) {
                QCOMPARE(immagini[i].size(), QSize(8, 6));
                const QColor colore = immagini[i].pixelColor(4, 3);
                QVERIFY(qAbs(colore.hue() - CartellaProgramma::colore(11 + i).hue()) <= 3);
            }
        } catch (const ErroreCartavia &errore) {
            QVERIFY(nominata != 0);
            QVERIFY2(errore.file().endsWith(QStringLiteral("/jpg/%1.jpg").arg(nominata)), qPrintable(errore.file()));
        }
    }
}

void TestImmaginiSuoni::suoniSenzaCartella()
{
    QFETCH(QString, cartellaModulo);
    QFETCH(bool, lettoreReale);
    CartellaProgramma cartella; // has no folder suoni
    SuoniQt suoni(cartella.percorso(), cartellaModulo);
    QElapsedTimer orologio;
    orologio.start();
    suoni.suona(cartella.percorso() + QStringLiteral("/suoni/si1.wav"));
    suoni.suona(cartella.percorso() + QStringLiteral("/suoni/no.wav"));
    QVERIFY(orologio.elapsed() < 2000); // plays the default sound, waits for nothing
    QCOMPARE(suoni.carica(), lettoreReale);
}

void TestImmaginiSuoni::suoniSenzaCartella_data()
{
    QTest::addColumn<QString>("cartellaModulo");
    QTest::addColumn<bool>("lettoreReale");
    // The module built beside the executable: the real player.
    QTest::newRow("modulo") << QStringLiteral(CARTAVIA_PROGRAMMA) << true;
    // No module: every sound is the default sound.
    QTest::newRow("senza modulo") << QDir::tempPath() + QStringLiteral("/cartavia-nessun-modulo") << false;
}

QTEST_MAIN(TestImmaginiSuoni)
#include "tst_immagini_suoni.moc"
