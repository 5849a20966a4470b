// Start-up, the splash screen and the main menu, driven like a pupil would.
#include "app/Applicazione.h"
#include "widgets/Aspetto.h"
#include "widgets/Twips.h"
#include "app/Navigazione.h"
#include "logic/Protezione.h"
#include "screens/FormAvvio.h"
#include "screens/FormMenu.h"
#include "Ambiente.h"
#include "Finestre.h"
#include "widgets/Etichetta.h"
#include "widgets/Immagine.h"
#include "widgets/PulsanteGrafico.h"

#include "logic/Percorsi.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace cartavia;

namespace {
template <class Finestra>
Finestra *unicaFinestra()
{
    const QList<QWidget *> aperte = finestreAperte();
    if (aperte.size() != 1)
        return nullptr;
    return qobject_cast<Finestra *>(aperte.first());
}

// The colour at the centre of a picture box, as it was decoded.
QColor centro(const Immagine *immagine)
{
    const QImage &img = immagine->immagine();
    return img.pixelColor(img.width() / 2, img.height() / 2);
}

bool simili(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12
        && qAbs(a.blue() - b.blue()) < 12;
}
}

class TestAvvio : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { chiudiTutto(); }
    void avvio();
    void avvioSenzaCatalogo();
    void avvioSenzaImmagine();
    void avvioAnticipato_data();
    void avvioAnticipato();
    void clicSullAvvio_data();
    void clicSullAvvio();
    void avvioDaTastiera_data();
    void avvioDaTastiera();
    void menu();
    void menuOrdineTab();
    void menuFrecce();
    void letturaAdAltaVoce();
    void menuInformazioni();
    void menuEsci_data();
    void menuEsci();
    void ritornoAlMenuNuovoColore();
};

