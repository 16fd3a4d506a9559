#pragma once

#include <QStringView>
#include <functional>

// How many leading characters of `text` are no wider than `room`, as `width` measures a text (in
// any unit): 0 when not even the first character fits. A longer prefix is never narrower than a
// shorter one, so the count is found by stepping from `guess` in doubling steps until the width
// crosses `room` and then halving the step: a few measurements of about the part that fits,
// however long the text is (two when the guess is right, as the previous line's count is for the
// next line of a long word). A pair of UTF-16 units that make one character is never split.
qsizetype fittingLength(QStringView text, double room, const std::function<double(QStringView)>& width,
                        qsizetype guess = 1);
