#pragma once

// Input as a person gives it, where QTest has no single call for it.

#include <QString>

class QComboBox;

// Opens the drop-down with a mouse click and clicks the item reading `text` in its list. Returns
// false (the list left open) when no item reads so.
bool pickWithMouse(QComboBox* combo, const QString& text);
