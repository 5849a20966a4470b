#include "screens/quiz/abbinamento/FormSposta.h"

#include "Ambiente.h"
#include "Copioni.h"
#include "Finestre.h"
#include "widgets/Annuncio.h"
#include "widgets/Aspetto.h"
#include "logic/Percorsi.h"
#include "widgets/Twips.h"
#include "logic/quiz/Categorie.h"
#include "logic/Schermata.h"
#include "screens/FormMenu.h"
#include "widgets/Immagine.h"
#include "widgets/PulsanteGrafico.h"

#include <QAction>
#include <QMenuBar>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QtTest>
#include <array>
#include <memory>

using namespace cartavia;

namespace {
// Scripts the draws of one exercise without repeats.
void copione(CasualeScriptato &casuale, int colore, std::array<int, 3> segnali, int p,
             int primo = 1, int ultimo = 144)
{
    casuale.aggiungi(perColore(colore));
    for (int s : segnali)
        casuale.aggiungi(perSegnale(s, primo, ultimo));
    casuale.aggiungi(perDisposizione(p));
}

// Definition `slot` dropped on box `casella`, as the drag machinery hands it over.
bool rilascia(FormSposta &finestra, int casella, int slot)
{
    return rilasciaDefinizione(finestra, casella, slot);
}

// The definition picked up to be placed, -1 for none.
int presa(const FormSposta &finestra)
{
    for (int k = 0; k < SlotAbbinamento; ++k)
        if (controllo<DefinizioneTrascinabile>(finestra, "Label1", k)->presa())
            return k;
    return -1;
}

// How a definition reaches a box: dragged, picked up and placed by keyboard, or by two clicks.
enum class Modo { Trascinamento, Tastiera, DueClic };

// Dark grey pixels of the dotted outline along the top of a label.
int puntiContorno(QWidget *etichetta)
{
    const QImage immagine = etichetta->grab().toImage();
    int punti = 0;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < immagine.width(); ++x)
            punti += immagine.pixelColor(x, y) == QColor(64, 64, 64);
    return punti;
}

// A quiz window opened with two scripted exercises; the second is the one shown.
struct Quiz
{
    explicit Quiz(Ambiente &ambiente, std::array<int, 3> segnali = {7, 8, 9}, int p = 0, int colore = 5)
    {
        copione(ambiente.casuale, 2, {1, 2, 3}, 4);
        copione(ambiente.casuale, colore, segnali, p);
        finestra = new FormSposta(ambiente.contesto);
        finestra->setAttribute(Qt::WA_DeleteOnClose);
        finestra->show();
    }
    ~Quiz() { delete finestra.data(); }
    FormSposta *operator->() const { return finestra; }
    FormSposta &operator*() const { return *finestra; }
    QPointer<FormSposta> finestra;
};
}

class TestFormSposta : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void apertura();
    void disposizione_data();
    void disposizione();
    void controlli();
    void pressioneAvviaTrascinamento_data();
    void pressioneAvviaTrascinamento();
    void caselleAccettanoSoloDefinizioni();
    void rilascio_data();
    void rilascio();
    void esercizioCompletoConErrori();
    void categoriaNascondeAvanti();
    void punteggio();
    void esciNoSi();
    void treModi_data();
    void treModi();
    void f10ApreLaBarra();
};

void TestFormSposta::init()
{
    // Whatever an earlier test left open goes first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<QPointer<QWidget>> rimaste;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (!w->parentWidget())
            rimaste.append(w);
    for (const QPointer<QWidget> &w : rimaste)
        delete w.data();
}

