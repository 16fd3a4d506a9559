#include "core/match_seasons.h"

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
