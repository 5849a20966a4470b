#include "screens/quiz/abbinamento/FormSposta.h"

#include "Ambiente.h"
#include "widgets/Aspetto.h"
#include "widgets/Controlli.h"
#include "logic/Percorsi.h"
#include "widgets/Twips.h"
#include "logic/quiz/Categorie.h"
#include "logic/Schermata.h"
#include "screens/FormMenu.h"

#include <QAction>
#include <QDrag>
#include <QMimeData>
#include <QtTest>
#include <array>
#include <memory>

namespace {
float perSegnale(int indice, int primo = 1, int ultimo = 144)
{
    return (float(indice - primo) + 0.5f) / float(ultimo - primo + 1);
}
float perColore(int c) { return (float(c) - 0.5f) / 18.0f; }
float perDisposizione(int p) { return (float(p) + 0.5f) / 6.0f; }
float perSuono(int k) { return (float(k) - 0.5f) / 4.0f; }

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
    std::unique_ptr<QMimeData> dati(datiDefinizione(slot));
    QWidget *box = finestra.Label2[std::size_t(casella)];
    const QPointF punto(box->width() / 2.0, box->height() / 2.0);
    QDragEnterEvent entra(punto.toPoint(), Qt::MoveAction, dati.get(), Qt::LeftButton, Qt::NoModifier);
    entra.ignore();
    QApplication::sendEvent(box, &entra);
    if (!entra.isAccepted())
        return false;
    QDropEvent lascia(punto, Qt::MoveAction, dati.get(), Qt::LeftButton, Qt::NoModifier);
    lascia.ignore();
    QApplication::sendEvent(box, &lascia);
    return lascia.isAccepted();
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
    void avantiRestaDopoCategoria();
    void punteggio();
    void esciNoSi();
    void dalMenu();
    void chiusuraDuranteTrascinamento();
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
    QCOMPARE(quiz->area()->size(), QSize(638, 480));
    QVERIFY(quiz->Command1->isHidden());
    QVERIFY(quiz->vociCategoria[Tutti]->isChecked());
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 0);
    QCOMPARE(int(ambiente.stato.NumeroErrati), 0);
    QCOMPARE(int(ambiente.stato.PrimoSegnale), 1);
    QCOMPARE(int(ambiente.stato.UltimoSegnale), 144);
    QCOMPARE(sfondo(quiz->area()), ColoriSfondo[4]);

    const int segnali[3] = {7, 144, 1};
    for (int k = 0; k < 3; ++k) {
        const auto i = std::size_t(k);
        QCOMPARE(quiz->Image1[i]->file(), fileImmagine(ambiente.cartella.percorso(), segnali[k]));
        QVERIFY(!quiz->Image1[i]->immagine().isNull());
        QCOMPARE(quiz->Label1[i]->text(), CartellaProgramma::testo(segnali[k]));
        QVERIFY(quiz->Label1[i]->isVisible());
        QCOMPARE(quiz->Label2[i]->text(), QString());
    }
    QVERIFY(quiz->Image1[1]->file().endsWith(QStringLiteral("/jpg/144.jpg")));
    QVERIFY(quiz->Image1[2]->file().endsWith(QStringLiteral("/jpg/1.jpg")));
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
        QCOMPARE(quiz->Label1[std::size_t(k)]->geometry(), tw(sinistre[k], 4890, 2955, 1500));
}

