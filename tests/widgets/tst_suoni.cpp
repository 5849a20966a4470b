// The sound player's WAV reader: what it plays and what it refuses (and so gives the default
// sound for), including files that would make a plain open() wait forever.
#include "widgets/SuoniEffetti.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <sys/stat.h>

using namespace cartavia;

namespace {

QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// A WAV file: `tag` 1 PCM, 3 float, 0xFFFE extensible (PCM sub-format); `extra` chunks go
// between "fmt " and "data"; `dichiarati` overrides the data chunk's stated length.
QByteArray wav(quint16 tag, quint16 canali, quint32 frequenza, quint16 bit, const QByteArray &dati,
               const QByteArray &extra = {}, qint64 dichiarati = -1)
{
    const quint16 byteFrame = canali * bit / 8;
    QByteArray fmt = le16(tag) + le16(canali) + le32(frequenza) + le32(frequenza * byteFrame)
                     + le16(byteFrame) + le16(bit);
    if (tag == 0xFFFE)
        fmt += le16(22) + le16(bit) + le32(0) + le16(1) + QByteArray(14, '\x11');
    QByteArray corpo = "WAVE" + QByteArray("fmt ") + le32(fmt.size()) + fmt + extra + "data"
                       + le32(dichiarati < 0 ? dati.size() : quint32(dichiarati)) + dati;
    return "RIFF" + le32(corpo.size()) + corpo;
}

} // namespace

class TestSuoni : public QObject
{
    Q_OBJECT
private slots:
    void decodifica_data();
    void decodifica();
};

void TestSuoni::decodifica_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("tipo"); // how the file is made: "file", "link", "fifo", ...
    QTest::addColumn<bool>("valido");
    QTest::addColumn<int>("formato");
    QTest::addColumn<int>("canali");
    QTest::addColumn<int>("frequenza");
    QTest::addColumn<int>("byte");

    const QByteArray mezzoSecondo(22050, '\x05');
    QTest::newRow("16 bit mono") << wav(1, 1, 22050, 16, mezzoSecondo) << "file" << true
                                 << int(PA_SAMPLE_S16LE) << 1 << 22050 << 22050;
    QTest::newRow("8 bit stereo") << wav(1, 2, 8000, 8, QByteArray(800, '\x80')) << "file" << true
                                  << int(PA_SAMPLE_U8) << 2 << 8000 << 800;
    QTest::newRow("float") << wav(3, 1, 44100, 32, QByteArray(400, '\0')) << "file" << true
                           << int(PA_SAMPLE_FLOAT32LE) << 1 << 44100 << 400;
    QTest::newRow("extensible 32 bit") << wav(0xFFFE, 2, 48000, 32, QByteArray(800, '\1')) << "file" << true
                                       << int(PA_SAMPLE_S32LE) << 2 << 48000 << 800;
    // An odd-length chunk before the data is padded to an even length.
    QTest::newRow("chunk dispari") << wav(1, 1, 22050, 16, QByteArray(100, '\2'), "LIST" + le32(3) + QByteArrayLiteral("abc\0"))
                                   << "file" << true << int(PA_SAMPLE_S16LE) << 1 << 22050 << 100;
    // Cut short: what is there is played, down to whole frames.
    QTest::newRow("troncato") << wav(1, 2, 22050, 16, QByteArray(1001, '\3'), {}, 4000) << "file" << true
                              << int(PA_SAMPLE_S16LE) << 2 << 22050 << 1000;
    QTest::newRow("attraverso un link") << wav(1, 1, 22050, 16, mezzoSecondo) << "link" << true
                                        << int(PA_SAMPLE_S16LE) << 1 << 22050 << 22050;

    QTest::newRow("24 bit") << wav(1, 1, 22050, 24, QByteArray(300, '\0')) << "file" << false << 0 << 0 << 0 << 0;
    QTest::newRow("MP3 in un WAV") << wav(0x55, 1, 22050, 16, QByteArray(300, '\0')) << "file" << false
                                   << 0 << 0 << 0 << 0;
    QTest::newRow("senza campioni") << wav(1, 1, 22050, 16, {}) << "file" << false << 0 << 0 << 0 << 0;
    QTest::newRow("senza fmt") << QByteArrayLiteral("RIFF\x10\0\0\0WAVEdata\2\0\0\0\0\0") << "file" << false
                               << 0 << 0 << 0 << 0;
    QTest::newRow("testo") << QByteArray("non sono un suono\n") << "file" << false << 0 << 0 << 0 << 0;
    QTest::newRow("vuoto") << QByteArray() << "file" << false << 0 << 0 << 0 << 0;
    QTest::newRow("mancante") << QByteArray() << "nessuno" << false << 0 << 0 << 0 << 0;
    QTest::newRow("cartella") << QByteArray() << "cartella" << false << 0 << 0 << 0 << 0;
    // Opening a named pipe for reading waits for a writer that never comes.
    QTest::newRow("named pipe") << QByteArray() << "fifo" << false << 0 << 0 << 0 << 0;
    QTest::newRow("link a un named pipe") << QByteArray() << "link fifo" << false << 0 << 0 << 0 << 0;
    QTest::newRow("dispositivo") << QByteArray() << "/dev/zero" << false << 0 << 0 << 0 << 0;
}

void TestSuoni::decodifica()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, tipo);
    QFETCH(bool, valido);
    QTemporaryDir cartella;
    const QString file = cartella.filePath(QStringLiteral("no.wav"));
    const QString vero = cartella.filePath(QStringLiteral("vero"));
    if (tipo == QLatin1String("file")) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenuto);
    } else if (tipo == QLatin1String("link")) {
        QFile f(vero);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenuto);
        f.close();
        QVERIFY(QFile::link(vero, file));
    } else if (tipo == QLatin1String("cartella")) {
        QVERIFY(QDir(cartella.path()).mkdir(QStringLiteral("no.wav")));
    } else if (tipo == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
    } else if (tipo == QLatin1String("link fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(vero).constData(), 0644), 0);
        QVERIFY(QFile::link(vero, file));
    } else if (tipo.startsWith(QLatin1Char('/'))) {
        QVERIFY(QFile::link(tipo, file));
    }

    SuonoDecodificato suono;
    QCOMPARE(decodificaWav(file, suono), valido);
    if (!valido)
        return;
    QFETCH(int, formato);
    QFETCH(int, canali);
    QFETCH(int, frequenza);
    QFETCH(int, byte);
    QCOMPARE(int(suono.formato.format), formato);
    QCOMPARE(int(suono.formato.channels), canali);
    QCOMPARE(int(suono.formato.rate), frequenza);
    QCOMPARE(suono.campioni.size(), byte);
    QCOMPARE(suono.campioni, contenuto.mid(contenuto.indexOf("data") + 8, byte));
}

QTEST_GUILESS_MAIN(TestSuoni)
#include "tst_suoni.moc"
