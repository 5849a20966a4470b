#pragma once

#include <QString>
#include <QWidget>

namespace cartavia {

// Says something to a screen reader at once, without moving the keyboard focus: a
// notification that appears with the text. Orca speaks a notification when it appears (Qt 6.4
// has no announcement event, and Orca drops the name and description changes that Qt 6.4
// sends); nothing shows on the screen, the widget has no size.
class Annuncio : public QWidget
{
    Q_OBJECT
public:
    explicit Annuncio(QWidget *parent);

    void annuncia(const QString &testo);
    // The last text announced; empty before the first.
    const QString &testo() const { return m_testo; }

private:
    QString m_testo;
};

// The verdict of an answer as it is announced: "Risposta giusta. Esatti 3, errati 2".
QString testoVerdetto(bool giusta, int esatti, int errati);

} // namespace cartavia
