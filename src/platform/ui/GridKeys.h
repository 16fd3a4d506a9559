#pragma once

#include <vector>

class QAbstractSlider;
class QWidget;

namespace ui {

// Lets the keyboard page a grid as the mouse does. The grid's lines show rows of a longer list,
// and `bar` pages it: its value is the number of the row on the top line, and its Change handler
// stores the lines and shows the rows of the new value. `columns` holds, for each column, its
// boxes from the top line down.
// - The bar becomes a Tab stop, framed while it has the focus; there PageDown and PageUp turn a
//   page and the arrows move a row. A click on it takes the focus, as a click on a button does,
//   so the box left runs its LostFocus first; when that keeps the focus, the click pages nothing.
// - The wheel anywhere over a grid that scrolls up and down (a vertical bar) scrolls the lines as
//   over the bar: over its boxes, the gaps between them and the widgets of `around` (the line
//   numbers and the headings), that is anywhere in the rectangle they and the bar cover.
// - In a box of the grid PageDown and PageUp turn a page; the focus stays on its line.
// - In a text box or a push button (not a drop-down, whose arrows choose from its list) Down and
//   Up go to the same column on the next or previous row. From the bottom line Down turns the page, from the
//   top line Up turns it back, and the focus follows the row. The box is left first, as with a
//   click on the other box: when its LostFocus keeps the focus, the page stays.
void pageWithKeys(QAbstractSlider* bar, const std::vector<std::vector<QWidget*>>& columns,
                  const std::vector<QWidget*>& around = {});

}  // namespace ui
