#pragma once

namespace cartavia {

// The windows one window can hand over to: the main menu and the five activities it opens.
enum class Schermata { Menu, Definizione, Abbinamento, Riconoscimento, Puzzle, Esame };

} // namespace cartavia
