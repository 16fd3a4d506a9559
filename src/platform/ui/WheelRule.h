#pragma once

class QComboBox;

namespace ui {

// The wheel never changes the pick of a closed drop-down, on any form and whether or not the box
// has the focus (after a pick from its list it keeps it): over the box the wheel scrolls what the
// box stands in where that scrolls (a form put in a scrolling page, a grid), as over the rest of
// the form, and does nothing where nothing scrolls. The wheel over the open list scrolls the list,
// as ever. The box takes the focus by a click or a key, never by the wheel, so that turning it
// over a box runs no leave check of the box left. The controls layer does this for every
// drop-down it makes.
void wheelNeverPicks(QComboBox* combo);

}  // namespace ui
