#include "team/frmImport.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <cmath>
#include <vector>

#include "core/connection.h"
#include "core/frmHelp.h"
#include "core/helpers.h"
#include "platform/ui/ui.h"
#include "team/frmSchools.h"
#include "team/school_list_file.h"

namespace {

constexpr int kDivisionRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

struct Entry {
    QString division;
    QString name;
};

std::vector<Entry> entriesOf(const QListWidget* list) {
    std::vector<Entry> entries;
    for (int i = 0; i < list->count(); ++i)
        entries.push_back({list->item(i)->data(kDivisionRole).toString().trimmed(),
                           list->item(i)->data(kNameRole).toString().trimmed()});
    return entries;
}

// OppDiv of a division text: the number it begins with, 0 when it begins with none.
db::Value divisionValue(const QString& text) {
    const double d = leadingNumber(text);
    if (std::floor(d) == d && std::fabs(d) < 1e15) return db::Value(static_cast<long long>(d));
    return db::Value(d);
}

// The stored division written as the file writes it: plain decimal, no leading blank.
QString plainDivision(const db::Value& division) {
    if (division.isNull()) return QString();
    if (division.kind() == db::Value::Kind::Integer) return QString::number(division.toInt());
    return QString::number(division.toDouble());
}

QString signedDivision(const db::Value& division) {
    if (division.kind() == db::Value::Kind::Real) return signedNumberText(division.toDouble());
    return signedNumberText(static_cast<long long>(division.toInt()));
}

void removeSelected(QListWidget* list) {
    QListWidgetItem* item = list->currentItem();
    if (item && item->isSelected()) delete list->takeItem(list->row(item));
}

bool isReferenced(long long seq) {
    db::Recordset matches =
        openRecordset(QStringLiteral("SELECT * FROM [Match] WHERE SeqOppSchool = ?"), {seq});
    db::Recordset duals =
        openRecordset(QStringLiteral("SELECT * FROM DualScore WHERE seqOppSchool = ?"), {seq});
    const bool referenced = !matches.isEOF() || !duals.isEOF();
    closeRecordset(matches);
    closeRecordset(duals);
    return referenced;
}

}  // namespace

