#pragma once

#include <QApplication>

struct Contesto;

// The application object: names the program for the desktop.
class Applicazione : public QApplication
{
    Q_OBJECT
public:
    Applicazione(int &argc, char **argv);
};

// Ends the real program: every window disappears and the event loop returns `codice`.
void terminaProgramma(int codice);

// Start-up: selects the whole catalogue, reads lista.txt and shows the splash screen. A
// failure on the way is shown and ends the program (eseguiProtetto, logic/Protezione.h).
void avviaProgramma(Contesto &contesto);
