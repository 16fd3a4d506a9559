#include "team/frmImport.h"

#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QStringList>
#include <utility>
#include <vector>

#include "core/connection.h"
#include "core/save_rules.h"
#include "core/frmHelp.h"
#include "core/helpers.h"
#include "platform/ui/ui.h"
#include "team/frmSchools.h"
#include "team/same_name.h"
#include "team/school_division.h"
#include "team/school_list_file.h"

namespace {

constexpr int kDivisionRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;
constexpr int kSeqRole = Qt::UserRole + 2;

struct Entry {
    QString division;
    QString name;
    long long seq;
    db::RowImage stored;
};

std::vector<Entry> entriesOf(const QListWidget* list) {
    std::vector<Entry> entries;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        entries.push_back({item->data(kDivisionRole).toString().trimmed(),
                           item->data(kNameRole).toString().trimmed(),
                           item->data(kSeqRole).toLongLong(), shownRow(item)});
    }
    return entries;
}

struct StoredSchool {
    long long seq;
    QString name;
    db::Value division;
    db::RowImage row;
};

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
    return recordsExist(QStringLiteral("SELECT * FROM [Match] WHERE SeqOppSchool = ?"), {seq}) ||
           recordsExist(QStringLiteral("SELECT * FROM DualScore WHERE seqOppSchool = ?"), {seq});
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
    // Delete strikes the chosen entry out as a double-click (or Enter) does.
    const std::pair<QListWidget*, void (frmImport::*)()> lists[] = {
        {lstAdd, &frmImport::lstAdd_DblClick},
        {lstChange, &frmImport::lstChange_DblClick},
        {lstDelete, &frmImport::lstDelete_DblClick}};
    for (const auto& [list, strikeOut] : lists)
        ui::onKeyDown(list, [this, strikeOut](int& key) {
            if (key != Qt::Key_Delete) return;
            (this->*strikeOut)();
            key = 0;
        });
    ui::onClick(cmdImport, [this] { cmdImport_Click(); });
    ui::onClick(cmdCancel, [this] { cmdCancel_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
}

void frmImport::addEntry(QListWidget* list, const QString& division, const QString& name,
                         long long seq, const db::RowImage& stored) {
    auto* item = new QListWidgetItem(division + QStringLiteral("  ") + name);
    item->setData(kDivisionRole, division);
    item->setData(kNameRole, name);
    item->setData(kSeqRole, seq);
    keepShownRow(item, stored);
    list->addItem(item);
}

void frmImport::Form_Load() {
    const SchoolList file = readSchoolList(gImportFile);
    if (!file.refusal.isEmpty()) {
        refused_ = true;
        ui::msgBox(file.refusal, ui::Buttons::OK, QStringLiteral("Error"));
        return;
    }

    std::vector<StoredSchool> stored;
    {
        ConnectionScope connection;
        db::Recordset rs = openRecordset(QStringLiteral("SELECT * FROM OppSchool"));
        while (!rs.isEOF()) {
            stored.push_back({rs.field(QStringLiteral("Seq")).toInt(),
                              rs.field(QStringLiteral("OppSchool")).toString(),
                              rs.field(QStringLiteral("OppDiv")), rs.image()});
            rs.moveNext();
        }
        closeRecordset(rs);
    }

    // Names compare as the school form compares them; of stored schools sharing a name the first
    // stands for them all.
    QHash<QString, const StoredSchool*> storedByName;
    for (const StoredSchool& school : stored) {
        const QString key = nameKey(school.name);
        if (!storedByName.contains(key)) storedByName.insert(key, &school);
    }

    // A school the file names more than once, in whatever letter case, is taken once: the first
    // time.
    QSet<QString> listed;
    for (const SchoolListRecord& record : file.records) {
        const QString key = nameKey(record.name);
        if (listed.contains(key)) continue;
        listed.insert(key);
        const StoredSchool* school = storedByName.value(key);
        if (!school)
            addEntry(lstAdd, record.division, record.name);
        else if (plainDivision(school->division) != record.division)
            addEntry(lstChange, record.division, record.name, school->seq, school->row);
    }
    for (const StoredSchool& school : stored)
        if (!listed.contains(nameKey(school.name)))
            addEntry(lstDelete, signedDivision(school.division), school.name, school.seq, school.row);
}

void frmImport::lstAdd_DblClick() { removeSelected(lstAdd); }
void frmImport::lstChange_DblClick() { removeSelected(lstChange); }
void frmImport::lstDelete_DblClick() { removeSelected(lstDelete); }

void frmImport::cmdImport_Click() {
    // Refused, the school list shows the schools as they now are, to be imported again.
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

    // One transaction: the table is brought into line with the file completely or not at all. A
    // school that another copy of the program changed or deleted since the lists were made
    // leaves it as it was.
    const bool saved = saveChecked([&] {
        for (const Entry& entry : deletes) {
            db::Recordset rs = openRecordsetForUpdate(
                QStringLiteral("SELECT * FROM OppSchool WHERE Seq = ?"), {entry.seq});
            rs.expectRow(entry.stored);
            if (isReferenced(entry.seq))
                kept << entry.name;
            else
                rs.deleteRow();
            closeRecordset(rs);
        }
        for (const Entry& entry : changes) {
            db::Recordset rs = openRecordsetForUpdate(
                QStringLiteral("SELECT * FROM OppSchool WHERE Seq = ?"), {entry.seq});
            rs.expectRow(entry.stored);
            rs.setField(QStringLiteral("OppSchool"), entry.name);
            rs.setField(QStringLiteral("OppDiv"), divisionValue(entry.division));
            rs.update();
            closeRecordset(rs);
        }
        // A school another copy added since the lists were made is not added twice.
        QSet<QString> there;
        db::Recordset names = openRecordset(QStringLiteral("SELECT OppSchool FROM OppSchool"));
        for (; !names.isEOF(); names.moveNext()) there.insert(nameKey(names.field(0).toString()));
        closeRecordset(names);
        for (const Entry& entry : adds)
            requireStill(!there.contains(nameKey(entry.name)),
                         QStringLiteral("Nothing was saved: another program, or another copy of this one, "
                                        "has added the school %1 since the lists were made here.  Look at "
                                        "the schools again as they are now.")
                             .arg(entry.name));
        db::Recordset rs = openRecordsetForUpdate(QStringLiteral("SELECT * FROM OppSchool"));
        for (const Entry& entry : adds) {
            rs.addNew();
            rs.setField(QStringLiteral("OppSchool"), entry.name);
            rs.setField(QStringLiteral("OppDiv"), divisionValue(entry.division));
            rs.update();
        }
        closeRecordset(rs);
    });
    if (!saved) return;

    form->lstDelete->clear();
    form->lstChange->clear();
    form->lstAdd->clear();
    if (!kept.isEmpty())
        ui::msgBox(QStringLiteral("These schools have matches or dual meet scores and were not deleted:\r\n") +
                       kept.join(QStringLiteral("\r\n")),
                   ui::Buttons::OK, QStringLiteral("Import"));
}
