#include "logic/Catalogo.h"
#include "logic/Errore.h"
#include "logic/Stato.h"
#include "Ambiente.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace cartavia;

namespace {
// One line per sign, "voce 1" .. "voce n", joined by `fine`.
QByteArray righe(int n, const QByteArray &fine = "\r\n", bool ultimaFine = true)
{
    QByteArray testo;
    for (int i = 1; i <= n; ++i) {
        testo += "voce " + QByteArray::number(i);
        if (i < n || ultimaFine)
            testo += fine;
    }
    return testo;
}

QStringList leggi(const QByteArray &byte)
{
    QBuffer buffer;
    buffer.setData(byte);
    buffer.open(QIODevice::ReadOnly);
    return leggiCatalogo(buffer, QStringLiteral("/prova/lista.txt"));
}
}

class TestCatalogo : public QObject
{
    Q_OBJECT
private slots:
    void campi_data();
    void campi();
    void codifica_data();
    void codifica();
    void rifiutato_data();
    void rifiutato();
    void caratteriDiControllo_data();
    void caratteriDiControllo();
    void nonLeggeOltreLaVoce144();
    void fileMancante();
    void nonFileRegolare_data();
    void nonFileRegolare();
    void daCartellaProgramma();
};

void TestCatalogo::campi_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("144 righe senza a capo finale") << righe(144, "\r\n", false) << 144 << "voce 144";
    QTest::newRow("150 righe: le ultime ignorate") << righe(150) << 144 << "voce 144";
    QTest::newRow("solo LF") << righe(144, "\n") << 144 << "voce 144";
    QTest::newRow("solo CR") << righe(144, "\r") << 144 << "voce 144";
    QTest::newRow("virgolette con virgola")
        << ("\"Doppia curva, la prima a destra\"\r\n" + righe(143)) << 1
        << "Doppia curva, la prima a destra";
    QTest::newRow("virgolette: resto della riga saltato")
        << ("\"Dosso\" scarto\r\n" + righe(143)) << 2 << "voce 1";
    QTest::newRow("virgolette seguite da virgola")
        << ("\"a\",\"b\"\r\n" + righe(142)) << 2 << "b";
    // An unquoted comma splits the line: every later text moves up by one.
    QTest::newRow("virgola senza virgolette: prima parte") << ("uno, due\r\n" + righe(143)) << 1 << "uno";
    QTest::newRow("virgola senza virgolette: seconda parte") << ("uno, due\r\n" + righe(143)) << 2 << "due";
    QTest::newRow("virgola senza virgolette: spostamento") << ("uno, due\r\n" + righe(143)) << 144 << "voce 142";
    QTest::newRow("riga vuota: voce vuota") << ("a\r\n\r\n" + righe(143)) << 2 << "";
    QTest::newRow("riga vuota: spostamento") << ("a\r\n\r\n" + righe(143)) << 3 << "voce 1";
    QTest::newRow("due separatori di fila") << ("a,,b\r\n" + righe(142)) << 2 << "";
    QTest::newRow("spazi prima del campo") << ("   \tDosso\r\n" + righe(143)) << 1 << "Dosso";
    QTest::newRow("spazi dopo il campo") << ("Dosso   \r\n" + righe(143)) << 1 << "Dosso";
    QTest::newRow("spazi dentro le virgolette") << ("\" Dosso \"\r\n" + righe(143)) << 1 << " Dosso ";
    QTest::newRow("virgolette senza chiusura in fondo")
        << (righe(143) + "\"aperta, mai chiusa") << 144 << "aperta, mai chiusa";
    QTest::newRow("voce 0 vuota") << righe(144) << 0 << "";
    QTest::newRow("voce lunga quanto il massimo")
        << (QByteArray(LunghezzaMassimaVoce, 'y') + "\r\n" + righe(143)) << 1 << QString(LunghezzaMassimaVoce, 'y');
    // 0x1A, the DOS end-of-file mark, ends the text wherever it stands.
    QTest::newRow("fine DOS dopo l'ultima voce")
        << (righe(143) + "ultima\x1A,\x01\x02 mai letta") << 144 << "ultima";
    QTest::newRow("fine DOS tra virgolette")
        << (righe(143) + "\"aperta\x1A\" mai letta") << 144 << "aperta";
    // A UTF-8 sequence cut at the very end: the file is no UTF-8.
    QTest::newRow("UTF-8 spezzato nell'ultima voce")
        << ("Velocit\xC3\xA0\r\n" + righe(142) + "voce\xC3") << 1 << QStringLiteral("VelocitÃ\u00A0");
}

