#include "core/save_rules.h"

#include <QListWidgetItem>

#include "core/connection.h"
#include "platform/db/DbError.h"
#include "platform/ui/Messages.h"

void requireStill(bool holds, const QString& message, const QString& title) {
    if (!holds) throw SaveRefused(message, title);
}

void requireRowStill(bool holds, const QString& table) {
    if (!holds) throw SaveRefused(db::rowChangedError(table).message());
}

bool saveChecked(const std::function<void()>& write) {
    return tellRowChanged([&] {
        ConnectionScope connection;
        runInTransaction(write);
    });
}

bool onShownRow(const QString& sql, const db::Params& params, const db::RowImage& shown,
                const std::function<void(db::Recordset&)>& use) {
    return tellRowChanged([&] {
        ConnectionScope connection;
        db::Recordset rs = openShownRow(sql, params, shown);
        use(rs);
        closeRecordset(rs);
    });
}

db::Recordset openShownRow(const QString& sql, const db::Params& params, const db::RowImage& shown) {
    db::Recordset rs = openRecordsetForUpdate(sql, params);
    rs.expectRow(shown);
    return rs;
}

bool tellRowChanged(const std::function<void()>& write) {
    try {
        write();
        return true;
    } catch (const SaveRefused& refusal) {
        ui::msgBox(refusal.message(), ui::Buttons::OK, refusal.title());
        return false;
    } catch (const db::DbError& error) {
        if (error.kind() != db::DbError::Kind::RowChanged) throw;
        ui::msgBox(error.message(), ui::Buttons::OK, QStringLiteral("ERROR"));
        return false;
    }
}

namespace {
constexpr int kShownRowRole = Qt::UserRole + 7;
}  // namespace

void keepShownRow(QListWidgetItem* item, const db::RowImage& row) {
    item->setData(kShownRowRole, QVariant::fromValue(row));
}

db::RowImage shownRow(const QListWidgetItem* item) {
    return item ? item->data(kShownRowRole).value<db::RowImage>() : db::RowImage();
}
