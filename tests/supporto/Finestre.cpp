#include "Finestre.h"

#include "logic/Percorsi.h"
#include "logic/quiz/Categorie.h"
#include "screens/quiz/abbinamento/FormSposta.h"
#include "widgets/Immagine.h"
#include "screens/quiz/abbinamento/DefinizioneTrascinabile.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QtTest>

#include <memory>

namespace cartavia {

QAction *voceCategoria(const QObject &finestra, int indice)
{
    static const char *const nomi[] = {"mnuTutti", "mnuPericolo", "mnuPrecedenza", "mnudivieto",
                                       "mnuSosta", "mnuobbligo", "mnuindicazione", "mnuRipasso"};
    static_assert(sizeof(nomi) / sizeof(nomi[0]) == DaRipassare + 1);
    return controllo<QAction>(finestra, QLatin1String(nomi[indice]));
}

void clic(QWidget *controllo)
{
    QTest::mouseClick(controllo, Qt::LeftButton, {}, controllo->rect().center());
}

bool rilascia(QWidget *bersaglio, const QMimeData *dati, QPointF punto)
{
    QDragEnterEvent entra(punto.toPoint(), Qt::MoveAction, dati, Qt::LeftButton, Qt::NoModifier);
    entra.ignore();
    QApplication::sendEvent(bersaglio, &entra);
    if (!entra.isAccepted())
        return false;
    QDropEvent lascia(punto, Qt::MoveAction, dati, Qt::LeftButton, Qt::NoModifier);
    lascia.ignore();
    QApplication::sendEvent(bersaglio, &lascia);
    return lascia.isAccepted();
}

bool rilasciaDefinizione(const QObject &quiz, int casella, int slot)
{
    std::unique_ptr<QMimeData> dati(datiDefinizione(slot));
    QWidget *box = controllo(quiz, QStringLiteral("Label2"), casella);
    return rilascia(box, dati.get(), QPointF(box->width() / 2.0, box->height() / 2.0));
}

int posizioneGiusta(const QObject &quiz)
{
    // The description reads "   <catalogue text>"; the test catalogue's texts are "Segnale n",
    // and picture n is jpg/n.jpg.
    const QString testo = controllo<QLabel>(quiz, QStringLiteral("testo"))->text().trimmed();
    const QString numero = testo.section(QLatin1Char(' '), -1);
    for (int k = 0; k < 6; ++k)
        if (QFileInfo(controllo<Immagine>(quiz, QStringLiteral("Image1"), k)->file()).completeBaseName()
            == numero)
            return k + 1;
    qFatal("Nessuna figura per \"%s\"", qPrintable(testo));
}

} // namespace cartavia