void TestFormSposta::apertura()
{
    Ambiente ambiente;
    ambiente.stato.NumeroEsatti = 4;
    ambiente.stato.NumeroErrati = 2;
    ambiente.stato.PrimoSegnale = 82;
    ambiente.stato.UltimoSegnale = 89;
    Quiz quiz(ambiente, {7, 144, 1}, 3, 5);

    // Two exercises' worth of draws: the frame's "tutti i segnali", then the load step's own.
    QCOMPARE(ambiente.casuale.estratti(), 10);
    QCOMPARE(ambiente.casuale.restanti(), 0);
    QCOMPARE(ambiente.casuale.fuoriCopione(), 0);

    QCOMPARE(quiz->windowTitle(), QString());
    QCOMPARE(quiz->centralWidget()->size(), QSize(638, 480));
    QVERIFY(controllo<PulsanteGrafico>(*quiz, "Command1")->isHidden());
    QVERIFY(voceCategoria(*quiz, Tutti)->isChecked());
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 0);
    QCOMPARE(int(ambiente.stato.NumeroErrati), 0);
    QCOMPARE(int(ambiente.stato.PrimoSegnale), 1);
    QCOMPARE(int(ambiente.stato.UltimoSegnale), 144);
    QCOMPARE(sfondo(quiz->centralWidget()), ColoriSfondo[4]);

    const int segnali[3] = {7, 144, 1};
    for (int k = 0; k < 3; ++k) {
        const auto i = std::size_t(k);
        QCOMPARE(controllo<Immagine>(*quiz, "Image1", i)->file(), fileImmagine(ambiente.cartella.percorso(), segnali[k]));
        QVERIFY(!controllo<Immagine>(*quiz, "Image1", i)->immagine().isNull());
        QCOMPARE(controllo<DefinizioneTrascinabile>(*quiz, "Label1", i)->text(), CartellaProgramma::testo(segnali[k]));
        QVERIFY(controllo<DefinizioneTrascinabile>(*quiz, "Label1", i)->isVisible());
        QCOMPARE(controllo<CasellaRilascio>(*quiz, "Label2", i)->text(), QString());
    }
    QVERIFY(controllo<Immagine>(*quiz, "Image1", 1)->file().endsWith(QStringLiteral("/jpg/144.jpg")));
    QVERIFY(controllo<Immagine>(*quiz, "Image1", 2)->file().endsWith(QStringLiteral("/jpg/1.jpg")));
}

void TestFormSposta::disposizione_data()
{
    QTest::addColumn<int>("p");
    QTest::addColumn<QList<int>>("sinistre");
    QTest::newRow("0") << 0 << QList<int>{210, 3360, 6510};
    QTest::newRow("3") << 3 << QList<int>{6510, 210, 3360};
    QTest::newRow("5") << 5 << QList<int>{3360, 6510, 210};
}

void TestFormSposta::disposizione()
{
    QFETCH(int, p);
    QFETCH(QList<int>, sinistre);
    Ambiente ambiente;
    Quiz quiz(ambiente, {20, 30, 40}, p);
    for (int k = 0; k < 3; ++k)
        QCOMPARE(controllo<DefinizioneTrascinabile>(*quiz, "Label1", k)->geometry(), tw(sinistre[k], 4890, 2955, 1500));
}

