#include "core/settings_rows.h"

#include "core/connection.h"
#include "platform/db/DbError.h"

void loadSettingsRow() {
    ConnectionScope connection;
    db::Recordset rs = openRecordset(QStringLiteral("SELECT * FROM License WHERE Seq = 1"));
    if (rs.isEOF()) {
        closeRecordset(rs);
        createSettingsRow();
        loadSettingsRow();
        return;
    }
    // A Null school reads as empty text; a version whose first character is no digit counts
    // like a Null one (version 3).
    gSchoolName = rs.field(QStringLiteral("school")).toString();
    const QString version = rs.field(QStringLiteral("Version")).toString();
    gDbVersion = !version.isEmpty() && version[0].isDigit() ? static_cast<short>(version[0].digitValue()) : 3;
    closeRecordset(rs);
}

void createSettingsRow() {
    ConnectionScope connection;
    runInTransaction([] {
        // Another copy opening the same file may have made it since it was found missing.
        if (recordsExist(QStringLiteral("SELECT Seq FROM License WHERE Seq = 1"))) return;
        db::Recordset rs = openRecordsetForUpdate(QStringLiteral("Select * From License"));
        rs.addNew();
        rs.setField(QStringLiteral("Seq"), 1);
        rs.setField(QStringLiteral("school"), kTemplateSchoolName);
        rs.setField(QStringLiteral("Version"), QStringLiteral("3"));
        rs.update();
        closeRecordset(rs);
    });
}

db::RowImage saveSchoolName(const QString& school, const db::RowImage& shown) {
    ConnectionScope connection;
    db::RowImage written;
    runInTransaction([&] {
        db::Recordset rs = openRecordsetForUpdate(QStringLiteral("SELECT * FROM License WHERE Seq = 1"));
        if (rs.isEOF()) throw db::DbError(QStringLiteral("The database has no settings row 1."));
        rs.expectRow(shown);
        rs.setField(QStringLiteral("school"), school);
        rs.update();
        written = rs.image();
        closeRecordset(rs);
    });
    return written;
}

db::RowImage saveDbDescription(const QString& description, const std::optional<db::RowImage>& shown) {
    ConnectionScope connection;
    db::RowImage written;
    runInTransaction([&] {
        db::Recordset rs = openRecordsetForUpdate(QStringLiteral("SELECT * FROM License WHERE seq = 2"));
        if (!shown && !rs.isEOF()) throw db::rowChangedError(QStringLiteral("License"));
        if (rs.isEOF() && (!shown || shown->names.empty())) {
            rs.addNew();
            rs.setField(QStringLiteral("Seq"), 2);
        } else {
            rs.expectRow(*shown);
        }
        rs.setField(QStringLiteral("school"), description.isEmpty() ? QStringLiteral(" ") : description);
        rs.update();
        written = rs.image();
        closeRecordset(rs);
    });
    return written;
}
