#pragma once

class QWidget;
struct Contesto;

// The four activities the main menu opens.
enum class Attivita { Definizione, Abbinamento, Riconoscimento, Puzzle };

// Opens the activity's window, then lets the window `da` go.
void apriAttivita(Attivita attivita, QWidget *da, Contesto &contesto);

// Every activity's way back: shows the main menu, then lets the window `da` go.
void tornaAlMenu(QWidget *da, Contesto &contesto);
