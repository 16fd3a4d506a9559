#include "core/match_seasons.h"

#include <QRegularExpression>

#include "core/connection.h"
#include "core/helpers.h"

QStringList matchSeasonLabels() {
    QStringList labels;
    ConnectionScope connection;
    db::Recordset rs = openRecordset(QStringLiteral("SELECT DISTINCT Date FROM [Match] ORDER BY Date"));
    for (; !rs.isEOF(); rs.moveNext()) {
        const QDate date = rs.field(QStringLiteral("Date")).toDate();
        if (!date.isValid()) continue;  // a match without a date belongs to no season
        const QString label = seasonLabel(getSeason(date));
        if (!labels.contains(label)) labels << label;
    }
    closeRecordset(rs);
    return labels;
}

std::optional<short> typedSeason(const QString& text) {
    static const QRegularExpression season(QStringLiteral("^\\s*([1-9][0-9]{3})(?:\\s*-\\s*([0-9]{4}))?\\s*$"));
    const QRegularExpressionMatch m = season.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int first = m.captured(1).toInt();
    if (first > 9998) return std::nullopt;  // its end would be no year of four digits
    if (m.hasCaptured(2) && m.captured(2).toInt() != first + 1) return std::nullopt;
    return static_cast<short>(first);
}

std::optional<QString> typedSeasonLabel(const QString& text) {
    const std::optional<short> season = typedSeason(text);
    if (!season) return std::nullopt;
    return seasonLabel(*season);
}

ui::TypedChoice seasonChoice(std::function<QString()> shown, ui::Handler take) {
    return {typedSeasonLabel, std::move(shown), [](const QString&) { return kSeasonFormatMessage; }, std::move(take)};
}
