#pragma once

#include <QApplication>

struct Contesto;

// The application object. Any failure thrown while an event is handled, in whatever window,
// ends up here: it is shown once and the program ends with a non-zero status. When there is
// no display to connect to (none set, or one that cannot be reached), its construction prints
// one line naming the problem on standard error and ends the program with status 1.
class Applicazione : public QApplication
{
    Q_OBJECT
public:
    Applicazione(int &argc, char **argv);

    void impostaContesto(Contesto *contesto) { m_contesto = contesto; }
    bool notify(QObject *destinatario, QEvent *evento) override;

private:
    static int &primaDelloSchermo(int &argc);
    static void schermoAperto();

    Contesto *m_contesto = nullptr;
};

// Runs `azione`; a failure it throws is shown and ends the program. Returns false then.
template <class Azione>
bool eseguiProtetto(Contesto &contesto, Azione &&azione);

// Ends the real program: every window disappears and the event loop returns `codice`.
void terminaProgramma(int codice);

// Start-up: selects the whole catalogue, reads lista.txt and shows the splash screen.
void avviaProgramma(Contesto &contesto);

#include "core/Applicazione.inl"