void TestFormSposta::controlli()
{
    Ambiente ambiente;
    Quiz quiz(ambiente);

    QCOMPARE(quiz->Image1[0]->geometry(), tw(105, 210, 3120, 2760));
    QCOMPARE(quiz->Image1[2]->geometry(), tw(6405, 210, 3075, 2760));
    QCOMPARE(quiz->Label2[2]->geometry(), tw(6480, 3255, 2955, 1500));
    QCOMPARE(quiz->Command1->geometry(), tw(6600, 5280, 1935, 975));
    QCOMPARE(quiz->Command1->text(), QStringLiteral("avanti"));
    QCOMPARE(quiz->Command1->font().pointSizeF(), 14.25);

    for (int k = 0; k < 3; ++k) {
        const auto i = std::size_t(k);
        QLabel *casella = quiz->Label2[i];
        QLabel *definizione = quiz->Label1[i];
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
        QCOMPARE(quiz->Image1[i]->cursor().shape(), Qt::ArrowCursor);

        // Only the boxes take drops.
        QVERIFY(casella->acceptDrops());
        QVERIFY(!definizione->acceptDrops());
        QVERIFY(!quiz->Image1[i]->acceptDrops());

        // Pictures are named by position, never by the sign they show.
        QCOMPARE(quiz->Image1[i]->accessibleName(), QStringLiteral("Segnale %1").arg(k + 1));
        QCOMPARE(casella->accessibleName(), QStringLiteral("Casella %1").arg(k + 1));
        QCOMPARE(definizione->accessibleName(), definizione->text());
    }
    QVERIFY(!quiz->area()->acceptDrops());
    QCOMPARE(quiz->Command1->accessibleName(), QStringLiteral("avanti"));
    // "avanti", once shown, stands above the right-hand definition.
    quiz->Command1->show();
    QCOMPARE(quiz->area()->childAt(tw(7000), tw(5500)), quiz->Command1);
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

    int trascinamenti = 0;
    int slotTrasportato = -2;
    QObject *sorgente = nullptr;
    QSize contorno;
    QPoint presa;
    quiz->eseguiTrascinamento = [&](QDrag *drag) {
        ++trascinamenti;
        slotTrasportato = slotTrascinato(drag->mimeData());
        sorgente = drag->source();
        contorno = drag->pixmap().size();
        presa = drag->hotSpot();
        delete drag;
    };

    QLabel *definizione = quiz->Label1[std::size_t(slot)];
    QTest::mousePress(definizione, Qt::RightButton, {}, QPoint(12, 30));
    QCOMPARE(trascinamenti, 0);
    QTest::mousePress(definizione, Qt::LeftButton, {}, QPoint(12, 30));
    QCOMPARE(trascinamenti, 1);
    QCOMPARE(slotTrasportato, slot);
    QCOMPARE(sorgente, definizione);
    QCOMPARE(contorno, definizione->size());
    QCOMPARE(presa, QPoint(12, 30));
    // The label stays where it was, with its text.
    QVERIFY(definizione->isVisible());
    QCOMPARE(definizione->text(), CartellaProgramma::testo(50 + 10 * slot));

    // Pictures and boxes cannot be dragged.
    QTest::mousePress(quiz->Image1[std::size_t(slot)], Qt::LeftButton);
    QTest::mousePress(quiz->Label2[std::size_t(slot)], Qt::LeftButton);
    QCOMPARE(trascinamenti, 1);
    QVERIFY(ambiente.suoni.suonati.isEmpty());
}

void TestFormSposta::caselleAccettanoSoloDefinizioni()
{
    Ambiente ambiente;
    Quiz quiz(ambiente);
    QWidget *casella = quiz->Label2[1];

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
    QCOMPARE(quiz->Label2[1]->text(), QString());
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
    const QPoint posto = quiz->Label1[std::size_t(slot)]->pos();

    QVERIFY(rilascia(*quiz, casella, slot));

    QLabel *box = quiz->Label2[std::size_t(casella)];
    QLabel *definizione = quiz->Label1[std::size_t(slot)];
    if (casella == slot) {
        QCOMPARE(ambiente.suoni.nomi(), QStringList{QStringLiteral("si4.wav")});
        QCOMPARE(box->text(), CartellaProgramma::testo(11 * (slot + 1)));
        QCOMPARE(definizione->text(), QString());
        QVERIFY(definizione->isHidden());
        QCOMPARE(int(ambiente.stato.NumeroErrati), 0);
        QCOMPARE(sfondo(quiz->area()), ColoriSfondo[8]);
    } else {
        QCOMPARE(ambiente.suoni.nomi(), QStringList{QStringLiteral("no.wav")});
        QCOMPARE(box->text(), QString());
        QCOMPARE(definizione->text(), CartellaProgramma::testo(11 * (slot + 1)));
        QVERIFY(definizione->isVisible());
        QCOMPARE(definizione->pos(), posto);
        QCOMPARE(int(ambiente.stato.NumeroErrati), 1);
        QCOMPARE(sfondo(quiz->area()), ColoreNero);
    }
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 0);
    QVERIFY(quiz->Command1->isHidden());
}

