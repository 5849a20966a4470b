#pragma once

#include <QString>

namespace cartavia {

struct Contesto;
class ErroreCartavia;

// Message boxes, all modal and titled "Cartavia".
class Dialoghi
{
public:
    // The four boxes the program shows: buttons plus icon, valued as the message boxes of the
    // platform encode them (buttons in the low four bits, icon in the next four).
    enum Stile { SoloOk = 0, Errore = 16, DomandaSiNo = 36, Informazione = 64 };
    enum Risposta { Ok = 1, Si = 6, No = 7 };

    // A question (Sì and No) rather than a box with OK alone.
    static bool domanda(Stile stile) { return stile == DomandaSiNo; }

    virtual ~Dialoghi() = default;
    // Shows the text and returns the button pressed.
    virtual Risposta mostra(const QString &testo, Stile stile) = 0;
};

// The About box text: four lines joined by CR LF.
QString testoInformazioni();

// Shows the About box.
void MostraInformazioni(Contesto &contesto);
// "Vuoi uscire dal programma?": on Yes the program ends at once.
void ChiediUscita(Contesto &contesto);
// "Vuoi tornare al menù?": true on Yes. Asked by every activity before it hands back to
// the main menu.
bool chiediRitornoMenu(Contesto &contesto);
// "Hai ripassato tutti i segnali sbagliati!": the review set has emptied.
void avvisaRipassoConcluso(Contesto &contesto);
// The one place a failure ends up: shown in a message box, then the program ends with a
// non-zero status.
void segnalaErrore(Contesto &contesto, const ErroreCartavia &errore);

} // namespace cartavia
