#include "core/received_dates.h"

#include <algorithm>
#include <map>
#include <optional>

#include "core/connection.h"
#include "core/frmWait.h"
#include "platform/ui/ui.h"

namespace {

// The columns whose dates are still to be stored, by the file (db::Connection::fileGeneration);
// none once they are.
std::map<long long, QStringList>& datesToStore() {
    static std::map<long long, QStringList> files;
    return files;
}

QString bracketed(const QString& name) { return QLatin1Char('[') + name + QLatin1Char(']'); }

// The columns of `dateColumns` that hold a date in another form than the program's own; nothing
// while another program holds the file.
std::optional<QStringList> columnsToStore(const QStringList& dateColumns) {
    QStringList found;
    for (const QString& date : dateColumns) {
        const QString column = bracketed(date.section(QLatin1Char('.'), 1));
        try {
            if (gConn.hasRow(QStringLiteral("SELECT 1 FROM ") + bracketed(date.section(QLatin1Char('.'), 0, 0)) +
                             QStringLiteral(" WHERE DateToStore(") + column + QStringLiteral(") IS NOT NULL")))
                found << date;
        } catch (const db::DbError& error) {
            if (error.kind() == db::DbError::Kind::InUse) return std::nullopt;
            // A table not there yet (a version-7 file).
        }
    }
    return found;
}

// Rows are rewritten a share at a time, so that the wait window can show how far it has come.
constexpr int kShares = 20;

void storeColumns(const QStringList& columns) {
    // A wait window already shown by the work that opened the file stays as that work showed it.
    const bool waitShownAlready = ui::forms().isLoaded<frmWait>();
    struct WaitWindowGone {
        bool keep;
        ~WaitWindowGone() {
            if (!keep) ui::forms().unload<frmWait>();
        }
    } gone{waitShownAlready};
    frmWait* wait = waitShownAlready ? nullptr : ui::forms().get<frmWait>();
    const auto showProgress = [wait](int percent) {
        if (wait) wait->showProgress(percent);
    };
    showProgress(0);
    int sharesDone = 0;
    const int sharesInAll = kShares * static_cast<int>(columns.size());
    for (const QString& date : columns) {
        const QString table = bracketed(date.section(QLatin1Char('.'), 0, 0));
        const QString column = bracketed(date.section(QLatin1Char('.'), 1));
        // Every row, whatever Seq a received file gives it (0 and below too).
        db::Recordset range = openRecordset(QStringLiteral("SELECT Min(Seq) AS First, Max(Seq) AS Last FROM ") + table);
        const long long first = range.field(0).toInt();
        const long long last = range.field(1).toInt();
        const long long share = std::max(1LL, (last - first) / kShares + 1);
        for (long long from = first - 1; from <= last; from += share) {
            gConn.execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + column +
                              QStringLiteral(" = DateToStore(") + column +
                              QStringLiteral(") WHERE Seq > ? AND Seq <= ? AND DateToStore(") + column +
                              QStringLiteral(") IS NOT NULL"),
                          {db::Value(from), db::Value(from + share)});
            showProgress(100 * std::min(++sharesDone, sharesInAll) / sharesInAll);
        }
    }
}

}  // namespace

void storeDatesAsDates(const QStringList& dateColumns) {
    const long long file = gConn.fileGeneration();
    auto pending = datesToStore().find(file);
    if (pending == datesToStore().end()) {
        const std::optional<QStringList> found = columnsToStore(dateColumns);
        if (!found) return;  // looked at again at the next connection
        pending = datesToStore().emplace(file, *found).first;
    }
    if (pending->second.isEmpty()) return;
    try {
        if (gConn.inTransactionIfFree([&] { storeColumns(pending->second); })) pending->second.clear();
    } catch (const db::DbError&) {
        // A file that takes no writes keeps its dates as they are.
    }
}