void TestFormSposta::esercizioCompletoConErrori()
{
    Ambiente ambiente;
    Quiz quiz(ambiente, {100, 101, 102}, 1, 3);
    ambiente.casuale.aggiungi({perSuono(2), perSuono(1), perSuono(4)});

    rilascia(*quiz, 1, 0); // wrong
    QCOMPARE(sfondo(quiz->area()), ColoreNero);
    rilascia(*quiz, 2, 0); // wrong
    rilascia(*quiz, 0, 0); // right
    QCOMPARE(sfondo(quiz->area()), ColoreNero);
    rilascia(*quiz, 0, 1); // wrong: the box is filled
    QCOMPARE(quiz->Label2[0]->text(), CartellaProgramma::testo(100));
    rilascia(*quiz, 1, 1); // right
    QVERIFY(quiz->Command1->isHidden());
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 0);
    rilascia(*quiz, 2, 2); // right, the third

    QCOMPARE(int(ambiente.stato.NumeroEsatti), 1);
    QCOMPARE(int(ambiente.stato.NumeroErrati), 3);
    QCOMPARE(ambiente.suoni.nomi(),
             (QStringList{QStringLiteral("no.wav"), QStringLiteral("no.wav"), QStringLiteral("si2.wav"),
                          QStringLiteral("no.wav"), QStringLiteral("si1.wav"), QStringLiteral("si4.wav")}));
    QVERIFY(quiz->Command1->isVisible());
    QCOMPARE(sfondo(quiz->area()), ColoreNero);
    for (int k = 0; k < 3; ++k) {
        QVERIFY(quiz->Label1[std::size_t(k)]->isHidden());
        QCOMPARE(quiz->Label2[std::size_t(k)]->text(), CartellaProgramma::testo(100 + k));
    }

    // "avanti": the next exercise, on a new colour, and nothing counted.
    copione(ambiente.casuale, 12, {3, 2, 1}, 2);
    QTest::mouseClick(quiz->Command1, Qt::LeftButton);
    QVERIFY(quiz->Command1->isHidden());
    QCOMPARE(sfondo(quiz->area()), ColoriSfondo[11]);
    for (int k = 0; k < 3; ++k) {
        QVERIFY(quiz->Label1[std::size_t(k)]->isVisible());
        QCOMPARE(quiz->Label1[std::size_t(k)]->text(), CartellaProgramma::testo(3 - k));
        QCOMPARE(quiz->Label2[std::size_t(k)]->text(), QString());
    }
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 1);
    QCOMPARE(int(ambiente.stato.NumeroErrati), 3);
    QCOMPARE(ambiente.casuale.fuoriCopione(), 0);
}