frmImport::frmImport() {
    setWindowTitle(QStringLiteral("School Import"));
    setFixedSize(ui::twips(11400), ui::twips(6600));

    Frame1 = ui::frame(this, QStringLiteral("Frame1"), QStringLiteral("Adds"));
    ui::place(Frame1, 120, 120, 3600, 4800);
    lstAdd = ui::listBox(Frame1, QStringLiteral("lstAdd"));
    ui::place(lstAdd, 120, 300, 3360, 4380);
    Frame2 = ui::frame(this, QStringLiteral("Frame2"), QStringLiteral("Division Change"));
    ui::place(Frame2, 3900, 120, 3600, 4800);
    lstChange = ui::listBox(Frame2, QStringLiteral("lstChange"));
    ui::place(lstChange, 120, 300, 3360, 4380);
    Frame3 = ui::frame(this, QStringLiteral("Frame3"), QStringLiteral("Deletes"));
    ui::place(Frame3, 7680, 120, 3600, 4800);
    lstDelete = ui::listBox(Frame3, QStringLiteral("lstDelete"));
    ui::place(lstDelete, 120, 300, 3360, 4380);

    lblIntructions = ui::label(
        this, QStringLiteral("lblIntructions"),
        QStringLiteral("Double Click on a school to remove from list.  Click Import to implement changes."));
    ui::place(lblIntructions, 120, 5040, 11160, 330);
    cmdImport = ui::button(this, QStringLiteral("cmdImport"), QStringLiteral("&Import"));
    ui::place(cmdImport, 2400, 5640, 1800, 495);
    cmdCancel = ui::button(this, QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"));
    ui::place(cmdCancel, 4800, 5640, 1800, 495);
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    ui::place(cmdHelp, 7200, 5640, 1800, 495);

    ui::onDblClick(lstAdd, [this] { lstAdd_DblClick(); });
    ui::onDblClick(lstChange, [this] { lstChange_DblClick(); });
    ui::onDblClick(lstDelete, [this] { lstDelete_DblClick(); });
    ui::onClick(cmdImport, [this] { cmdImport_Click(); });
    ui::onClick(cmdCancel, [this] { cmdCancel_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
}

void frmImport::addEntry(QListWidget* list, const QString& division, const QString& name) {
    auto* item = new QListWidgetItem(division + QStringLiteral("  ") + name);
    item->setData(kDivisionRole, division);
    item->setData(kNameRole, name);
    list->addItem(item);
}

void frmImport::Form_Load() {
    bool readable = false;
    const std::vector<SchoolListRecord> records = readSchoolList(gImportFile, readable);
    if (!readable) {
        ui::msgBox(QStringLiteral("Unable to read the school list file ") + gImportFile,
                   ui::Buttons::OK, QStringLiteral("Error"));
        return;
    }

    openConnection();
    for (const SchoolListRecord& record : records) {
        db::Recordset rs =
            openRecordset(QStringLiteral("SELECT * FROM OppSchool WHERE OppSchool = ?"), {record.name});
        if (rs.isEOF())
            addEntry(lstAdd, record.division, record.name);
        else if (plainDivision(rs.field(QStringLiteral("OppDiv"))) != record.division)
            addEntry(lstChange, record.division, record.name);
        closeRecordset(rs);
    }

    // A stored school that the file lists, in whatever letter case, stays: the look-up above
    // found it the same way.
    db::Recordset stored = openRecordset(QStringLiteral("SELECT * FROM OppSchool"));
    while (!stored.isEOF()) {
        const QString name = stored.field(QStringLiteral("OppSchool")).toString();
        bool listed = false;
        for (const SchoolListRecord& record : records) {
            if (record.name.compare(name, Qt::CaseInsensitive) == 0) {
                listed = true;
                break;
            }
        }
        if (!listed) addEntry(lstDelete, signedDivision(stored.field(QStringLiteral("OppDiv"))), name);
        stored.moveNext();
    }
    closeRecordset(stored);
    closeConnection();
}

void frmImport::lstAdd_DblClick() { removeSelected(lstAdd); }
void frmImport::lstChange_DblClick() { removeSelected(lstChange); }
void frmImport::lstDelete_DblClick() { removeSelected(lstDelete); }

void frmImport::cmdImport_Click() {
    applySchoolImport();
    cmdCancel_Click();
}

void frmImport::cmdCancel_Click() {
    // The fresh school list returns to whichever form opened the one it replaces.
    const bool fromRoster = ui::forms().isLoaded<frmSchools>() &&
                            ui::forms().get<frmSchools>()->cmdReturn->isHidden();
    ui::forms().unload<frmSchools>();
    frmSchools* schools = ui::forms().get<frmSchools>();
    schools->show();
    if (fromRoster) {
        schools->cmdReturn2->show();
        schools->cmdReturn->hide();
    }
    ui::forms().unload<frmImport>();
}

void frmImport::cmdHelp_Click() {
    const QStringList lines = {
        QStringLiteral("Importing Schools"),
        QString(),
        QStringLiteral("This screen shows what schools will be updated"),
        QStringLiteral("    The list on the left shows all schools that will be added."),
        QStringLiteral("    The list in the middle shows the schools that have a division change."),
        QStringLiteral("    The list on the right is the list of schools that are in your list but"),
        QStringLiteral("    not in the updated listing."),
        QStringLiteral("    "),
        QStringLiteral("    To prevent any of the updates, double click the entry to remove from list"),
    };
    showHelp(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

void applySchoolImport() {
    frmImport* form = ui::forms().get<frmImport>();
    const std::vector<Entry> deletes = entriesOf(form->lstDelete);
    const std::vector<Entry> changes = entriesOf(form->lstChange);
    const std::vector<Entry> adds = entriesOf(form->lstAdd);
    QStringList kept;

    openConnection();
    try {
        // One transaction: the table is brought into line with the file completely or not at all.
        gConn.execute(QStringLiteral("BEGIN"));
        for (const Entry& entry : deletes) {
            db::Recordset rs = openRecordsetForUpdate(
                QStringLiteral("SELECT * FROM OppSchool WHERE OppSchool = ?;"), {entry.name});
            // A school gone meanwhile (deleted already, or stored with blanks around its name)
            // has nothing left to delete.
            if (!rs.isEOF()) {
                if (isReferenced(rs.field(QStringLiteral("Seq")).toInt()))
                    kept << entry.name;
                else
                    rs.deleteRow();
            }
            closeRecordset(rs);
        }
        for (const Entry& entry : changes) {
            db::Recordset rs = openRecordsetForUpdate(
                QStringLiteral("SELECT * FROM OppSchool WHERE OppSchool= ?"), {entry.name});
            if (!rs.isEOF()) {
                rs.setField(QStringLiteral("OppSchool"), entry.name);
                rs.setField(QStringLiteral("OppDiv"), divisionValue(entry.division));
                rs.update();
            }
            closeRecordset(rs);
        }
        db::Recordset rs = openRecordsetForUpdate(QStringLiteral("SELECT * FROM OppSchool"));
        for (const Entry& entry : adds) {
            rs.addNew();
            rs.setField(QStringLiteral("OppSchool"), entry.name);
            rs.setField(QStringLiteral("OppDiv"), divisionValue(entry.division));
            rs.update();
        }
        closeRecordset(rs);
        gConn.execute(QStringLiteral("COMMIT"));
    } catch (const db::DbError&) {
        closeConnection();  // rolls the open transaction back
        throw;
    }
    closeConnection();

    form->lstDelete->clear();
    form->lstChange->clear();
    form->lstAdd->clear();
    if (!kept.isEmpty())
        ui::msgBox(QStringLiteral("These schools have matches or dual meet scores and were not deleted:\r\n") +
                       kept.join(QStringLiteral("\r\n")),
                   ui::Buttons::OK, QStringLiteral("Import"));
}
