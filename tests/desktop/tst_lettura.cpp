// Reading aloud: a right click on a text the pupil reads, or Ctrl+L on the focused one, hands
// that text to the speech output; a picture is never read. Input goes through the window
// system's queue, as the platform delivers it, so the right click becomes a context menu
// request the way it does on a desktop.
#include "Ambiente.h"
#include "Finestre.h"

#include "screens/puzzle/GiocoPuzzle.h"
#include "screens/puzzle/frmpuzzle.h"
#include "screens/quiz/definizione/formTrova.h"
#include "screens/quiz/abbinamento/FormSposta.h"
#include "screens/quiz/riconoscimento/formDisegni.h"

#include <QMainWindow>
#include <QtTest>
#include <memory>

using namespace cartavia;

namespace {
struct Schermo
{
    std::unique_ptr<QMainWindow> finestra;
    QList<QLabel *> testi;      // what the pupil reads
    QList<QWidget *> immagini;  // pictures: never read
};

Schermo apri(Ambiente &a, const QString &nome)
{
    Schermo s;
    if (nome == QLatin1String("definizione")) {
        s.finestra = std::make_unique<formTrova>(a.contesto);
        for (QLabel *l : controlli<QLabel>(*s.finestra, "Label1", 6))
            s.testi.append(l);
        s.immagini = {controllo(*s.finestra, "Image1")};
    } else if (nome == QLatin1String("riconoscimento")) {
        s.finestra = std::make_unique<formDisegni>(a.contesto);
        s.testi = {controllo<QLabel>(*s.finestra, "testo")};
        for (QWidget *i : controlli(*s.finestra, "Image1", 6))
            s.immagini.append(i);
    } else if (nome == QLatin1String("abbinamento")) {
        s.finestra = std::make_unique<FormSposta>(a.contesto);
        for (QLabel *l : controlli<QLabel>(*s.finestra, "Label1", 3))
            s.testi.append(l);
        for (QWidget *i : controlli(*s.finestra, "Image1", 3))
            s.immagini.append(i);
    } else {
        s.finestra = std::make_unique<frmpuzzle>(a.contesto);
        s.testi = {controllo<QLabel>(*s.finestra, "Label1")};
        s.immagini = {controllo(*s.finestra, "GiocoPuzzle1")};
    }
    s.finestra->show();
    return s;
}

void clicDestro(QWidget *w)
{
    QWindow *finestra = w->window()->windowHandle();
    QTest::mouseClick(finestra, Qt::RightButton, {}, w->mapTo(w->window(), w->rect().center()));
}

void ctrlL(QWidget *w)
{
    w->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), w);
    QTest::keyClick(w->window()->windowHandle(), Qt::Key_L, Qt::ControlModifier);
}
}

class TestLettura : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { chiudiTutto(); }
    void testiLetti_data();
    void testiLetti();
    void definizioneDopoLaRisposta();
};

void TestLettura::testiLetti_data()
{
    QTest::addColumn<QString>("schermo");
    for (const char *schermo : {"definizione", "riconoscimento", "abbinamento", "puzzle"})
        QTest::newRow(schermo) << QString::fromLatin1(schermo);
}

void TestLettura::testiLetti()
{
    QFETCH(QString, schermo);
    Ambiente a;
    Schermo s = apri(a, schermo);
    QVERIFY(QTest::qWaitForWindowActive(s.finestra.get()));
    QVERIFY(!s.testi.isEmpty());

    // Pictures: neither a right click nor Ctrl+L reads anything, and a text the pupil reads
    // is not the same as a picture's answer.
    for (QWidget *immagine : s.immagini) {
        clicDestro(immagine);
        if (immagine->focusPolicy() != Qt::NoFocus)
            ctrlL(immagine);
    }
    QCOMPARE(a.voce.letti, QStringList());

    QStringList attesi;
    for (QLabel *testo : s.testi) {
        // Tab reaches every text, so the keyboard alone can have it read.
        QVERIFY(testo->focusPolicy() & Qt::TabFocus);
        const QString parole = testo->text().trimmed();
        QVERIFY2(parole.startsWith(QStringLiteral("Segnale ")), qPrintable(parole));
        clicDestro(testo);
        ctrlL(testo);
        attesi << parole << parole;
    }
    QCOMPARE(a.voce.letti, attesi);
    // Reading answers nothing: no sound, no count.
    QCOMPARE(a.suoni.suonati, QStringList());
    QCOMPARE(int(a.stato.NumeroErrati), 0);
    QCOMPARE(int(a.stato.NumeroEsatti), 0);
}

void TestLettura::definizioneDopoLaRisposta()
{
    // Once answered, the descriptions are disabled; they can still be heard.
    Ambiente a;
    Schermo s = apri(a, QStringLiteral("definizione"));
    auto *f = static_cast<formTrova *>(s.finestra.get());
    QVERIFY(QTest::qWaitForWindowActive(f));
    const QString giusto = a.stato.segnale(a.stato.SegnaleCorrente);
    QLabel *risposta = nullptr;
    for (QLabel *l : controlli<QLabel>(*f, "Label1", 6))
        if (l->text() == giusto)
            risposta = l;
    QVERIFY(risposta);
    QTest::mouseClick(risposta, Qt::LeftButton, {}, risposta->rect().center());
    QLabel *prima = controllo<QLabel>(*f, "Label1", 0);
    QVERIFY(!prima->isEnabled());
    clicDestro(prima);
    QCOMPARE(a.voce.letti, QStringList{prima->text()});
}

QTEST_MAIN(TestLettura)
#include "tst_lettura.moc"
