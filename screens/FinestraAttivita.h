#pragma once

#include "logic/ModuloColoriSuoni.h"

#include <QMainWindow>

struct Contesto;
class QAction;

// What the three quizzes and the puzzle share: the client area that carries the controls
// and the background, "Esci" on the menu bar, and the window frame's close button, which
// asks "Vuoi tornare al menù?" like "Esci".
class FinestraAttivita : public QMainWindow
{
    Q_OBJECT
public:
    // The window's client area: the controls stand on it and it carries the background.
    QWidget *area() const { return m_area; }

    QAction *mnuEsci = nullptr;
    // "Vuoi tornare al menù?"; on Yes, back to the main menu.
    void mnuEsci_Click();

protected:
    // `larghezza` x `altezza` twips of client area, fixed.
    FinestraAttivita(Contesto &contesto, int larghezza, int altezza, QWidget *parent);

    // "Esci" goes last on the menu bar: the activity calls this after adding its own items.
    void aggiungiEsci();
    void impostaSfondoEsercizio(ColoreVB colore);
    Contesto &contesto() const { return m_contesto; }

    // The window frame's close button leaves the activity the way "Esci" does.
    void closeEvent(QCloseEvent *event) override;

private:
    Contesto &m_contesto;
    QWidget *m_area = nullptr;
};
