// The shared procedures: colours, sounds, counters, file names and the two dialogs.
#include "logic/Errore.h"
#include "logic/ModuloColoriSuoni.h"
#include "logic/Modulo1.h"
#include "logic/Percorsi.h"
#include "logic/Stato.h"
#include "Ambiente.h"

#include <QSet>
#include <QtTest>

using namespace cartavia;

class TestModulo : public QObject
{
    Q_OBJECT
private slots:
    void coloreCasuale_data();
    void coloreCasuale();
    void coloriDistribuiti();
    void suonaEsatto_data();
    void suonaEsatto();
    void suonaErrato();
    void contatori_data();
    void contatori();
    void testoContatore_data();
    void testoContatore();
    void segnaleFuoriIntervallo();
    void nomiFile();
    void informazioni();
    void uscita_data();
    void uscita();
    void ritornoMenu();
    void errore();
};

void TestModulo::coloreCasuale_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<uint>("colore");
    QTest::newRow("primo") << 0.0f << 0xC0C0FFu;
    QTest::newRow("ultimo") << 0.9999f << 0xFF00FFu;
    QTest::newRow("14") << 13.5f / 18 << 0xFFC0FFu;
    QTest::newRow("15, uguale al 14") << 14.5f / 18 << 0xFFC0FFu;
    QTest::newRow("16") << 15.5f / 18 << 0xE0E0E0u;
    QTest::newRow("nero mai: 8") << 7.5f / 18 << 0x0040C0u;
}

void TestModulo::coloreCasuale()
{
    QFETCH(float, r);
    QFETCH(uint, colore);
    Ambiente a;
    a.casuale.aggiungi(r);
    QCOMPARE(ColoreCasuale(a.contesto), colore);
    QCOMPARE(a.casuale.estratti(), 1);
}

void TestModulo::coloriDistribuiti()
{
    Ambiente a;
    QHash<ColoreVB, int> conteggi;
    for (int i = 0; i < 18000; ++i)
        ++conteggi[ColoreCasuale(a.contesto)];
    QCOMPARE(conteggi.size(), 17);
    for (auto it = conteggi.cbegin(); it != conteggi.cend(); ++it) {
        const int atteso = it.key() == 0xFFC0FF ? 2000 : 1000;
        QVERIFY2(qAbs(it.value() - atteso) < atteso / 5, qPrintable(QString::number(it.key(), 16)));
    }
}

void TestModulo::suonaEsatto_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("nome");
    QTest::newRow("si1") << 0.0f << "si1.wav";
    QTest::newRow("si2") << 0.25f << "si2.wav";
    QTest::newRow("si3") << 0.74f << "si3.wav";
    QTest::newRow("si4") << 0.9999f << "si4.wav";
}

void TestModulo::suonaEsatto()
{
    QFETCH(float, r);
    QFETCH(QString, nome);
    Ambiente a;
    a.casuale.aggiungi(r);
    SuonaEsatto(a.contesto);
    QCOMPARE(a.suoni.suonati, QStringList{a.cartella.percorso() + QStringLiteral("/suoni/") + nome});
    QCOMPARE(a.casuale.estratti(), 1);
}

void TestModulo::suonaErrato()
{
    Ambiente a;
    SuonaErrato(a.contesto);
    SuonaErrato(a.contesto);
    QCOMPARE(a.suoni.nomi(), (QStringList{QStringLiteral("no.wav"), QStringLiteral("no.wav")}));
    QCOMPARE(a.casuale.estratti(), 0);
}

void TestModulo::contatori_data()
{
    QTest::addColumn<int>("prima");
    QTest::addColumn<int>("dopo");
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("sotto il limite") << 32766 << 32767;
    QTest::newRow("al limite resta") << 32767 << 32767;
}

void TestModulo::contatori()
{
    QFETCH(int, prima);
    QFETCH(int, dopo);
    qint16 contatore = static_cast<qint16>(prima);
    aggiungiUno(contatore);
    QCOMPARE(int(contatore), dopo);
}

void TestModulo::testoContatore_data()
{
    QTest::addColumn<int>("valore");
    QTest::addColumn<QString>("testo");
    QTest::newRow("zero") << 0 << " 0";
    QTest::newRow("dodici") << 12 << " 12";
    QTest::newRow("massimo") << 32767 << " 32767";
    QTest::newRow("negativo") << -3 << "-3";
}