void TestFormSposta::avantiRestaDopoCategoria()
{
    Ambiente ambiente;
    Quiz quiz(ambiente);
    for (int k = 0; k < 3; ++k)
        rilascia(*quiz, k, k);
    QVERIFY(quiz->Command1->isVisible());

    copione(ambiente.casuale, 1, {89, 82, 85}, 0, 82, 89);
    quiz->vociCategoria[Sosta]->trigger();
    QVERIFY(quiz->vociCategoria[Sosta]->isChecked());
    QVERIFY(!quiz->vociCategoria[Tutti]->isChecked());
    QVERIFY(quiz->Command1->isVisible());
    QCOMPARE(quiz->esercizio().segnale(0), qint16(89));
    QCOMPARE(quiz->Label1[0]->text(), CartellaProgramma::testo(89));
    for (int k = 0; k < 3; ++k) {
        QVERIFY(quiz->Label1[std::size_t(k)]->isVisible());
        QCOMPARE(quiz->Label2[std::size_t(k)]->text(), QString());
    }
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 1);

    for (int k = 0; k < 3; ++k)
        rilascia(*quiz, k, k);
    QCOMPARE(int(ambiente.stato.NumeroEsatti), 2);
    QVERIFY(quiz->Command1->isVisible());
    QTest::mouseClick(quiz->Command1, Qt::LeftButton);
    QVERIFY(quiz->Command1->isHidden());
    for (int k = 0; k < 3; ++k) {
        const int s = quiz->esercizio().segnale(k);
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

    quiz->mnuEserEseg->trigger();
    QCOMPARE(ambiente.dialoghi.mostrati.size(), 1);
    QCOMPARE(ambiente.dialoghi.mostrati[0].first,
             QStringLiteral("hai eseguito  1 esercizi esatti con  1 errori"));
    QCOMPARE(ambiente.dialoghi.mostrati[0].second, int(Dialoghi::SoloOk));

    quiz->mnuAzzera->trigger();
    QVERIFY(quiz->Command1->isVisible()); // the screen is left as it was
    quiz->mnuEserEseg->trigger();
    QCOMPARE(ambiente.dialoghi.mostrati[1].first,
             QStringLiteral("hai eseguito  0 esercizi esatti con  0 errori"));
}

void TestFormSposta::esciNoSi()
{
    Ambiente ambiente;
    Quiz quiz(ambiente, {5, 6, 7});
    rilascia(*quiz, 1, 1);

    ambiente.dialoghi.rispondi(Dialoghi::No);
    quiz->mnuEsci->trigger();
    QCOMPARE(ambiente.dialoghi.mostrati.last().first, QStringLiteral("Vuoi tornare al menù?"));
    QCOMPARE(ambiente.dialoghi.mostrati.last().second, int(Dialoghi::DomandaSiNo));
    QCOMPARE(finestreAperte(), QList<QWidget *>{quiz.finestra.data()});
    QCOMPARE(quiz->Label2[1]->text(), CartellaProgramma::testo(6));
    QCOMPARE(int(quiz->esercizio().NumeroAbbinati()), 1);

    ambiente.dialoghi.rispondi(Dialoghi::Si);
    quiz->mnuEsci->trigger();
    const QList<QWidget *> aperte = finestreAperte();
    QVERIFY(quiz.finestra.isNull());
    QCOMPARE(aperte.size(), 1);
    QVERIFY(qobject_cast<FormMenu *>(aperte[0]));
}

void TestFormSposta::dalMenu()
{
    Ambiente ambiente;
    auto *menu = new FormMenu(ambiente.contesto);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->show();
    QVERIFY(menu->Command2->isEnabled());
    QTest::mouseClick(menu->Command2, Qt::LeftButton);

    const QList<QWidget *> aperte = finestreAperte();
    QCOMPARE(aperte.size(), 1);
    auto *quiz = qobject_cast<FormSposta *>(aperte[0]);
    QVERIFY(quiz);
    QVERIFY(quiz->Command1->isHidden());
    delete quiz;
}

void TestFormSposta::chiusuraDuranteTrascinamento()
{
    Ambiente ambiente;
    Quiz quiz(ambiente);
    ambiente.dialoghi.rispondi(Dialoghi::Si);
    bool chiusa = true;
    quiz->eseguiTrascinamento = [&](QDrag *drag) {
        chiusa = quiz->close();
        delete drag;
    };
    QTest::mousePress(quiz->Label1[0], Qt::LeftButton);
    QVERIFY(!chiusa);
    QVERIFY(ambiente.dialoghi.mostrati.isEmpty());
    QVERIFY(!quiz.finestra.isNull());

    // Once the drag is over the window frame leaves as "Esci" does.
    QVERIFY(!quiz->close());
    QCOMPARE(ambiente.dialoghi.mostrati.size(), 1);
    QCOMPARE(finestreAperte().size(), 1);
    QVERIFY(qobject_cast<FormMenu *>(finestreAperte()[0]));
}

QTEST_MAIN(TestFormSposta)
#include "tst_abbinamento_finestra.moc"