void TestAvvio::avvio()
{
    Ambiente a;
    a.stato = Stato();
    a.stato.PrimoSegnale = 5;
    a.casuale.aggiungi({2.5f / 18, 0.0f, 0.9999f, 11.5f / 144, 11.5f / 144});
    avviaProgramma(a.contesto);

    QCOMPARE(a.casuale.estratti(), 5);
    QCOMPARE(a.stato.PrimoSegnale, qint16(1));
    QCOMPARE(a.stato.UltimoSegnale, qint16(144));
    QCOMPARE(a.stato.NumeroEsatti, qint16(0));
    QCOMPARE(a.stato.NumeroErrati, qint16(0));
    QCOMPARE(a.stato.ListaSegnali.at(0), QString());
    QCOMPARE(a.stato.ListaSegnali.at(144), QStringLiteral("Segnale 144"));
    QCOMPARE(a.stato.SegnaleCorrente, qint16(12));

    auto *avvio = unicaFinestra<FormAvvio>();
    QVERIFY(avvio);
    QCOMPARE(avvio->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(sfondo(avvio), ColoreVB(0x0000FF));
    const int attesi[4] = {1, 144, 12, 12};
    for (int i = 0; i < 4; ++i) {
        QVERIFY(controllo<Immagine>(*avvio, "Image1", i)->file().endsWith(QStringLiteral("/jpg/%1.jpg").arg(attesi[i])));
        QVERIFY(simili(centro(controllo<Immagine>(*avvio, "Image1", i)), CartellaProgramma::colore(attesi[i])));
    }
    QCOMPARE(controllo<Immagine>(*avvio, "Image1", 2)->geometry(), tw(3240, 3600, 2295, 2175));
    QCOMPARE(controllo<Etichetta>(*avvio, "Label1")->text(), QStringLiteral("cartavia"));
    QCOMPARE(controllo<Etichetta>(*avvio, "Label1")->font().pointSizeF(), 48.0);
    QVERIFY(controllo<Etichetta>(*avvio, "Label1")->font().bold());
    QCOMPARE(avvio->size(), twSize(10605, 9120));
}

void TestAvvio::avvioSenzaCatalogo()
{
    Ambiente a;
    a.cartella.rimuovi(QStringLiteral("lista.txt"));
    QVERIFY(!eseguiProtetto(a.contesto, [&] { avviaProgramma(a.contesto); }));
    QCOMPARE(a.codiceUscita, std::optional<int>(1));
    QCOMPARE(a.dialoghi.mostrati.size(), 1);
    QVERIFY(a.dialoghi.mostrati.first().first.startsWith(QStringLiteral("File non trovato")));
    QVERIFY(a.dialoghi.mostrati.first().first.contains(QStringLiteral("lista.txt")));
    QVERIFY(finestreAperte().isEmpty());
}

void TestAvvio::avvioSenzaImmagine()
{
    Ambiente a;
    a.cartella.rimuovi(QStringLiteral("jpg/73.jpg"));
    a.casuale.aggiungi({0.0f, 0.0f, 72.5f / 144});
    try {
        avviaProgramma(a.contesto);
        QFAIL("the splash opened without its picture");
    } catch (const ErroreCartavia &errore) {
        QCOMPARE(errore.causa(), QStringLiteral("File non trovato"));
        QVERIFY(errore.file().endsWith(QStringLiteral("/jpg/73.jpg")));
    }
    QVERIFY(finestreAperte().isEmpty());
}

// The splash's draw and pictures made before the window: the pictures are handed over only
// when they are the very files and sizes asked for; the window keeps the draw either way.
void TestAvvio::avvioAnticipato_data()
{
    QTest::addColumn<bool>("cartellaVuota"); // read ahead from a folder with no pictures
    QTest::addColumn<int>("fattore");        // the size asked for, times the natural one
    QTest::newRow("stessi file e dimensioni") << false << 1;
    QTest::newRow("altre dimensioni") << false << 2;
    QTest::newRow("immagini mancanti") << true << 1;
}

void TestAvvio::avvioAnticipato()
{
    QFETCH(bool, cartellaVuota);
    QFETCH(int, fattore);
    Ambiente a;
    QTemporaryDir vuota;
    a.casuale.aggiungi({2.5f / 18, 0.0f, 0.9999f, 11.5f / 144, 11.5f / 144});
    AvvioAnticipato anticipo(cartellaVuota ? vuota.path() : a.cartella.percorso(), a.casuale, a.stato);
    QCOMPARE(a.casuale.estratti(), 5);
    QCOMPARE(a.stato.SegnaleCorrente, qint16(12));

    const int attesi[4] = {1, 144, 12, 12};
    std::vector<RichiestaImmagine> richieste;
    for (int n : attesi)
        richieste.push_back({fileImmagine(a.cartella.percorso(), n), twSize(2295, 2175) * fattore});
    const std::vector<QImage> immagini = anticipo.immagini(richieste);
    QCOMPARE(immagini.empty(), cartellaVuota || fattore != 1);
    for (std::size_t i = 0; i < immagini.size(); ++i) {
        QCOMPARE(immagini[i].size(), twSize(2295, 2175));
        const QImage &img = immagini[i];
        QVERIFY(simili(img.pixelColor(img.width() / 2, img.height() / 2), CartellaProgramma::colore(attesi[i])));
    }

    avviaProgramma(a.contesto, &anticipo);
    QCOMPARE(a.casuale.estratti(), 5);
    auto *avvio = unicaFinestra<FormAvvio>();
    QVERIFY(avvio);
    QCOMPARE(sfondo(avvio), ColoreVB(0x0000FF));
    for (int i = 0; i < 4; ++i)
        QVERIFY(simili(centro(controllo<Immagine>(*avvio, "Image1", i)), CartellaProgramma::colore(attesi[i])));
}

void TestAvvio::clicSullAvvio_data()
{
    QTest::addColumn<QString>("dove");
    QTest::newRow("sfondo") << "sfondo";
    QTest::newRow("immagine 2") << "immagine";
    QTest::newRow("titolo") << "titolo";
}

void TestAvvio::clicSullAvvio()
{
    QFETCH(QString, dove);
    Ambiente a;
    avviaProgramma(a.contesto);
    auto *avvio = unicaFinestra<FormAvvio>();
    QVERIFY(avvio);
    QPointer<FormAvvio> guardia(avvio);

    if (dove == QLatin1String("sfondo"))
        QTest::mouseClick(avvio, Qt::LeftButton, {}, QPoint(tw(10000), tw(8500)));
    else if (dove == QLatin1String("immagine"))
        QTest::mouseClick(controllo<Immagine>(*avvio, "Image1", 2), Qt::LeftButton);
    else
        QTest::mouseClick(controllo<Etichetta>(*avvio, "Label1"), Qt::LeftButton);

    QVERIFY(unicaFinestra<FormMenu>());
    QVERIFY(guardia.isNull());
}

// Return, Enter and Space are the keyboard's click, for a pupil who cannot click; other keys
// leave the splash where it is.
void TestAvvio::avvioDaTastiera_data()
{
    QTest::addColumn<int>("tasto");
    QTest::addColumn<bool>("menu");
    QTest::newRow("invio") << int(Qt::Key_Return) << true;
    QTest::newRow("invio del tastierino") << int(Qt::Key_Enter) << true;
    QTest::newRow("spazio") << int(Qt::Key_Space) << true;
    QTest::newRow("esc") << int(Qt::Key_Escape) << false;
    QTest::newRow("a") << int(Qt::Key_A) << false;
}

void TestAvvio::avvioDaTastiera()
{
    QFETCH(int, tasto);
    QFETCH(bool, menu);
    Ambiente a;
    avviaProgramma(a.contesto);
    auto *avvio = unicaFinestra<FormAvvio>();
    QVERIFY(avvio);
    QTest::keyClick(avvio, Qt::Key(tasto));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(unicaFinestra<FormMenu>() != nullptr, menu);
    QCOMPARE(unicaFinestra<FormAvvio>() != nullptr, !menu);
}

void TestAvvio::menu()
{
    Ambiente a;
    a.casuale.aggiungi(16.5f / 18);
    FormMenu menu(a.contesto);
    QCOMPARE(a.casuale.estratti(), 1);
    QCOMPARE(sfondo(&menu), ColoreVB(0xFF0000));
    QCOMPARE(menu.windowTitle(), QStringLiteral("Form2"));
    QCOMPARE(menu.size(), twSize(10140, 7470));

    struct Atteso { PulsanteGrafico *pulsante; const char *testo; QRect posto; qreal punti; bool grassetto; };
    const Atteso attesi[] = {
        {controllo<PulsanteGrafico>(menu, "Command1"), "definire il segnale", tw(240, 105, 4425, 1600), 18, true},
        {controllo<PulsanteGrafico>(menu, "Command2"), "abbinare segnale e definizione", tw(4920, 120, 4425, 1600), 18, true},
        {controllo<PulsanteGrafico>(menu, "Command3D1"), "riconoscere il segnale", tw(240, 1800, 4425, 1600), 18, true},
        {controllo<PulsanteGrafico>(menu, "Command3"), "gioca con i segnali", tw(4920, 1800, 4425, 1600), 18, true},
        {controllo<PulsanteGrafico>(menu, "Command3D6"), "Informazioni", tw(210, 5460, 4470, 1500), 27.75, false},
        {controllo<PulsanteGrafico>(menu, "Command3D5"), "Esci", tw(4830, 5460, 4470, 1500), 27.75, false},
    };
    for (const Atteso &atteso : attesi) {
        QCOMPARE(atteso.pulsante->text(), QString::fromUtf8(atteso.testo));
        QCOMPARE(atteso.pulsante->geometry(), atteso.posto);
        QCOMPARE(atteso.pulsante->font().pointSizeF(), atteso.punti);
        QCOMPARE(atteso.pulsante->font().bold(), atteso.grassetto);
        QVERIFY(!atteso.pulsante->icon().isNull());
    }
}

void TestAvvio::menuOrdineTab()
{
    Ambiente a;
    FormMenu menu(a.contesto);
    const QList<QWidget *> attesi = {controllo<PulsanteGrafico>(menu, "Command3D5"), controllo<PulsanteGrafico>(menu, "Command3D6"), controllo<PulsanteGrafico>(menu, "Command1"),
                                     controllo<PulsanteGrafico>(menu, "Command3D1"), controllo<PulsanteGrafico>(menu, "Command2"), controllo<PulsanteGrafico>(menu, "Command3")};
    QWidget *w = controllo<PulsanteGrafico>(menu, "Command3D5");
    for (int i = 1; i < attesi.size(); ++i) {
        do
            w = w->nextInFocusChain();
        while (!attesi.contains(w));
        QCOMPARE(w, attesi[i]);
    }
}

// The arrows go the way they point, by the buttons' places (of two as near, the first in
// reading order; none that way, none); Tab keeps its order.
void TestAvvio::menuFrecce()
{
    const struct { const char *da; Qt::Key tasto; const char *a; } casi[] = {
        {"Command1", Qt::Key_Right, "Command2"},        {"Command1", Qt::Key_Down, "Command3D1"},
        {"Command3D1", Qt::Key_Down, "CommandEsame"},   {"CommandEsame", Qt::Key_Up, "Command3D1"},
        {"Command3", Qt::Key_Left, "Command3D1"},       {"Command3D5", Qt::Key_Up, "CommandEsame"},
        {"CommandEsame", Qt::Key_Down, "Command3D6"}, {"Command2", Qt::Key_Right, "Command2"},
    };
    Ambiente ambiente;
    FormMenu menu(ambiente.contesto);
    for (const auto &caso : casi) {
        controllo<PulsanteGrafico>(menu, caso.da)->setFocus();
        QTest::keyClick(menu.focusWidget(), caso.tasto);
        QCOMPARE(menu.focusWidget()->objectName() + caso.da, QLatin1String(caso.a) + caso.da);
    }
}

// Ctrl+L and the right click read aloud on the splash and the menu too; on the splash a
// right click is a click, that opens the menu and reads nothing.
void TestAvvio::letturaAdAltaVoce()
{
    Ambiente a;
    avviaProgramma(a.contesto);
    auto *avvio = unicaFinestra<FormAvvio>();
    QVERIFY(avvio);
    QTest::keyClick(avvio, Qt::Key_L, Qt::ControlModifier);
    QContextMenuEvent destro(QContextMenuEvent::Mouse, QPoint(tw(10000), tw(8500)), QPoint());
    QCoreApplication::sendEvent(avvio, &destro);
    QTest::mouseClick(avvio, Qt::RightButton, {}, destro.pos());
    auto *menu = unicaFinestra<FormMenu>();
    QVERIFY(menu);
    QTest::keyClick(controllo<PulsanteGrafico>(*menu, "Command1"), Qt::Key_L, Qt::ControlModifier);
    QContextMenuEvent suEsci(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint());
    QCoreApplication::sendEvent(controllo<PulsanteGrafico>(*menu, "Command3D5"), &suEsci);
    QCOMPARE(a.voce.letti, (QStringList{QStringLiteral("cartavia. Fai clic in un punto qualsiasi per andare al menù."),
                                        QStringLiteral("definire il segnale"), QStringLiteral("Esci")}));
}

void TestAvvio::menuInformazioni()
{
    Ambiente a;
    auto *menu = passaA<FormMenu>(nullptr, a.contesto);
    const ColoreVB colore = sfondo(menu);
    QTest::mouseClick(controllo<PulsanteGrafico>(*menu, "Command3D6"), Qt::LeftButton);
    QCOMPARE(a.dialoghi.mostrati.size(), 1);
    QCOMPARE(a.dialoghi.mostrati.first().second, 64);
    QCOMPARE(unicaFinestra<FormMenu>(), menu);
    QCOMPARE(sfondo(menu), colore);
    QVERIFY(!a.codiceUscita);
}

void TestAvvio::menuEsci_data()
{
    QTest::addColumn<int>("risposta");
    QTest::newRow("No") << int(Dialoghi::No);
    QTest::newRow("Sì") << int(Dialoghi::Si);
}

void TestAvvio::menuEsci()
{
    QFETCH(int, risposta);
    Ambiente a;
    auto *menu = passaA<FormMenu>(nullptr, a.contesto);
    const ColoreVB colore = sfondo(menu);
    const int estratti = a.casuale.estratti();
    a.dialoghi.rispondi(risposta);
    QTest::mouseClick(controllo<PulsanteGrafico>(*menu, "Command3D5"), Qt::LeftButton);
    QCOMPARE(a.dialoghi.mostrati.first().first, QStringLiteral("Vuoi uscire dal programma?"));
    if (risposta == Dialoghi::Si) {
        QCOMPARE(a.codiceUscita, std::optional<int>(0));
    } else {
        QVERIFY(!a.codiceUscita);
        QCOMPARE(unicaFinestra<FormMenu>(), menu);
        QCOMPARE(sfondo(menu), colore);
        QCOMPARE(a.casuale.estratti(), estratti); // nothing was built again
    }
}

void TestAvvio::ritornoAlMenuNuovoColore()
{
    Ambiente a;
    a.casuale.aggiungi({0.0f, 17.5f / 18});
    auto *primo = passaA<FormMenu>(nullptr, a.contesto);
    QCOMPARE(sfondo(primo), ColoreVB(0xC0C0FF));
    auto *attivita = new QWidget;
    attivita->show();
    congeda(primo);
    apriSchermata(Schermata::Menu, attivita, a.contesto);
    auto *secondo = unicaFinestra<FormMenu>();
    QVERIFY(secondo);
    QCOMPARE(sfondo(secondo), ColoreVB(0xFF00FF));
}

int main(int argc, char *argv[])
{
    Applicazione app(argc, argv);
    TestAvvio test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_avvio.moc"