void TestCatalogo::campi()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(int, indice);
    QFETCH(QString, atteso);

    const QStringList lista = leggi(contenuto);
    QCOMPARE(lista.size(), NumeroSegnali + 1);
    QCOMPARE(lista.at(indice), atteso);
}

void TestCatalogo::codifica_data()
{
    QTest::addColumn<QByteArray>("primaRiga");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("Windows-1252: lettera accentata") << QByteArray("Velocit\xE0") << QStringLiteral("Velocità");
    QTest::newRow("Windows-1252: euro e virgolette") << QByteArray("\x80 \x93x\x94") << QStringLiteral("€ “x”");
    QTest::newRow("Windows-1252: codice non assegnato") << QByteArray("a\x81") << QStringLiteral("a\u0081");
    QTest::newRow("UTF-8 senza BOM") << QByteArray("Velocit\xC3\xA0") << QStringLiteral("Velocità");
    QTest::newRow("UTF-8 con BOM") << QByteArray("\xEF\xBB\xBFVelocit\xC3\xA0") << QStringLiteral("Velocità");
    QTest::newRow("BOM e testo ASCII") << QByteArray("\xEF\xBB\xBF\"a, b\"") << QStringLiteral("a, b");
    // Bytes that are no valid UTF-8 sequence: the file is Windows-1252 throughout.
    QTest::newRow("UTF-8 non valido") << QByteArray("\xC3\xA0 \xE0") << QStringLiteral("Ã\u00A0 à");
    // The mark promises UTF-8 but the text after it is Windows-1252.
    QTest::newRow("BOM e Windows-1252")
        << QByteArray("\xEF\xBB\xBF\"pi\xF9 di 3,5 m\"") << QStringLiteral("più di 3,5 m");
}

void TestCatalogo::codifica()
{
    QFETCH(QByteArray, primaRiga);
    QFETCH(QString, atteso);

    const QStringList lista = leggi(primaRiga + "\r\n" + righe(143));
    QCOMPARE(lista.at(1), atteso);
    QCOMPARE(lista.at(144), QStringLiteral("voce 143"));
}

void TestCatalogo::rifiutato_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("causa");
    const QString corto = QStringLiteral("Input oltre la fine del file");
    QTest::newRow("vuoto") << QByteArray() << corto;
    QTest::newRow("143 righe") << righe(143) << corto;
    QTest::newRow("143 righe e spazi") << (righe(143) + "   ") << corto;
    QTest::newRow("solo BOM") << QByteArray("\xEF\xBB\xBF") << corto;
    QTest::newRow("fine DOS prima della voce 144") << (righe(143) + "\x1A" + righe(5)) << corto;
    // Never closed: the rest of the file is the text of entry 100.
    QTest::newRow("virgolette aperte alla voce 100") << (righe(99) + "\"voce 100\r\n" + righe(44)) << corto;
    QTest::newRow("voce 11 troppo lunga")
        << (righe(10) + QByteArray(LunghezzaMassimaVoce + 1, 'x') + "\r\n" + righe(140))
        << QStringLiteral("Voce 11 del catalogo troppo lunga");
    // Printable bytes and no separator: one endless first entry.
    QTest::newRow("nessun separatore") << QByteArray(64 * 1024, 'k')
                                       << QStringLiteral("Voce 1 del catalogo troppo lunga");
}

void TestCatalogo::rifiutato()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, causa);
    try {
        leggi(contenuto);
        QFAIL("a bad catalogue was accepted");
    } catch (const ErroreCartavia &errore) {
        QCOMPARE(errore.causa(), causa);
        QCOMPARE(errore.file(), QStringLiteral("/prova/lista.txt"));
    }
}

