#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "platform/ui/TypedChoice.h"

// The label of every season that has a dated match, in the order of the match dates, each once.
QStringList matchSeasonLabels();

// The season a coach types: its label ("2025-2026"), or a year alone, the season that starts in
// it ("2025"); blanks around it allowed. Nothing for any other text.
std::optional<short> typedSeason(const QString& text);
// The label of the season a coach types ("2025" gives "2025-2026"); nothing for any other text.
std::optional<QString> typedSeasonLabel(const QString& text);
// What a season box says to a text that is no season.
inline const QString kSeasonFormatMessage = QStringLiteral("Season must be given as in 2010-2011");
// The rule of a season box: a typed season is shown by its label and taken (`take`); any other
// text is refused with the season message. `shown` gives the season on screen.
ui::TypedChoice seasonChoice(std::function<QString()> shown, ui::Handler take);
