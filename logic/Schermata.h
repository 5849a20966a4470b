#pragma once

namespace cartavia {

// The windows one window can hand over to: the main menu and the four activities it opens.
enum class Schermata { Menu, Definizione, Abbinamento, Riconoscimento, Puzzle };

} // namespace cartavia
