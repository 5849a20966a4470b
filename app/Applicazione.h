#pragma once

#include <QApplication>

namespace cartavia {

class AvvioAnticipato;
struct Contesto;

// The application object: names the program for the desktop. When there is no display to
// connect to (none set, or one that cannot be reached), its construction prints one line
// naming the problem on standard error and ends the program with status 1.
class Applicazione : public QApplication
{
    Q_OBJECT
public:
    Applicazione(int &argc, char **argv);

private:
    static int &primaDelloSchermo(int &argc);
    static void schermoAperto();
};

// Ends the real program: every window disappears and the event loop returns `codice`.
void terminaProgramma(int codice);

// Start-up: selects the whole catalogue, reads lista.txt and shows the splash screen, with
// the draw and pictures of `anticipo` when given. A failure on the way is shown and ends the
// program (eseguiProtetto, logic/Protezione.h).
void avviaProgramma(Contesto &contesto, AvvioAnticipato *anticipo = nullptr);

} // namespace cartavia
