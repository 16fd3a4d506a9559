#include "core/settings_rows.h"

#include "core/connection.h"

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
    db::Recordset rs = openRecordsetForUpdate(QStringLiteral("Select * From License"));
    rs.addNew();
    rs.setField(QStringLiteral("Seq"), 1);
    rs.setField(QStringLiteral("school"), kTemplateSchoolName);
    rs.setField(QStringLiteral("Version"), QStringLiteral("3"));
    rs.update();
    closeRecordset(rs);
}

void saveSchoolName(const QString& school, const db::RowImage& shown) {
    ConnectionScope connection;
    db::Recordset rs = openRecordsetForUpdate(QStringLiteral("SELECT * FROM License WHERE Seq = 1"));
    if (rs.isEOF()) throw db::DbError(QStringLiteral("The database has no settings row 1."));
    rs.expectRow(shown);
    rs.setField(QStringLiteral("school"), school);
    rs.update();
    closeRecordset(rs);
}

void saveDbDescription(const QString& description, const db::RowImage& shown) {
    ConnectionScope connection;
    db::Recordset rs = openRecordsetForUpdate(QStringLiteral("SELECT * FROM License WHERE seq = 2"));
    if (rs.isEOF() && shown.names.empty()) {
        rs.addNew();
        rs.setField(QStringLiteral("Seq"), 2);
    } else {
        rs.expectRow(shown);
    }
    rs.setField(QStringLiteral("school"), description.isEmpty() ? QStringLiteral(" ") : description);
    rs.update();
    closeRecordset(rs);
}
