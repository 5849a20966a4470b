#pragma once

#include <QAbstractButton>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QWidget>

// A label that reports a click: pressed and released over it with the left button.
// A disabled label ignores the mouse, like every disabled widget.
class Etichetta : public QLabel
{
    Q_OBJECT
public:
    explicit Etichetta(QWidget *parent = nullptr);

signals:
    void clic();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_premuta = false;
};

// A picture box: shows a sign picture stretched to fill it, optionally inside a thin
// border, and reports clicks. The picture is decoded at the size the box shows it.
class Immagine : public QWidget
{
    Q_OBJECT
public:
    explicit Immagine(QWidget *parent = nullptr);

    void setBordo(bool bordo);
    // Loads the picture file; throws ErroreCartavia when it cannot.
    void carica(const QString &file);
    // The file shown, empty before the first picture.
    const QString &file() const { return m_file; }
    const QImage &immagine() const { return m_immagine; }

signals:
    void clic();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QRect areaImmagine() const;

    QString m_file;
    QImage m_immagine;
    bool m_bordo = false;
    bool m_premuta = false;
};

// A command button in picture style: an icon centred above its caption, the caption
// wrapped to the button's width. Without a caption the icon stands in the middle.
class PulsanteGrafico : public QAbstractButton
{
    Q_OBJECT
public:
    PulsanteGrafico(const QIcon &icona, const QString &testo, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
