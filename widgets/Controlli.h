#pragma once

// What every window does to its controls: names them, tells a screen reader about them,
// frames a label, draws the focus of an answer, knows the keys that choose one, reads a drag.
// The controls themselves each have their own header: Etichetta, Immagine, PulsanteGrafico.

#include <QLabel>

class QAbstractButton;
class QKeyEvent;
class QMimeData;
class QPainter;

namespace cartavia {

class Voce;

// ---- names

// Names a control as the layout does: "Label1_3" for Label1(3), one of an array, "Command1"
// for a control on its own (indice -1). Every window names its controls so; tests find them
// by these names.
void nominaControllo(QObject *controllo, const QString &nome, int indice = -1);

// ---- for a screen reader, and read aloud

// What a screen reader reads for a control: its name (in Italian) and, where it helps, a
// longer description of what it does.
void descriviPerLettore(QWidget *controllo, const QString &nome,
                        const QString &descrizione = QString());

// Shows a counter (" 12") in its label; a screen reader reads it by what it counts, "Esatti",
// and its value, "12".
void mostraContatore(QLabel *etichetta, const QString &nome, const QString &testo);

// Lets the pupil hear a text: a right click on the label, or Ctrl+L while it has the keyboard
// focus (Tab reaches it), reads its text aloud through `voce`. Only for texts the pupil reads;
// never for a picture, whose name would give the answer away. An empty label reads nothing.
void rendiLeggibile(QLabel *etichetta, Voce &voce);
// The same for a button, which reads its caption; it keeps its own focus.
void rendiLeggibile(QAbstractButton *pulsante, Voce &voce);

// ---- looks

// A label that frames a text: a thin black box, the text wrapped and plain. Its colours are
// set apart (impostaColori, impostaSfondoLeggibile).
void impostaRiquadro(QLabel *etichetta, const QFont &font, Qt::Alignment allineamento);

// The focus frame of an answer: a black line with a white one inside it, each two pixels
// wide, inside `rettangolo`; one of them stands out on any background colour.
void disegnaCorniceFuoco(QPainter &painter, const QRect &rettangolo);

// ---- keys and drags

// Space, Return or Enter with no modifier (the keypad's aside), not repeated: the keys that
// choose an answer.
bool tastoDiScelta(const QKeyEvent *event);

// The number a drag carries under `formato`, in decimal digits, when it is 0 <= n < limite;
// otherwise -1 (another format, or not a number this control knows).
int numeroTrascinato(const QMimeData *dati, const QString &formato, int limite);

} // namespace cartavia