void TestFormSposta::controlli()
{
    Ambiente ambiente;
    Quiz quiz(ambiente);

    QCOMPARE(controllo<Immagine>(*quiz, "Image1", 0)->geometry(), tw(105, 210, 3120, 2760));
    QCOMPARE(controllo<Immagine>(*quiz, "Image1", 2)->geometry(), tw(6405, 210, 3075, 2760));
    QCOMPARE(controllo<CasellaRilascio>(*quiz, "Label2", 2)->geometry(), tw(6480, 3255, 2955, 1500));
    QCOMPARE(controllo<PulsanteGrafico>(*quiz, "Command1")->geometry(), tw(6600, 5280, 1935, 975));
    QCOMPARE(controllo<PulsanteGrafico>(*quiz, "Command1")->text(), QStringLiteral("avanti"));
    QCOMPARE(controllo<PulsanteGrafico>(*quiz, "Command1")->font().pointSizeF(), 14.25);

    for (int k = 0; k < 3; ++k) {
        const auto i = std::size_t(k);
        QLabel *casella = controllo<CasellaRilascio>(*quiz, "Label2", i);
        QLabel *definizione = controllo<DefinizioneTrascinabile>(*quiz, "Label1", i);
        QCOMPARE(sfondo(casella), ColoreVB(0xFFFFFF));
        QCOMPARE(sfondo(definizione), ColoreVB(0xFFFFFF));
        QCOMPARE(casella->frameShape(), QFrame::Box);
        QCOMPARE(definizione->frameShape(), QFrame::NoFrame);
        QVERIFY(casella->wordWrap() && definizione->wordWrap());
        QCOMPARE(casella->font().pointSizeF(), 12.0);
        QVERIFY(definizione->font().bold());

        // The six labels carry the drag pointer; pictures and button keep the standard one.
        for (QLabel *etichetta : {casella, definizione}) {
            QCOMPARE(etichetta->cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(etichetta->cursor().hotSpot(), QPoint(3, 1));
        }
        QCOMPARE(controllo<Immagine>(*quiz, "Image1", i)->cursor().shape(), Qt::ArrowCursor);

        // Only the boxes take drops.
        QVERIFY(casella->acceptDrops());
        QVERIFY(!definizione->acceptDrops());
        QVERIFY(!controllo<Immagine>(*quiz, "Image1", i)->acceptDrops());

        // Pictures are named by position, never by the sign they show.
        QCOMPARE(controllo<Immagine>(*quiz, "Image1", i)->accessibleName(), QStringLiteral("Segnale %1").arg(k + 1));
        QCOMPARE(casella->accessibleName(), QStringLiteral("Casella %1").arg(k + 1));
        QCOMPARE(definizione->accessibleName(), definizione->text());
    }
    QVERIFY(!quiz->centralWidget()->acceptDrops());
    QCOMPARE(controllo<PulsanteGrafico>(*quiz, "Command1")->accessibleName(), QStringLiteral("avanti"));
    // "avanti", once shown, stands above the right-hand definition.
    controllo<PulsanteGrafico>(*quiz, "Command1")->show();
    QCOMPARE(quiz->centralWidget()->childAt(tw(7000), tw(5500)), controllo<PulsanteGrafico>(*quiz, "Command1"));
}

void TestFormSposta::pressioneAvviaTrascinamento_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("p");
    QTest::newRow("slot 0, disposizione 4") << 0 << 4;
    QTest::newRow("slot 1, disposizione 0") << 1 << 0;
    QTest::newRow("slot 2, disposizione 2") << 2 << 2;
}

void TestFormSposta::pressioneAvviaTrascinamento()
{
    QFETCH(int, slot);
    QFETCH(int, p);
    Ambiente ambiente;
    Quiz quiz(ambiente, {50, 60, 70}, p);

    // Without a display the platform's drag ends at once, dropped nowhere; the drag stays
    // until its deferred deletion, and tells what it carried.
    QLabel *definizione = controllo<DefinizioneTrascinabile>(*quiz, "Label1", slot);
    QTest::mousePress(definizione, Qt::RightButton, {}, QPoint(12, 30));
    QVERIFY(quiz->findChildren<QDrag *>().isEmpty());
    QTest::mousePress(definizione, Qt::LeftButton, {}, QPoint(12, 30));
    const QList<QDrag *> trascinamenti = quiz->findChildren<QDrag *>();
    QCOMPARE(trascinamenti.size(), 1);
    QCOMPARE(slotTrascinato(trascinamenti[0]->mimeData()), slot);
    QCOMPARE(trascinamenti[0]->source(), definizione);
    QCOMPARE(trascinamenti[0]->pixmap().size(), definizione->size());
    QCOMPARE(trascinamenti[0]->hotSpot(), QPoint(12, 30));
    // The label stays where it was, with its text.
    QVERIFY(definizione->isVisible());
    QCOMPARE(definizione->text(), CartellaProgramma::testo(50 + 10 * slot));

    // Pictures and boxes cannot be dragged.
    QTest::mousePress(controllo<Immagine>(*quiz, "Image1", slot), Qt::LeftButton);
    QTest::mousePress(controllo<CasellaRilascio>(*quiz, "Label2", slot), Qt::LeftButton);
    QCOMPARE(quiz->findChildren<QDrag *>().size(), 1);
    QVERIFY(ambiente.suoni.suonati.isEmpty());
}

