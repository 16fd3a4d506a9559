#include "core/shown_rows.h"

#include <QListWidgetItem>

#include "core/connection.h"
#include "platform/db/DbError.h"
#include "platform/ui/Messages.h"

bool onShownRow(const QString& sql, const db::Params& params, const db::RowImage& shown,
                const std::function<void(db::Recordset&)>& use) {
    return tellRowChanged([&] {
        ConnectionScope connection;
        db::Recordset rs = openRecordsetForUpdate(sql, params);
        rs.expectRow(shown);
        use(rs);
        closeRecordset(rs);
    });
}

bool tellRowChanged(const std::function<void()>& write) {
    try {
        write();
        return true;
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