void TestModulo::testoContatore()
{
    QFETCH(int, valore);
    QFETCH(QString, testo);
    QCOMPARE(::testoContatore(valore), testo);
}

void TestModulo::segnaleFuoriIntervallo()
{
    Stato stato;
    QCOMPARE(stato.segnale(0), QString());
    QCOMPARE(stato.segnale(144), QString());
    QVERIFY_THROWS_EXCEPTION(ErroreCartavia, stato.segnale(145));
    QVERIFY_THROWS_EXCEPTION(ErroreCartavia, stato.segnale(-1));
}

void TestModulo::nomiFile()
{
    QCOMPARE(fileImmagine(QStringLiteral("/p"), 12), QStringLiteral("/p/jpg/12.jpg"));
    QCOMPARE(fileImmagine(QStringLiteral("/p"), 7), QStringLiteral("/p/jpg/7.jpg"));
    QCOMPARE(fileImmagine(QStringLiteral("/p"), 144), QStringLiteral("/p/jpg/144.jpg"));
    QCOMPARE(fileCatalogo(QStringLiteral("/p")), QStringLiteral("/p/lista.txt"));
    QCOMPARE(fileSuono(QStringLiteral("/p"), QStringLiteral("no.wav")), QStringLiteral("/p/suoni/no.wav"));
}

void TestModulo::informazioni()
{
    Ambiente a;
    MostraInformazioni(a.contesto);
    QCOMPARE(a.dialoghi.mostrati.size(), 1);
    const auto &[testo, stile] = a.dialoghi.mostrati.first();
    QCOMPARE(stile, 64);
    QVERIFY(!testo.endsWith(QLatin1Char('\n')));
    const QStringList righe = testo.split(QStringLiteral("\r\n"));
    QCOMPARE(righe.size(), 4);
    QCOMPARE(righe[0], QStringLiteral("Orvella  "));
    QCOMPARE(righe[1], QStringLiteral(" ") + QString(23, QLatin1Char('-')) + QStringLiteral(" "));
    QVERIFY(righe[2].startsWith(QStringLiteral("https://")));
    QVERIFY(righe[3].startsWith(QStringLiteral("mail: ")) && righe[3].contains(QLatin1Char('@')));
    QVERIFY(!a.codiceUscita);
}

void TestModulo::uscita_data()
{
    QTest::addColumn<int>("risposta");
    QTest::addColumn<bool>("termina");
    QTest::newRow("Sì") << int(Dialoghi::Si) << true;
    QTest::newRow("No") << int(Dialoghi::No) << false;
}

void TestModulo::uscita()
{
    QFETCH(int, risposta);
    QFETCH(bool, termina);
    Ambiente a;
    a.dialoghi.rispondi(risposta);
    ChiediUscita(a.contesto);
    QCOMPARE(a.dialoghi.mostrati.first().first, QStringLiteral("Vuoi uscire dal programma?"));
    QCOMPARE(a.dialoghi.mostrati.first().second, 36);
    QCOMPARE(bool(a.codiceUscita), termina);
    if (termina)
        QCOMPARE(*a.codiceUscita, 0);
}

void TestModulo::ritornoMenu()
{
    Ambiente a;
    a.dialoghi.rispondi(Dialoghi::Si);
    a.dialoghi.rispondi(Dialoghi::No);
    QVERIFY(chiediRitornoMenu(a.contesto));
    QVERIFY(!chiediRitornoMenu(a.contesto));
    QCOMPARE(a.dialoghi.mostrati.at(0).first, QStringLiteral("Vuoi tornare al menù?"));
    QCOMPARE(a.dialoghi.mostrati.at(0).second, 36);
    QVERIFY(!a.codiceUscita);
}

void TestModulo::errore()
{
    Ambiente a;
    segnalaErrore(a.contesto, ErroreCartavia(QStringLiteral("File non trovato"), QStringLiteral("/p/jpg/9.jpg")));
    QCOMPARE(a.dialoghi.mostrati.size(), 1);
    QVERIFY(a.dialoghi.mostrati.first().first.startsWith(QStringLiteral("File non trovato")));
    QVERIFY(a.dialoghi.mostrati.first().first.contains(QStringLiteral("9.jpg")));
    QCOMPARE(a.codiceUscita, std::optional<int>(1));
}

QTEST_GUILESS_MAIN(TestModulo)
#include "tst_modulo.moc"