void TestFormSposta::caselleAccettanoSoloDefinizioni()
{
    Ambiente ambiente;
    Quiz quiz(ambiente);
    QWidget *casella = controllo<CasellaRilascio>(*quiz, "Label2", 1);

    auto entra = [&](QMimeData *dati) {
        QDragEnterEvent evento(QPoint(5, 5), Qt::MoveAction, dati, Qt::LeftButton, Qt::NoModifier);
        evento.ignore();
        QApplication::sendEvent(casella, &evento);
        return evento.isAccepted();
    };
    QMimeData testo;
    testo.setText(QStringLiteral("1"));
    QVERIFY(!entra(&testo));
    QMimeData fuori;
    fuori.setData(FormatoDefinizione, "3");
    QVERIFY(!entra(&fuori));
    std::unique_ptr<QMimeData> buona(datiDefinizione(1));
    QVERIFY(entra(buona.get()));

    // A drop of anything else does nothing.
    QDropEvent lascia(QPointF(5, 5), Qt::MoveAction, &testo, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(casella, &lascia);
    QVERIFY(ambiente.suoni.suonati.isEmpty());
    QCOMPARE(int(ambiente.stato.NumeroErrati), 0);
    QCOMPARE(controllo<CasellaRilascio>(*quiz, "Label2", 1)->text(), QString());
}

void TestFormSposta::rilascio_data()
{
    QTest::addColumn<int>("casella");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("p");
    for (int p : {0, 3})
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                QTest::addRow("disposizione %d, casella %d, definizione %d", p, i, j) << i << j << p;
}

void TestFormSposta::rilascio()
{
    QFETCH(int, casella);
    QFETCH(int, slot);
    QFETCH(int, p);
    Ambiente ambiente;
    Quiz quiz(ambiente, {11, 22, 33}, p, 9);
    ambiente.casuale.aggiungi(perSuono(4));
    const QPoint posto = controllo<DefinizioneTrascinabile>(*quiz, "Label1", slot)->pos();

    QVERIFY(rilascia(*quiz, casella, slot));

    QLabel *box = controllo<CasellaRilascio>(*quiz, "Label2", casella);
    QLabel *definizione = controllo<DefinizioneTrascinabile>(*quiz, "Label1", slot);
    if (casella == slot) {
        QCOMPARE(ambiente.suoni.nomi(), QStringList{QStringLiteral("si4.wav")});
        QCOMPARE(box->text(), CartellaProgramma::testo(11 * (slot + 1)));
        QCOMPARE(definizione->text(), QString());
        QVERIFY(definizione->isHidden());
        QCOMPARE(int(ambiente.stato.NumeroErrati), 0);
        QCOMPARE(sfondo(quiz->centralWidget()), ColoriSfondo[8]);
    } else {
        QCOMPARE(ambiente.suoni.nomi(), QStringList{QStringLiteral("no.wav")});
        QCOMPARE(box->text(), QString());
        QCOMPARE(definizione->text(), CartellaProgramma::testo(11 * (slot + 1)));
        QVERIFY(definizione->isVisible());
        QCOMPARE(definizione->pos(), posto);
        QCOMPARE(int(ambiente.stato.NumeroErrati), 1);
        QCOMPARE(sfondo(quiz->centralWidget()), ColoreNero);
    }
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 0);
    QVERIFY(controllo<PulsanteGrafico>(*quiz, "Command1")->isHidden());
}

