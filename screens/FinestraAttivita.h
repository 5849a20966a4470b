#pragma once

#include "logic/ModuloColoriSuoni.h"

#include <QMainWindow>

class QAction;

namespace cartavia {

struct Contesto;
class Scala;

// What the three quizzes and the puzzle share: the client area that carries the controls
// and the background, "Esci" on the menu bar, and the window frame's close button, which
// asks "Vuoi tornare al menù?" like "Esci".
class FinestraAttivita : public QMainWindow
{
    Q_OBJECT
protected:
    // The window's client area (its central widget): the controls stand on it and it carries
    // the background.
    QWidget *area() const { return m_area; }
    // Keeps the layout of area() in proportion with the window (see Scala).
    Scala *scala() const { return m_scala; }

    // `larghezza` x `altezza` twips of client area at the natural size; it grows with the
    // window.
    FinestraAttivita(Contesto &contesto, int larghezza, int altezza, QWidget *parent);

    // "Esci" goes last on the menu bar: the activity calls this after adding its own items.
    void aggiungiEsci();
    void impostaSfondoEsercizio(ColoreVB colore);
    Contesto &contesto() const { return m_contesto; }

    // The window frame's close button leaves the activity the way "Esci" does.
    void closeEvent(QCloseEvent *event) override;

    Contesto &m_contesto;

private:
    // "Vuoi tornare al menù?"; on Yes, back to the main menu.
    void mnuEsci_Click();
    // Opens the menu bar for the keyboard, as Alt does; F10 does it.
    void apriBarraMenu();

    QAction *mnuEsci = nullptr;
    QWidget *m_area = nullptr;
    Scala *m_scala = nullptr;
};

} // namespace cartavia
