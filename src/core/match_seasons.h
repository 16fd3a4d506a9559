#pragma once

#include <QStringList>
#include <optional>

// The label of every season that has a dated match, in the order of the match dates, each once.
QStringList matchSeasonLabels();

// The season a coach types: its label ("2025-2026"), or a year alone, the season that starts in
// it ("2025"); blanks around it allowed. Nothing for any other text.
std::optional<short> typedSeason(const QString& text);