void TestFormSposta::esercizioCompletoConErrori()
{
    Ambiente ambiente;
    Quiz quiz(ambiente, {100, 101, 102}, 1, 3);
    ambiente.casuale.aggiungi({perSuono(2), perSuono(1), perSuono(4)});

    rilascia(*quiz, 1, 0); // wrong
    QCOMPARE(sfondo(quiz->centralWidget()), ColoreNero);
    rilascia(*quiz, 2, 0); // wrong
    rilascia(*quiz, 0, 0); // right
    QCOMPARE(sfondo(quiz->centralWidget()), ColoreNero);
    rilascia(*quiz, 0, 1); // wrong: the box is filled
    QCOMPARE(controllo<CasellaRilascio>(*quiz, "Label2", 0)->text(), CartellaProgramma::testo(100));
    rilascia(*quiz, 1, 1); // right
    QVERIFY(controllo<PulsanteGrafico>(*quiz, "Command1")->isHidden());
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 0);
    rilascia(*quiz, 2, 2); // right, the third

    QCOMPARE(int(ambiente.stato.NumeroEsatti), 1);
    QCOMPARE(int(ambiente.stato.NumeroErrati), 3);
    QCOMPARE(ambiente.suoni.nomi(),
             (QStringList{QStringLiteral("no.wav"), QStringLiteral("no.wav"), QStringLiteral("si2.wav"),
                          QStringLiteral("no.wav"), QStringLiteral("si1.wav"), QStringLiteral("si4.wav")}));
    QVERIFY(controllo<PulsanteGrafico>(*quiz, "Command1")->isVisible());
    QCOMPARE(sfondo(quiz->centralWidget()), ColoreNero);
    for (int k = 0; k < 3; ++k) {
        QVERIFY(controllo<DefinizioneTrascinabile>(*quiz, "Label1", k)->isHidden());
        QCOMPARE(controllo<CasellaRilascio>(*quiz, "Label2", k)->text(), CartellaProgramma::testo(100 + k));
    }

    // "avanti": the next exercise, on a new colour, and nothing counted.
    copione(ambiente.casuale, 12, {3, 2, 1}, 2);
    QTest::mouseClick(controllo<PulsanteGrafico>(*quiz, "Command1"), Qt::LeftButton);
    QVERIFY(controllo<PulsanteGrafico>(*quiz, "Command1")->isHidden());
    QCOMPARE(sfondo(quiz->centralWidget()), ColoriSfondo[11]);
    for (int k = 0; k < 3; ++k) {
        QVERIFY(controllo<DefinizioneTrascinabile>(*quiz, "Label1", k)->isVisible());
        QCOMPARE(controllo<DefinizioneTrascinabile>(*quiz, "Label1", k)->text(), CartellaProgramma::testo(3 - k));
        QCOMPARE(controllo<CasellaRilascio>(*quiz, "Label2", k)->text(), QString());
    }
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 1);
    QCOMPARE(int(ambiente.stato.NumeroErrati), 3);
    QCOMPARE(ambiente.casuale.fuoriCopione(), 0);
}

void TestFormSposta::categoriaNascondeAvanti()
{
    Ambiente ambiente;
    Quiz quiz(ambiente);
    for (int k = 0; k < 3; ++k)
        rilascia(*quiz, k, k);
    QVERIFY(controllo<PulsanteGrafico>(*quiz, "Command1")->isVisible());

    copione(ambiente.casuale, 1, {89, 82, 85}, 0, 82, 89);
    voceCategoria(*quiz, Sosta)->trigger();
    QVERIFY(voceCategoria(*quiz, Sosta)->isChecked());
    QVERIFY(!voceCategoria(*quiz, Tutti)->isChecked());
    // A new exercise starts unanswered: "avanti" goes, as after "avanti" itself.
    QVERIFY(controllo<PulsanteGrafico>(*quiz, "Command1")->isHidden());
    QVERIFY(controllo<Immagine>(*quiz, "Image1", 0)->file().endsWith(QStringLiteral("/jpg/89.jpg")));
    QCOMPARE(controllo<DefinizioneTrascinabile>(*quiz, "Label1", 0)->text(), CartellaProgramma::testo(89));
    for (int k = 0; k < 3; ++k) {
        QVERIFY(controllo<DefinizioneTrascinabile>(*quiz, "Label1", k)->isVisible());
        QCOMPARE(controllo<CasellaRilascio>(*quiz, "Label2", k)->text(), QString());
    }
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 1);

    for (int k = 0; k < 3; ++k)
        rilascia(*quiz, k, k);
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 2);
    QVERIFY(controllo<PulsanteGrafico>(*quiz, "Command1")->isVisible());
    QTest::mouseClick(controllo<PulsanteGrafico>(*quiz, "Command1"), Qt::LeftButton);
    QVERIFY(controllo<PulsanteGrafico>(*quiz, "Command1")->isHidden());
    for (int k = 0; k < 3; ++k) {
        const int s = QFileInfo(controllo<Immagine>(*quiz, "Image1", k)->file()).completeBaseName().toInt();
        QVERIFY(s >= 82 && s <= 89);
    }
}

