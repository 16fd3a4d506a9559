#include "team/frmEditWeight.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>

#include "core/connection.h"
#include "core/save_rules.h"
#include "core/frmHelp.h"
#include "matches/frmMatchInfo.h"
#include "platform/ui/ui.h"

namespace {
const QString kOneWeight = QStringLiteral("Select * From Weight Where Seq = ?");

// Whether a bout or a roster entry uses the class keyed `seq`.
bool weightInUse(long long seq) {
    ConnectionScope connection;
    return recordsExist(QStringLiteral("SELECT Seq FROM [Match] WHERE SeqWeight = ?"), {seq}) ||
           recordsExist(QStringLiteral("SELECT Seq FROM Roster WHERE SeqWeight = ?"), {seq});
}
}  // namespace

frmEditWeight::frmEditWeight() {
    setWindowTitle(QStringLiteral("Edit Weights"));
    setFixedSize(ui::twips(4560), ui::twips(4800));

    lstWeight = ui::listBox(this, QStringLiteral("lstWeight"));
    ui::place(lstWeight, 120, 120, 2100, 3840);
    txtWeight = ui::textBox(this, QStringLiteral("txtWeight"));
    txtWeight->setAlignment(Qt::AlignCenter);
    ui::place(txtWeight, 2460, 120, 1920, 360);
    cmdAddNew = ui::button(this, QStringLiteral("cmdAddNew"), QStringLiteral("&Add New"));
    ui::place(cmdAddNew, 2460, 660, 1920, 450);
    cmdRename = ui::button(this, QStringLiteral("cmdRename"), QStringLiteral("&Rename"));
    ui::place(cmdRename, 2460, 1230, 1920, 450);
    cmdDelete = ui::button(this, QStringLiteral("cmdDelete"), QStringLiteral("&Delete"));
    ui::place(cmdDelete, 2460, 1800, 1920, 450);
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return "));
    ui::place(cmdReturn, 120, 4140, 2100, 450);
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    ui::place(cmdHelp, 2460, 4140, 1920, 450);

    ui::onClick(lstWeight, [this] { lstWeight_Click(); });
    ui::onClick(cmdAddNew, [this] { cmdAddNew_Click(); });
    ui::onClick(cmdRename, [this] { cmdRename_Click(); });
    ui::onClick(cmdDelete, [this] { cmdDelete_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
}

void frmEditWeight::Form_Load() {
    loadWeights();
    // The form opens for a class to be typed: the focus waits in the box.
    txtWeight->setFocus();
}

void frmEditWeight::loadWeights() {
    txtWeight->clear();
    lstWeight->clear();
    ConnectionScope connection;
    db::Recordset rs = openRecordset(QStringLiteral("SELECT Seq, Weight FROM Weight ORDER BY Weight"));
    while (!rs.isEOF()) {
        auto* item = new QListWidgetItem(rs.field(QStringLiteral("Weight")).toString());
        item->setData(Qt::UserRole, rs.field(QStringLiteral("Seq")).toInt());
        keepShownRow(item, rs.image());
        lstWeight->addItem(item);
        rs.moveNext();
    }
    closeRecordset(rs);
}

long long frmEditWeight::selectedSeq() const {
    const QListWidgetItem* item = lstWeight->currentItem();
    if (!item || !item->isSelected()) return 0;
    return item->data(Qt::UserRole).toLongLong();
}

void frmEditWeight::lstWeight_Click() {
    if (const QListWidgetItem* item = lstWeight->currentItem()) txtWeight->setText(item->text());
}

void frmEditWeight::cmdAddNew_Click() {
    // The next class is typed into the box, whatever comes of this one.
    ui::giveFocus(txtWeight);
    // A box of blanks names no class.
    const QString weight = txtWeight->text().trimmed();
    if (weight.isEmpty()) return;

    saveChecked([&] {
        requireStill(!recordsExist(QStringLiteral("Select * From Weight Where Weight = ?"), {weight}),
                     QStringLiteral("Weight already exists"), QStringLiteral("Error"));
        db::Recordset add =
            openRecordsetForUpdate(QStringLiteral("Select * From Weight Where Weight = ?"), {weight});
        add.addNew();
        add.setField(QStringLiteral("weight"), weight);
        add.update();
        closeRecordset(add);
    });
    loadWeights();
}

void frmEditWeight::cmdRename_Click() {
    const QString weight = txtWeight->text().trimmed();
    const long long seq = selectedSeq();
    // The selected class gets the text of the box; with no class selected or an empty box
    // there is nothing to rename.
    if (weight.isEmpty() || seq == 0) return;

    onShownRow(kOneWeight, {seq}, shownRow(lstWeight->currentItem()), [&](db::Recordset& rs) {
        rs.setField(QStringLiteral("weight"), weight);
        rs.update();
    });
    loadWeights();
}

void frmEditWeight::cmdDelete_Click() {
    // The selected class is the one deleted, and only when no bout or roster entry uses it.
    const long long seq = selectedSeq();
    if (seq == 0) return;
    const QString weight = lstWeight->currentItem()->text();

    // Looked for again in the delete's transaction: a bout or roster entry another copy saves
    // at this class while the question is open is found.
    const QString inUse =
        QStringLiteral("Matches or Rosters use weight ") + weight + QStringLiteral(".  Unable to Delete");
    if (weightInUse(seq)) {
        ui::msgBox(inUse, ui::Buttons::OK, QStringLiteral("Error"));
        return;
    }
    if (ui::msgBox(QStringLiteral("Delete weight ") + weight + QStringLiteral("?"),
                   ui::Buttons::YesNo, QStringLiteral("Delete Weight")) != ui::Answer::Yes)
        return;

    saveChecked([&] {
        db::Recordset rs = openShownRow(kOneWeight, {seq}, shownRow(lstWeight->currentItem()));
        requireStill(!weightInUse(seq), inUse, QStringLiteral("Error"));
        rs.deleteRow();
        closeRecordset(rs);
    });
    txtWeight->clear();
    loadWeights();
}

void frmEditWeight::cmdReturn_Click() {
    frmMatchInfo* entry = ui::forms().get<frmMatchInfo>();
    entry->loadWtClass();
    entry->show();
    ui::forms().unload<frmEditWeight>();
}

void frmEditWeight::cmdHelp_Click() {
    const QStringList lines = {
        QStringLiteral("Editing the Weights"),
        QString(),
        QStringLiteral("Adding a Weight:"),
        QStringLiteral("    Enter weight in box and click 'Add New'"),
        QString(),
        QStringLiteral("Changing a Weight:"),
        QStringLiteral("    Select the weight to change, edit it, then click 'Rename'"),
        QString(),
        QStringLiteral("Deleting a Weight"),
        QStringLiteral("    Select the row and click 'Delete'"),
    };
    showHelp(lines.join(QStringLiteral("\r\n")));
}
