#pragma once

#include "logic/ModuloColoriSuoni.h"
#include "logic/quiz/RegoleQuiz.h"

#include <QtGlobal>
#include <array>

namespace cartavia {

struct Contesto;

// An exercise shows three signs, one per slot 0..2; slot k binds the picture, the drop box
// and the definition numbered k.
constexpr int SlotAbbinamento = 3;

// The six orders in which the definitions stand in the bottom row: for arrangement p, the
// Left (twips) of the definitions of slot 0, 1 and 2. In arrangement 0 each definition stands
// under its own picture.
constexpr std::array<std::array<int, SlotAbbinamento>, 6> DisposizioniDefinizioni = {{
    {210, 3360, 6510},
    {210, 6510, 3360},
    {3360, 210, 6510},
    {6510, 210, 3360},
    {6510, 3360, 210},
    {3360, 6510, 210},
}};

// A definition dropped on a box is right when it is the definition of the box's own slot.
constexpr bool abbinamentoEsatto(int casella, int definizione)
{
    return casella == definizione;
}

// The matching quiz: three different signs, their definitions shuffled, and the check of
// every definition the pupil drops on a box. Each drop's verdict is told with signals, once
// its counter has moved and its sound is playing.
class Abbinamento : public RegoleQuiz
{
    Q_OBJECT
public:
    using RegoleQuiz::RegoleQuiz;

    // A new exercise from the selected range. Draws, in this order: the background colour,
    // Segnale0, Segnale1 (again while it repeats Segnale0), Segnale2 (again while it
    // repeats either), then the arrangement. The range must hold at least three signs.
    // While reviewing, the three differ in sign and text and come from the missed signs
    // first, then from the whole catalogue (Ripasso::estraiDiversi).
    void genera();

    // Definition `definizione` dropped on box `casella`. A drop this exercise cannot take (a
    // definition already placed, a slot out of range) does nothing. Otherwise the bookkeeping
    // of RegoleQuiz runs for the definition's sign, counter after sound: a wrong drop counts an
    // error and turns the background black; a right one places the definition
    // (definizioneCollocata, once its sound plays), and the third counts the exercise.
    void rilascia(int casella, int definizione);

    qint16 NumeroAbbinati() const { return m_abbinati; }
    qint16 segnale(int slot) const { return m_segnali.at(static_cast<std::size_t>(slot)); }
    ColoreVB colore() const { return m_colore; }
    int disposizione() const { return m_disposizione; }
    // Left (twips) of the definition of this slot in the current arrangement.
    int sinistra(int slot) const;
    // Whether the definition of this slot already stands in its box.
    bool collocata(int slot) const { return m_collocate.at(static_cast<std::size_t>(slot)); }
    bool completo() const { return m_abbinati == SlotAbbinamento; }

signals:
    // The definition of `slot` now stands in its own box.
    void definizioneCollocata(int slot);

private:
    qint16 m_abbinati = 0;
    std::array<qint16, SlotAbbinamento> m_segnali{};
    std::array<bool, SlotAbbinamento> m_collocate{};
    ColoreVB m_colore = ColoreNero;
    int m_disposizione = 0;
};

} // namespace cartavia