void TestFormSposta::punteggio()
{
    Ambiente ambiente;
    Quiz quiz(ambiente);
    rilascia(*quiz, 0, 2);
    for (int k = 0; k < 3; ++k)
        rilascia(*quiz, k, k);

    controllo<QAction>(*quiz, "mnuEserEseg")->trigger();
    QCOMPARE(ambiente.dialoghi.mostrati.size(), 1);
    QCOMPARE(ambiente.dialoghi.mostrati[0].first,
             QStringLiteral("hai eseguito  1 esercizi esatti con  1 errori"));
    QCOMPARE(ambiente.dialoghi.mostrati[0].second, int(Dialoghi::SoloOk));

    controllo<QAction>(*quiz, "mnuAzzera")->trigger();
    QVERIFY(controllo<PulsanteGrafico>(*quiz, "Command1")->isVisible()); // the screen is left as it was
    controllo<QAction>(*quiz, "mnuEserEseg")->trigger();
    QCOMPARE(ambiente.dialoghi.mostrati[1].first,
             QStringLiteral("hai eseguito  0 esercizi esatti con  0 errori"));
}

void TestFormSposta::esciNoSi()
{
    Ambiente ambiente;
    Quiz quiz(ambiente, {5, 6, 7});
    rilascia(*quiz, 1, 1);

    ambiente.dialoghi.rispondi(Dialoghi::No);
    controllo<QAction>(*quiz, "mnuEsci")->trigger();
    QCOMPARE(ambiente.dialoghi.mostrati.last().first, QStringLiteral("Vuoi tornare al menù?"));
    QCOMPARE(ambiente.dialoghi.mostrati.last().second, int(Dialoghi::DomandaSiNo));
    QCOMPARE(finestreAperte(), QList<QWidget *>{quiz.finestra.data()});
    QCOMPARE(controllo<CasellaRilascio>(*quiz, "Label2", 1)->text(), CartellaProgramma::testo(6));
    QVERIFY(controllo(*quiz, "Label1", 1)->isHidden()); // the one placed

    ambiente.dialoghi.rispondi(Dialoghi::Si);
    controllo<QAction>(*quiz, "mnuEsci")->trigger();
    const QList<QWidget *> aperte = finestreAperte();
    QVERIFY(quiz.finestra.isNull());
    QCOMPARE(aperte.size(), 1);
    QVERIFY(qobject_cast<FormMenu *>(aperte[0]));
}

void TestFormSposta::treModi_data()
{
    QTest::addColumn<int>("modo_");
    QTest::newRow("trascinamento") << int(Modo::Trascinamento);
    QTest::newRow("tastiera") << int(Modo::Tastiera);
    QTest::newRow("due clic") << int(Modo::DueClic);
}