void TestCatalogo::caratteriDiControllo_data()
{
    QTest::addColumn<QByteArray>("voce");
    QTest::addColumn<bool>("accettata");
    QTest::newRow("NUL") << QByteArray("a\0b", 3) << false;
    QTest::newRow("ESC") << QByteArray("a\x1B") << false;
    QTest::newRow("DEL") << QByteArray("\x7F") << false;
    QTest::newRow("tra virgolette") << QByteArray("\"a\x01\"") << false;
    QTest::newRow("tabulazione") << QByteArray("a\tb") << true;
    QTest::newRow("a capo tra virgolette") << QByteArray("\"a\r\nb\"") << true;
    QTest::newRow("dopo le virgolette, mai letto") << QByteArray("\"a\" \x01") << true;
}

void TestCatalogo::caratteriDiControllo()
{
    QFETCH(QByteArray, voce);
    QFETCH(bool, accettata);
    const QByteArray contenuto = righe(9) + voce + "\r\n" + righe(134);
    if (accettata) {
        QCOMPARE(leggi(contenuto).size(), NumeroSegnali + 1);
        return;
    }
    try {
        leggi(contenuto);
        QFAIL("a control character was accepted");
    } catch (const ErroreCartavia &errore) {
        QCOMPARE(errore.causa(), QStringLiteral("Carattere non valido nella voce 10 del catalogo"));
    }
}

void TestCatalogo::nonLeggeOltreLaVoce144()
{
    QBuffer buffer;
    buffer.setData(righe(144) + QByteArray(1 << 20, '\xFF'));
    buffer.open(QIODevice::ReadOnly);
    leggiCatalogo(buffer, QString());
    QVERIFY(buffer.pos() < 4096);
}

void TestCatalogo::fileMancante()
{
    CartellaProgramma cartella;
    cartella.rimuovi(QStringLiteral("lista.txt"));
    try {
        caricaCatalogo(cartella.percorso());
        QFAIL("a missing catalogue was accepted");
    } catch (const ErroreCartavia &errore) {
        QCOMPARE(errore.causa(), QStringLiteral("File non trovato"));
        QCOMPARE(errore.file(), cartella.percorso() + QStringLiteral("/lista.txt"));
        QVERIFY(errore.testo().contains(QDir::toNativeSeparators(errore.file())));
    }
}

void TestCatalogo::nonFileRegolare_data()
{
    QTest::addColumn<QString>("tipo");
    QTest::newRow("cartella") << "cartella";
    // Nobody writes to the pipe: opening it to read would wait for ever.
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("collegamento a una pipe") << "collegamento";
}

void TestCatalogo::nonFileRegolare()
{
    QFETCH(QString, tipo);
    CartellaProgramma cartella;
    cartella.rimuovi(QStringLiteral("lista.txt"));
    const QByteArray lista = QFile::encodeName(cartella.percorso() + QStringLiteral("/lista.txt"));
    const QByteArray pipe = QFile::encodeName(cartella.percorso() + QStringLiteral("/pipe"));
    if (tipo == QLatin1String("cartella")) {
        QVERIFY(QDir(cartella.percorso()).mkdir(QStringLiteral("lista.txt")));
    } else if (tipo == QLatin1String("pipe")) {
        QCOMPARE(mkfifo(lista.constData(), 0600), 0);
    } else {
        QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
        QCOMPARE(symlink(pipe.constData(), lista.constData()), 0);
    }
    try {
        caricaCatalogo(cartella.percorso());
        QFAIL("something other than a file was read as the catalogue");
    } catch (const ErroreCartavia &errore) {
        QCOMPARE(errore.causa(), QStringLiteral("Impossibile leggere il file"));
        QCOMPARE(errore.file(), cartella.percorso() + QStringLiteral("/lista.txt"));
    }
}

void TestCatalogo::daCartellaProgramma()
{
    CartellaProgramma cartella;
    const QStringList lista = caricaCatalogo(cartella.percorso());
    QCOMPARE(lista.at(1), QStringLiteral("Segnale 1"));
    QCOMPARE(lista.at(144), QStringLiteral("Segnale 144"));
}

QTEST_GUILESS_MAIN(TestCatalogo)
#include "tst_catalogo.moc"
