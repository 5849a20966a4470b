#pragma once

#include "widgets/RilevatoreClic.h"
#include "widgets/Scalabile.h"

#include <QImage>
#include <QWidget>

#include <utility>
#include <vector>

class QPainter;

namespace cartavia {

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

} // namespace cartavia
