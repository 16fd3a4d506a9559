#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "platform/ui/Events.h"

class QComboBox;
class QLineEdit;

namespace ui {

// What a box whose text stands for a choice (a drop-down the user may type into, or a text box
// holding a date) does with typed text. Enter in the box, or leaving it, settles the text:
// - a text that names a choice is shown as that choice ("2010" as "2010-2011") and taken: `take`
//   runs, as a pick from the box's list does, unless it names the choice on screen already;
// - any other text is refused: the box shows the choice on screen again, the message says why
//   (titled "Error") and the focus stays in the box, so nothing the box does not show is used.
// Text that reads as the choice on screen settles nothing.
struct TypedChoice {
    // The choice a text names, written as the box shows it; nothing when it names none.
    std::function<std::optional<QString>(const QString& typed)> named;
    // The choice on screen: what the form's report was last built from.
    std::function<QString()> shown;
    // The message for a text that names no choice.
    std::function<QString(const QString& typed)> refusal;
    Handler take;
    // Take the choice also when it is the one on screen (a box whose leaving always rebuilds).
    bool takeUnchanged = false;
};

// Settles the box's typed text by that rule on Enter and when the box is left (its KeyPress and
// LostFocus).
void settleTypedText(QComboBox* box, TypedChoice choice);
void settleTypedText(QLineEdit* box, TypedChoice choice);

// The rule every drop-down the user may type into has from the start (`comboBox` gives it): a
// text names the item of the box's own list that reads so (case aside, an apostrophe standing for
// the backquote a name is stored with); taking it selects that item, which runs the box's Click.
// The choice on screen is the text the program last showed in the box. A form that gives the box
// a rule of its own (settleTypedText) replaces this one; the form's own LostFocus or KeyPress
// handlers run besides the rule, never in its place.
void settleAgainstList(QComboBox* box);
// The text the program last showed in a drop-down that has that rule: the choice on screen.
QString shownChoice(const QComboBox* box);
// Leaves the text typed into the drop-down to the form, which checks it itself (a name that the
// list need not hold yet, a free note): neither Enter nor leaving settles it.
void keepTypedText(QComboBox* box);
// Whether the form checks the drop-down's typed text itself (keepTypedText).
bool keepsTypedText(const QComboBox* box);
// The item of the list that reads `text`: the one that reads exactly so, else one that reads so
// but for case; -1 when none does.
int itemReading(const QComboBox* box, const QString& text);
// The item of the list whose text the typed text names by that rule (as `itemReading`, also with
// the blanks around it dropped and an apostrophe for a backquote); -1 when none does.
int namedItem(const QComboBox* box, const QString& typed);

}  // namespace ui
