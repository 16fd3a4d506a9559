#pragma once

#include <QString>
#include <vector>

class QCheckBox;
class QComboBox;
class QFont;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ui {

class ReportBox;

// Controls as the forms use them, each with its objectName set to the control's name. Captions
// mark the access key with "&" ("&Close").
QPushButton* button(QWidget* parent, const QString& name, const QString& caption);
QLabel* label(QWidget* parent, const QString& name, const QString& caption = QString());
// A read-only panel of text that the layout sizes: lines wrap at words, and inside a word longer
// than the panel, so that nothing is lost at its right edge; text below its bottom is cut.
QLabel* textPanel(QWidget* parent, const QString& name);
QLineEdit* textBox(QWidget* parent, const QString& name, const QString& text = QString());
// A multi-line text box with a vertical scroll bar; words wrap. A box whose form turns wrapping
// off shows a horizontal scroll bar while a line is longer than the box.
QPlainTextEdit* multiLineBox(QWidget* parent, const QString& name);
// The text of a multi-line box as the program keeps it: lines end with CR LF, as the printouts
// and the clipboard use them. Text put in by setMultiLineText comes back exactly as it was given,
// whatever its line ends, as long as the box still shows it unchanged. A text longer than the
// box takes (kMultiLineMaxLength) is shown only as far as it takes, the box read-only, and comes
// back whole: a stored note of millions of characters opens at once and is kept as it is.
void setMultiLineText(QPlainTextEdit* box, const QString& text);
QString multiLineText(const QPlainTextEdit* box);
// The same for a one-line box: a stored text longer than the box takes (its maxLength) comes
// back whole as long as the box still shows it unchanged.
void setBoxText(QLineEdit* box, const QString& text);
QString boxText(const QLineEdit* box);
// A read-only box for a long report (see ReportBox): lines never wrap.
ReportBox* reportBox(QWidget* parent, const QString& name);
QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption);
// Option buttons with the same parent exclude each other.
QRadioButton* optionButton(QWidget* parent, const QString& name, const QString& caption);
QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption);
QListWidget* listBox(QWidget* parent, const QString& name);
// Makes a list box whose pick sets off work choose by Enter: the arrows, page keys, Home, End (also
// with Shift, Ctrl or Alt) and typed text (as in a drop-down list) only move the current item; Enter chooses it (one Click),
// and so does Space, unless it goes on with a typed text that an item goes on with ("Jordan H");
// a click chooses as in any list. Once the list is left, its current item is the chosen one again.
void keysOnlyMove(QListWidget* list);
// A drop-down list (`editable` false) or a drop-down combo the user may type into. Filling it
// selects nothing; typed text is neither completed nor added to the list. Leaving it, opening its
// list or Enter in it selects nothing either, also when its text reads as an item: a combo that a
// form left showing an item unselected stays unselected until the user picks or code selects.
// Its list opens on the item its text reads as, and Up, Down, PageUp and PageDown in the closed
// box go on from that item (Home and End stay the typed text's). In a drop-down list the text
// typed while the keys come quickly (QApplication::keyboardInputInterval), blanks included,
// picks the first item from the current one on that begins with it, an apostrophe matching a
// backquote (see TypedSearch); the list opens by Alt+Down, F4 or a click, not by Space. The wheel
// never changes its pick (see wheelNeverPicks).
QComboBox* comboBox(QWidget* parent, const QString& name, bool editable);

// Name of one control of a control array: arrayName("txtHome", 0) is "txtHome(0)".
QString arrayName(const QString& name, int index);

// Pixels of a length in twips (15 twips to the pixel), for layouts given in twips.
int twips(int length);
// Places a control at left, top, width and height given in twips (a form: its frame at left, top).
void place(QWidget* control, int left, int top, int width, int height);

// Tab stops of a multi-line text box in dialog units (a quarter of the average character width
// of the box's font): one stop repeats every that many units; several are the positions of the
// stops. An empty list changes nothing.
void setTabStops(QPlainTextEdit* box, const std::vector<int>& stops);
void setTabStops(ReportBox* box, const std::vector<int>& stops);
// One dialog unit of the font, in pixels: what setTabStops counts its stops in, unless the box is
// too narrow for its columns at that unit: then the unit is smaller, so that the columns (the
// last as wide as the one before it) end inside the box.
qreal dialogUnit(const QFont& font);
// The dialog unit setTabStops sets these stops of the report box in, in pixels.
qreal tabUnit(const ReportBox* box, const std::vector<int>& stops);

}  // namespace ui
