#include "team/wrestler_names.h"

#include <QRegularExpression>

#include "core/connection.h"

QStringList loadWrestlerNames(bool activeOnly, int season) {
    const QString sql =
        activeOnly
            ? QStringLiteral("SELECT FullName From Wrestler WHERE (wr_inactive = '0' or wr_inactive "
                             "is Null) AND Season = ? ORDER BY LastName, FirstName")
            : QStringLiteral("Select FullName From Wrestler  WHERE Season = ? ORDER BY LastName, "
                             "FirstName");
    QStringList names;
    ConnectionScope connection;
    db::Recordset rs = openRecordset(sql, {season});
    while (!rs.isEOF()) {
        const QString name = rs.field(QStringLiteral("FullName")).toString();
        if (!name.isEmpty() && name != QLatin1String("VOID")) names << name;  // callers skip empty names
        rs.moveNext();
    }
    closeRecordset(rs);
    return names;
}

QStringList loadWrestlerNames(bool activeOnly, const QString& season) {
    static const QRegularExpression year(QStringLiteral("^\\s*(\\d{4})\\s*$"));
    const QRegularExpressionMatch m = year.match(season);
    if (!m.hasMatch()) return {};
    return loadWrestlerNames(activeOnly, m.captured(1).toInt());
}