// Whichever way a definition arrives in a box, the same drops give the same verdicts, counters,
// sounds, colours and announcements.
void TestFormSposta::treModi()
{
    QFETCH(int, modo_);
    const auto modo = Modo(modo_);
    Ambiente ambiente;
    Quiz quiz(ambiente, {100, 101, 102}, 1, 3);
    ambiente.casuale.aggiungi({perSuono(2), perSuono(1), perSuono(4)});
    QVERIFY(QTest::qWaitForWindowActive(quiz.finestra));
    const auto *annuncio = quiz->findChild<Annuncio *>();
    QVERIFY(annuncio);

    auto clicSu = [](QWidget *w) {
        const QPoint centro = w->rect().center();
        QCursor::setPos(w->mapToGlobal(centro));
        QTest::mouseClick(w, Qt::LeftButton, {}, centro);
    };
    auto prendi = [&](int slot) {
        DefinizioneTrascinabile *definizione = controllo<DefinizioneTrascinabile>(*quiz, "Label1", slot);
        if (modo == Modo::Tastiera) {
            definizione->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        } else {
            clicSu(definizione);
        }
    };
    auto posa = [&](int casella) {
        QWidget *box = controllo<CasellaRilascio>(*quiz, "Label2", casella);
        if (modo == Modo::Tastiera) {
            // Tab from the definition in hand to the first box (Up from one not in hand to the
            // box above it), then along the boxes.
            if (presa(*quiz) >= 0) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), controllo<CasellaRilascio>(*quiz, "Label2", 0));
            }
            for (int tasti = 0; tasti < 4 && QApplication::focusWidget() != box; ++tasti) {
                QWidget *fuoco = QApplication::focusWidget();
                const bool inBasso = qobject_cast<DefinizioneTrascinabile *>(fuoco);
                QTest::keyClick(fuoco, inBasso                     ? Qt::Key_Up
                                           : fuoco->x() < box->x() ? Qt::Key_Right
                                                                   : Qt::Key_Left);
            }
            QCOMPARE(QApplication::focusWidget(), box);
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            clicSu(box);
        }
    };
    auto porta = [&](int slot, int casella) {
        if (modo == Modo::Trascinamento) {
            // Pressed on the definition and released over the box: the drop Qt delivers there.
            QWidget *box = controllo(*quiz, "Label2", casella);
            QCursor::setPos(box->mapToGlobal(box->rect().center()));
            QTest::mousePress(controllo(*quiz, "Label1", slot), Qt::LeftButton, {}, QPoint(5, 5));
            rilascia(*quiz, casella, slot);
            QCOMPARE(presa(*quiz), -1);
            return;
        }
        prendi(slot);
        QCOMPARE(presa(*quiz), slot);
        QVERIFY(controllo<DefinizioneTrascinabile>(*quiz, "Label1", slot)->presa());
        QVERIFY(puntiContorno(controllo<DefinizioneTrascinabile>(*quiz, "Label1", slot)) > 0);
        posa(casella);
        QCOMPARE(presa(*quiz), -1);
        QVERIFY(!controllo<DefinizioneTrascinabile>(*quiz, "Label1", slot)->presa());
    };

    if (modo != Modo::Trascinamento) {
        // Put back (Escape, or a click on it again), a box takes nothing.
        prendi(0);
        QCOMPARE(presa(*quiz), 0);
        if (modo == Modo::Tastiera)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            clicSu(controllo<DefinizioneTrascinabile>(*quiz, "Label1", 0));
        QCOMPARE(presa(*quiz), -1);
        QCOMPARE(puntiContorno(controllo<DefinizioneTrascinabile>(*quiz, "Label1", 0)), 0);
        posa(1);
        QVERIFY(ambiente.suoni.suonati.isEmpty());
        QCOMPARE(controllo<CasellaRilascio>(*quiz, "Label2", 1)->text(), QString());
        QCOMPARE(sfondo(quiz->centralWidget()), ColoriSfondo[2]);
    }

    porta(0, 1); // wrong
    QCOMPARE(sfondo(quiz->centralWidget()), ColoreNero);
    if (modo == Modo::Tastiera) {
        // The focus, back on the definition, shows inside it on the black window: a black line
        // with white around it.
        QWidget *definizione = controllo<DefinizioneTrascinabile>(*quiz, "Label1", 0);
        QCOMPARE(QApplication::focusWidget(), definizione);
        const QImage immagine = definizione->grab().toImage();
        const int y = definizione->height() / 2;
        QCOMPARE(immagine.pixelColor(3, y), QColor(Qt::white));
        QCOMPARE(immagine.pixelColor(5, y), QColor(Qt::black));
        QCOMPARE(immagine.pixelColor(7, y), QColor(Qt::white));
        QCOMPARE(controllo<DefinizioneTrascinabile>(*quiz, "Label1", 1)->grab().toImage().pixelColor(5, y), QColor(Qt::white));
    }
    QCOMPARE(annuncio->testo(), QStringLiteral("Risposta sbagliata. Esatti 0, errati 1"));
    porta(0, 2); // wrong
    porta(0, 0); // right
    QCOMPARE(annuncio->testo(), QStringLiteral("Risposta giusta. Esatti 0, errati 2"));
    porta(1, 0); // wrong: the box is filled
    QCOMPARE(controllo<CasellaRilascio>(*quiz, "Label2", 0)->text(), CartellaProgramma::testo(100));
    porta(1, 1); // right
    QVERIFY(controllo<PulsanteGrafico>(*quiz, "Command1")->isHidden());
    porta(2, 2); // right, the third

    QCOMPARE(int(ambiente.stato.NumeroEsatti), 1);
    QCOMPARE(int(ambiente.stato.NumeroErrati), 3);
    QCOMPARE(ambiente.suoni.nomi(),
             (QStringList{QStringLiteral("no.wav"), QStringLiteral("no.wav"), QStringLiteral("si2.wav"),
                          QStringLiteral("no.wav"), QStringLiteral("si1.wav"), QStringLiteral("si4.wav")}));
    QCOMPARE(annuncio->testo(), QStringLiteral("Risposta giusta. Esatti 1, errati 3"));
    QVERIFY(controllo<PulsanteGrafico>(*quiz, "Command1")->isVisible());
    QCOMPARE(sfondo(quiz->centralWidget()), ColoreNero);
    for (int k = 0; k < 3; ++k) {
        QVERIFY(controllo<DefinizioneTrascinabile>(*quiz, "Label1", k)->isHidden());
        QCOMPARE(controllo<CasellaRilascio>(*quiz, "Label2", k)->text(), CartellaProgramma::testo(100 + k));
    }
    if (modo != Modo::Trascinamento) {
        // The next step has the focus: "avanti", then the leftmost definition of the next.
        QCOMPARE(QApplication::focusWidget(), controllo<PulsanteGrafico>(*quiz, "Command1"));
        copione(ambiente.casuale, 12, {3, 2, 1}, 2);
        QTest::keyClick(controllo<PulsanteGrafico>(*quiz, "Command1"), Qt::Key_Space);
        const auto definizioni = cartavia::controlli(*quiz, "Label1", 3);
        QCOMPARE(QApplication::focusWidget(),
                 *std::min_element(definizioni.begin(), definizioni.end(),
                                   [](QWidget *a, QWidget *b) { return a->x() < b->x(); }));
    }
    QCOMPARE(ambiente.casuale.fuoriCopione(), 0);
}

void TestFormSposta::f10ApreLaBarra()
{
    Ambiente ambiente;
    Quiz quiz(ambiente);
    QVERIFY(QTest::qWaitForWindowActive(quiz.finestra));
    QVERIFY(!quiz->menuBar()->activeAction());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    QCOMPARE(quiz->menuBar()->activeAction(), quiz->menuBar()->actions().constFirst());
    QVERIFY(quiz->menuBar()->hasFocus());
    QTest::keyClick(quiz->menuBar(), Qt::Key_F10);
    QVERIFY(!quiz->menuBar()->activeAction());
}

QTEST_MAIN(TestFormSposta)
#include "tst_abbinamento_finestra.moc"
