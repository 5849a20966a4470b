#pragma once

#include "logic/puzzle/ModelloPuzzle.h"
#include "widgets/Scala.h"

#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QPointF>
#include <QVariantAnimation>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

class QMimeData;

namespace cartavia {

class Casuale;

// The picture puzzle control: cuts `picture` into `righe` x `colonne` pieces, separated by
// lines `spessorelinea` pixels thick, and lets the pupil put it together again, with the
// mouse or the keyboard.
//
// - Swap game (`scambio` true): drag a piece onto another, or click one and then the other,
//   and the two change places. Keyboard: the arrows move a cursor, Space or Enter picks the
//   piece under it, Escape drops the choice.
// - Sliding game (`scambio` false): one cell is empty; a click on a piece next to it, or the
//   arrow that points from the piece to the gap, slides the piece in.
//
// A move shows at once in the model and glides on screen for a moment without holding up
// the next one. When the picture is whole again the control shows it without lines, with a
// short "Bravo!", and emits risolto(); it then waits for the next inizia().
//
// In a window that grows, its lines, frames and confetti grow by the window's factor;
// `spessorelinea` stays the natural thickness.
class GiocoPuzzle : public QWidget, public Scalabile
{
    Q_OBJECT
    Q_PROPERTY(int righe READ righe WRITE setRighe)
    Q_PROPERTY(int colonne READ colonne WRITE setColonne)
    Q_PROPERTY(int spessorelinea READ spessorelinea WRITE setSpessorelinea)
    Q_PROPERTY(QImage picture READ picture WRITE setPicture)
    Q_PROPERTY(bool scambio READ scambio WRITE setScambio)

public:
    static constexpr int DurataMossaMs = 120;
    static constexpr int DurataFestaMs = 1600;
    // The MIME type a piece travels under while it is dragged.
    static const char *const TipoMime;

    explicit GiocoPuzzle(QWidget *parent = nullptr);
    ~GiocoPuzzle() override;

    int righe() const { return m_righe; }
    void setRighe(int righe);
    int colonne() const { return m_colonne; }
    void setColonne(int colonne);
    int spessorelinea() const { return m_spessore; }
    void setSpessorelinea(int spessore);
    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    // The game the next inizia() starts; the game in progress keeps its own.
    bool scambio() const { return m_scambio; }
    void setScambio(bool scambio);

    // Draws come from here (the program's generator); without it the control has its own.
    void usaCasuale(Casuale &casuale);

    // A new game of the current picture, grid and mode.
    void inizia();

    // The picture's size in device pixels as the control shows it: a picture decoded at
    // this size is drawn pixel for pixel.
    QSize dimensioneImmagine() const;

    // What the game looks like now, for whoever hosts or tests the control.
    const ModelloPuzzle &modello() const { return m_modello; }
    bool inGioco() const { return m_inGioco; }
    bool festaInCorso() const;
    bool animazioneInCorso() const;
    int selezionata() const { return m_selezionata; }
    int cursore() const { return m_cursore; }
    // Where a cell lies in the control, in its own coordinates.
    QRect rettangoloCella(int cella) const;
    // The cell under a point, or -1 on a line or outside the grid.
    int cellaIn(const QPoint &punto) const;

    QSize sizeHint() const override;
    void impostaScala(qreal fattore) override;
    // A length of the natural size in pixels, at the window's factor.
    int px(int naturali) const;

signals:
    void risolto();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void nuovaGriglia();
    void aggiornaDescrizione();
    void invalidaPezzi();
    void preparaPezzi();
    Casuale &casuale();

    void clicCella(int cella);
    void eseguiScambio(int a, int b);
    void eseguiScivolamento(int cella);
    void ricordaPartenze(std::initializer_list<int> celle);
    void dopoMossa();
    QPointF posizioneDisegnata(int pezzo) const;
    int cellaTrascinata(const QMimeData *dati) const;
    bool accettaTrascinamento(QDropEvent *event);
    void trascina(int cella, const QPoint &presa);

    void disegnaFesta(QPainter &painter, qreal t) const;

    int m_righe = 3;
    int m_colonne = 3;
    int m_spessore = 2;
    qreal m_scala = 1;
    QImage m_picture;
    bool m_scambio = true;

    ModelloPuzzle m_modello;
    bool m_inGioco = false;
    int m_selezionata = -1;
    int m_cursore = 0;
    int m_bersaglio = -1;   // the cell a dragged piece hovers over
    int m_trascinata = -1;  // the cell whose piece is being dragged

    Casuale *m_casuale = nullptr;
    std::unique_ptr<Casuale> m_casualeProprio;

    // Pieces scaled to their cells in device pixels, and the whole picture.
    std::vector<QPixmap> m_pezzi;
    QPixmap m_intera;
    bool m_pezziValidi = false;
    qreal m_dprPezzi = 0;

    // A move's glide: where each moving piece started, and how far along it is.
    QVariantAnimation m_mossa;
    std::map<int, QPointF> m_partenze;
    QVariantAnimation m_festa;

    QPoint m_pressione;
    int m_cellaPremuta = -1;
};

} // namespace cartavia
