#pragma once

#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace ui {

// The text without its invisible format characters (a zero-width space, a mark that turns the
// writing direction, the invisible tag letters): a name stored with one looks like another and
// sorts and compares apart from it. Taken character by character, not unit by unit.
QString withoutFormatCharacters(const QString& text);

// Makes every way of pasting into a one-line box paste one line: the paste key (Ctrl+V,
// Shift+Insert), the context menu's Paste, the middle button's paste of the selection and a drop.
// Each line break becomes a blank, and so does a tab, vertical tab or form feed; the other
// control characters, the non-characters U+FFFE and U+FFFF and the format characters are
// dropped: Qt's own box would insert them and the form store them. A paste longer than the box
// takes is not cut: nothing is pasted, and a message says so. The keys of a combo box's text box
// come to the combo box (`keyTarget`).
void filterPaste(QLineEdit* box, QWidget* keyTarget = nullptr);
// The most characters a multi-line box takes by typing or pasting: room for any note a coach
// writes, and a text that the box lays out without keeping the program busy.
inline constexpr int kMultiLineMaxLength = 32767;
// A multi-line box whose pastes and drops are filtered as a one-line box's, its line breaks kept.
// Its text grows to kMultiLineMaxLength characters at most: a key that would type past it is
// refused, and so is a longer paste, with the one-line box's message.
QPlainTextEdit* multiLinePasteBox(QWidget* parent);

}  // namespace ui
