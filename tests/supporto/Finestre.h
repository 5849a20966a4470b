#pragma once

// Finding and driving the controls of a window the way a pupil reaches them.

#include <QList>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QtGlobal>

class QAction;
class QMimeData;
class QWidget;

namespace cartavia {

// The control `nome` of a window, by the name every window gives it: "Label1_3" for Label1(3),
// "Command1" for a control on its own. A control that is not there ends the test at once.
template <class T = QWidget>
T *controllo(const QObject &finestra, const QString &nome)
{
    T *trovato = finestra.findChild<T *>(nome);
    if (!trovato)
        qFatal("Controllo mancante: %s", qPrintable(nome));
    return trovato;
}

// One of an array: controllo(finestra, "Label1", 3) is Label1(3).
template <class T = QWidget>
T *controllo(const QObject &finestra, const QString &nome, int indice)
{
    return controllo<T>(finestra, nome + QLatin1Char('_') + QString::number(indice));
}

// The whole array, `quanti` controls from index 0.
template <class T = QWidget>
QList<T *> controlli(const QObject &finestra, const QString &nome, int quanti)
{
    QList<T *> trovati;
    for (int i = 0; i < quanti; ++i)
        trovati.append(controllo<T>(finestra, nome, i));
    return trovati;
}

// The item of the category menu of a quiz: Tutti .. Indicazione, or DaRipassare.
QAction *voceCategoria(const QObject &finestra, int indice);

// A left click in the middle of a control.
void clic(QWidget *controllo);

// `dati` dropped on `bersaglio` at `punto`, the way Qt hands a drop over: a drag enter, and the
// drop once the enter was accepted. True when the drop was taken.
bool rilascia(QWidget *bersaglio, const QMimeData *dati, QPointF punto);

// The matching quiz: the definition of `slot` dragged onto box `casella`, dropped in its middle.
bool rilasciaDefinizione(const QObject &quiz, int casella, int slot);

// The recognition quiz: 1..6, the picture whose sign the description names.
int posizioneGiusta(const QObject &quiz);

} // namespace cartavia
