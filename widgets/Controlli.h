#pragma once

#include <QAbstractButton>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include "widgets/Scala.h"

#include <utility>
#include <vector>

class QKeyEvent;
class QMimeData;
class QPainter;

namespace cartavia {

// Names a control as the layout does: "Label1_3" for Label1(3), one of an array, "Command1"
// for a control on its own (indice -1). Every window names its controls so; tests find them
// by these names.
void nominaControllo(QObject *controllo, const QString &nome, int indice = -1);

// A label that frames a text: a thin black box, the text wrapped and plain. Its colours are
// set apart (impostaColori, impostaSfondoLeggibile).
void impostaRiquadro(QLabel *etichetta, const QFont &font, Qt::Alignment allineamento);

// The number a drag carries under `formato`, in decimal digits, when it is 0 <= n < limite;
// otherwise -1 (another format, or not a number this control knows).
int numeroTrascinato(const QMimeData *dati, const QString &formato, int limite);

// A click with the mouse: the left button pressed on a control and released over it.
class RilevatoreClic
{
public:
    void premuto(const QMouseEvent *event);
    // True when this release ends a click inside `area`.
    bool rilasciato(const QMouseEvent *event, const QRect &area);

private:
    bool m_premuta = false;
};

// What a screen reader reads for a control: its name (in Italian) and, where it helps, a
// longer description of what it does.
void descriviPerLettore(QWidget *controllo, const QString &nome,
                        const QString &descrizione = QString());

// Shows a counter (" 12") in its label; a screen reader reads it by what it counts, "Esatti",
// and its value, "12".
void mostraContatore(QLabel *etichetta, const QString &nome, const QString &testo);

class Voce;

// Lets the pupil hear a text: a right click on the label, or Ctrl+L while it has the keyboard
// focus (Tab reaches it), reads its text aloud through `voce`. Only for texts the pupil reads;
// never for a picture, whose name would give the answer away. An empty label reads nothing.
void rendiLeggibile(QLabel *etichetta, Voce &voce);
// The same for a button, which reads its caption; it keeps its own focus.
void rendiLeggibile(QAbstractButton *pulsante, Voce &voce);

// A label that reports a click: pressed and released over it with the left button; a double-
// or triple-click is one click (SerieClic). Its text is plain text: a catalogue text that looks
// like markup shows as typed.
// A disabled label ignores the mouse, like every disabled widget.
class Etichetta : public QLabel
{
    Q_OBJECT
public:
    explicit Etichetta(QWidget *parent = nullptr);

    // An answer: it takes the keyboard focus, shows it with a frame that stands out on any
    // background, and Space, Return or Enter report clic() as a click does.
    void setRisposta(bool risposta);

signals:
    void clic();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    RilevatoreClic m_clic;
    bool m_risposta = false;
};

// Space, Return or Enter with no modifier (the keypad's aside), not repeated: the keys that
// choose an answer.
bool tastoDiScelta(const QKeyEvent *event);

// The focus frame of an answer: a black line with a white one inside it, each two pixels
// wide, inside `rettangolo`; one of them stands out on any background colour.
void disegnaCorniceFuoco(QPainter &painter, const QRect &rettangolo);

// A picture box: shows a sign picture stretched to fill it, optionally inside a thin
// border, and reports clicks. The picture is decoded at the size the box shows it, in
// device pixels. A screen reader sees a graphic, with a press action (the click) only where
// a click does something; its name is up to the screen, and must never be the sign's text
// where that is the answer. In a window that grows, the border grows with it.
class Immagine : public QWidget, public Scalabile
{
    Q_OBJECT
public:
    explicit Immagine(QWidget *parent = nullptr);

    void setBordo(bool bordo);
    // An answer: takes the keyboard focus, shows it with the focus frame of the answers, and
    // Space, Return or Enter report clic() as a click does.
    void setRisposta(bool risposta);
    // Something listens to clic(): only then does a screen reader see a press action.
    bool attivabile() const;
    // Loads the picture file; throws ErroreCartavia when it cannot.
    void carica(const QString &file);
    // Shows a picture already read at dimensioneDecodifica(), from this file.
    void mostra(const QImage &immagine, const QString &file);
    // The size, in device pixels, at which a picture fills the box.
    QSize dimensioneDecodifica() const;
    // The file shown, empty before the first picture.
    const QString &file() const { return m_file; }
    const QImage &immagine() const { return m_immagine; }
    void impostaScala(qreal fattore) override;

signals:
    void clic();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QRect areaImmagine() const;

    QString m_file;
    QImage m_immagine;
    bool m_bordo = false;
    int m_spessore = 1; // of the border, in pixels
    RilevatoreClic m_clic;
    bool m_risposta = false;
};

// A frame `spessore` pixels thick along the inside edges of `rettangolo`.
void disegnaBordo(QPainter &painter, const QRect &rettangolo, int spessore, const QColor &colore);

// Loads a file into each box, reading the pictures at once on every core; throws the failure
// of the first box whose file cannot be read, and then shows none of them.
void caricaImmagini(const std::vector<std::pair<Immagine *, QString>> &caselle);

// Return and keypad Enter press the button, as Space does.
void premiConInvio(QAbstractButton *pulsante);

// A command button in picture style: an icon centred above its caption, the caption
// wrapped to the button's width. Without a caption the icon stands in the middle. The
// keyboard focus shows as a frame in the highlight colour, however the focus came (the
// platform style draws it only after a Tab). A screen reader reads the caption; a button
// without one needs a name from descriviPerLettore. In a window that grows, the icon, the
// margins and the focus frame grow with it.
class PulsanteGrafico : public QAbstractButton, public Scalabile
{
    Q_OBJECT
public:
    PulsanteGrafico(const QIcon &icona, const QString &testo, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    void impostaScala(qreal fattore) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal m_scala = 1;
    QSize m_iconaNaturale;
};

} // namespace cartavia
