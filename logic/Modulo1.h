#pragma once

#include "logic/Dialoghi.h"

#include <QString>

namespace cartavia {

struct Contesto;
class ErroreCartavia;

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
