#include "team/FrmRoster.h"

#include <QApplication>
#include <QDate>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>

#include "core/connection.h"
#include "core/save_rules.h"
#include "core/frmHelp.h"
#include "core/frmInit.h"
#include "core/helpers.h"
#include "platform/ui/ui.h"
#include "team/frmSchools.h"

namespace {

const QString kEdit = QStringLiteral("&Edit");
const QString kEnterNew = QStringLiteral("&Enter New");
const QString kSave = QStringLiteral("&Save");
const QString kReSave = QStringLiteral("Re-&Save");
const QChar kSeparator(0xA0);  // between the date and the school of a saved-roster line
constexpr int kClassPlaces = 51;
constexpr int kLoadLimit = 99;
// The stored entries of one roster, by its date and school.
const QString kRosterEntries = QStringLiteral(
    "SELECT roster.seq, RosterDate, OppSchool, Weight, FName, LName "
    "FROM Weight INNER JOIN (OppSchool INNER JOIN Roster ON OppSchool.Seq = Roster.SeqSchool) "
    "ON Weight.Seq = Roster.SeqWeight "
    "WHERE (rosterDate = ?) And (OppSchool.Seq = ?) ORDER BY Weight, Fname");

long long firstSeq(const QString& sql, const QString& name) {
    ConnectionScope conn;
    db::Recordset rs = openRecordset(sql, {name});
    const long long seq = rs.isEOF() ? -1 : rs.field(QStringLiteral("Seq")).toInt();
    closeRecordset(rs);
    return seq;
}

}  // namespace

FrmRoster::FrmRoster() : rosterRows_(kRows) {
    buildControls();
    connectHandlers();
}

void FrmRoster::buildControls() {
    setWindowTitle(QStringLiteral("Opponent Roster"));
    setFixedSize(ui::twips(12600), ui::twips(7800));

    lblOppenent = ui::label(this, QStringLiteral("lblOppenent"), QStringLiteral("Opponent Roster"));
    QFont titleFont = lblOppenent->font();
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    lblOppenent->setFont(titleFont);
    ui::place(lblOppenent, 120, 60, 4800, 420);
    lblWtClass = ui::label(this, QStringLiteral("lblWtClass"), QStringLiteral("Weight Class"));
    ui::place(lblWtClass, 480, 540, 1220, 285);
    lblFName = ui::label(this, QStringLiteral("lblFName"), QStringLiteral("First Name"));
    ui::place(lblFName, 1700, 540, 1800, 285);
    lblLName = ui::label(this, QStringLiteral("lblLName"), QStringLiteral("Last Name"));
    ui::place(lblLName, 3600, 540, 2000, 285);
    Label1 = ui::label(this, QStringLiteral("Label1"), QStringLiteral("Opponent School"));
    ui::place(Label1, 5700, 540, 2600, 285);

    // Created line by line so that the tab order runs class, first, last, school down the grid.
    for (int k = 0; k < kLines; ++k) {
        const int top = 840 + k * 390;
        lblSeq[k] = ui::label(this, ui::arrayName(QStringLiteral("lblSeq"), k), QString::number(k + 1));
        ui::place(lblSeq[k], 120, top + 30, 420, 285);
        txtWt[k] = ui::textBox(this, ui::arrayName(QStringLiteral("txtWt"), k));
        ui::place(txtWt[k], 600, top, 1000, 345);
        txtFName[k] = ui::textBox(this, ui::arrayName(QStringLiteral("txtFName"), k));
        ui::place(txtFName[k], 1700, top, 1800, 345);
        txtLName[k] = ui::textBox(this, ui::arrayName(QStringLiteral("txtLName"), k));
        ui::place(txtLName[k], 3600, top, 2000, 345);
        txtSchool[k] = ui::textBox(this, ui::arrayName(QStringLiteral("txtSchool"), k));
        ui::place(txtSchool[k], 5700, top, 2600, 345);
        txtSchool[k]->setAcceptDrops(true);
        txtSchool[k]->installEventFilter(this);
        txtSeq[k] = ui::textBox(this, ui::arrayName(QStringLiteral("txtSeq"), k));
        txtSeq[k]->hide();
    }
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    ui::place(VScroll1, 8400, 840, 255, kLines * 390 - 45);

    fraSchool = ui::frame(this, QStringLiteral("fraSchool"), QStringLiteral("Find School"));
    ui::place(fraSchool, 8880, 540, 3600, 5700);
    txtFind = ui::textBox(fraSchool, QStringLiteral("txtFind"));
    ui::place(txtFind, 120, 300, 3360, 345);
    lstSchools = ui::listBox(fraSchool, QStringLiteral("lstSchools"));
    ui::place(lstSchools, 120, 720, 3360, 4860);
    lstSchools->setDragEnabled(true);
    lstSchools->setDragDropMode(QAbstractItemView::DragOnly);
    lstEdit = ui::listBox(fraSchool, QStringLiteral("lstEdit"));
    ui::place(lstEdit, 120, 300, 3360, 5280);
    lstEdit->hide();

    cmdSchools = ui::button(this, QStringLiteral("cmdSchools"), QStringLiteral("&Add Schools"));
    ui::place(cmdSchools, 8880, 6360, 1740, 495);
    cmdEdit = ui::button(this, QStringLiteral("cmdEdit"), kEdit);
    ui::place(cmdEdit, 10740, 6360, 1740, 495);
    cmdSave = ui::button(this, QStringLiteral("cmdSave"), kSave);
    ui::place(cmdSave, 1200, 6900, 1740, 495);
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    ui::place(cmdHelp, 3600, 6900, 1740, 495);
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    ui::place(cmdReturn, 6000, 6900, 1740, 495);
    txtRosterDate = ui::textBox(this, QStringLiteral("txtRosterDate"));
    txtRosterDate->hide();
}

void FrmRoster::connectHandlers() {
    ui::onChange(VScroll1, [this] { VScroll1_Change(); });
    ui::pageWithKeys(VScroll1, {{txtWt.begin(), txtWt.end()},
                                {txtFName.begin(), txtFName.end()},
                                {txtLName.begin(), txtLName.end()},
                                {txtSchool.begin(), txtSchool.end()}},
                     [this] {
                         std::vector<QWidget*> around{lblWtClass, lblFName, lblLName, Label1};
                         around.insert(around.end(), lblSeq.begin(), lblSeq.end());
                         return around;
                     }());
    for (int k = 0; k < kLines; ++k) {
        ui::onLostFocus(txtWt[k], [this, k] { txtWt_LostFocus(k); });
        ui::onLostFocus(txtLName[k], [this, k] { txtLName_LostFocus(k); });
        // Enter in a last name goes on as Tab does.
        ui::onKeyDown(txtLName[k], [this](int& key) {
            if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
            key = 0;
            focusNextPrevChild(true);
        });
        ui::onLostFocus(txtSchool[k], [this, k] { txtSchool_LostFocus(k); });
    }
    ui::onChange(txtFind, [this] { txtFind_Change(); });
    ui::onDblClick(lstSchools, [this] { lstSchools_DblClick(); });
    ui::onDblClick(lstEdit, [this] { lstEdit_DblClick(); });
    ui::onClick(cmdSchools, [this] { cmdSchools_Click(); });
    ui::onClick(cmdEdit, [this] { cmdEdit_Click(); });
    ui::onClick(cmdSave, [this] { cmdSave_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
}

QString FrmRoster::today() { return QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy")); }

void FrmRoster::Form_Load() {
    loadWeights();
    loadSchoolList();
    txtWt[0]->setText(weightClasses_[0]);
    txtRosterDate->setText(today());
    VScroll1->setMinimum(1);
    VScroll1->setMaximum(kRows - 1 - (kLines - 1));
    VScroll1->setPageStep(kLines - 1);
    VScroll1->setSingleStep(1);
}

void FrmRoster::Form_Activate() { ui::giveFocus(txtFName[0]); }

// ---- Lists ----

void FrmRoster::loadWeights() {
    // Every class is kept, with at least one empty place after the last, as the snap needs.
    weightClasses_.clear();
    ConnectionScope connection;
    db::Recordset rs = openRecordset(QStringLiteral("SELECT Weight from Weight ORDER BY Weight"));
    while (!rs.isEOF()) {
        weightClasses_.push_back(rs.field(QStringLiteral("Weight")).toString());
        rs.moveNext();
    }
    closeRecordset(rs);
    weightClasses_.resize(std::max<size_t>(kClassPlaces, weightClasses_.size() + 1));
}

void FrmRoster::loadSchoolList() {
    ConnectionScope connection;
    db::Recordset rs = openRecordset(
        QStringLiteral("SELECT OppSchool as School, OppDiv as Division, LeagueSchool as League FROM OppSchool "
                       "Where OppSchool LIKE ? ORDER BY OppSchool"),
        {QStringLiteral("%") + txtFind->text() + QStringLiteral("%")});
    lstSchools->clear();
    while (!rs.isEOF()) {
        lstSchools->addItem(rs.field(QStringLiteral("School")).toString());
        rs.moveNext();
    }
    if (lstSchools->count() > 0) lstSchools->setCurrentRow(0);
    closeRecordset(rs);
}

void FrmRoster::txtFind_Change() { loadSchoolList(); }

long long FrmRoster::getWeightSeq(const QString& name) {
    return firstSeq(QStringLiteral("SELECT Seq FROM Weight WHERE Weight =?"), name);
}

long long FrmRoster::getSchoolSeq(const QString& name) {
    return firstSeq(QStringLiteral("SELECT Seq FROM OppSchool WHERE OppSchool =?"), name);
}

// ---- The grid ----

void FrmRoster::storeRosterPage() {
    for (int k = 0; k < kLines; ++k) {
        const int r = lblSeq[k]->text().toInt();
        if (r < 0 || r >= kRows) continue;
        rosterRows_[r] = {txtSeq[k]->text(), txtWt[k]->text(), txtFName[k]->text(), txtLName[k]->text(),
                          txtSchool[k]->text()};
    }
}

void FrmRoster::showLine(int k, const Row& row) {
    txtSeq[k]->setText(row[KeyField]);
    txtWt[k]->setText(row[ClassField]);
    txtFName[k]->setText(row[FirstField]);
    txtLName[k]->setText(row[LastField]);
    txtSchool[k]->setText(row[SchoolField]);
}

void FrmRoster::clearLines() {
    for (int k = 0; k < kLines; ++k) showLine(k, Row{});
}

void FrmRoster::VScroll1_Change() {
    storeRosterPage();
    for (int k = 0; k < kLines; ++k) {
        const int r = VScroll1->value() + k;
        lblSeq[k]->setText(QString::number(r));
        showLine(k, r < kRows ? rosterRows_[r] : Row{});
    }
}

void FrmRoster::txtWt_LostFocus(int index) {
    QLineEdit* box = txtWt[index];
    bool found = false;
    for (const QString& entry : weightClasses_) {
        if (box->text() == entry) found = true;
        if (!found && entry.compare(box->text(), Qt::CaseSensitive) > 0) {
            box->setText(entry);
            found = true;
        }
    }
}

bool FrmRoster::focusMovesOn(int line) const {
    const QWidget* to = QApplication::focusWidget();
    if (to == txtSchool[line]) return true;
    for (int k = line + 1; k < kLines; ++k)
        if (to == txtWt[k] || to == txtFName[k] || to == txtLName[k] || to == txtSchool[k])
            return true;
    return false;
}

void FrmRoster::txtLName_LostFocus(int index) {
    txtLName[index]->setText(txtLName[index]->text().trimmed());
    txtFName[index]->setText(txtFName[index]->text().trimmed());
    if (txtLName[index]->text().isEmpty() || txtSchool[index]->text().isEmpty()) return;
    if (index == kLines - 1) return;
    // Only going on moves on to the next line: Shift+Tab, a click on a line above, on the scroll
    // bar, the school list or a button go where they point.
    if (!focusMovesOn(index)) return;

    const int next = index + 1;
    // The school and the next class are filled in ahead on a line still empty; a line that holds
    // a wrestler, typed or loaded, keeps its class and school.
    const bool nextEmpty = txtFName[next]->text().isEmpty() && txtLName[next]->text().isEmpty() &&
                           txtSeq[next]->text().isEmpty();
    if (nextEmpty) {
        txtSchool[next]->setText(txtSchool[index]->text());
        for (size_t j = 0; j + 1 < weightClasses_.size(); ++j) {
            if (txtWt[index]->text() == weightClasses_[j]) {
                txtWt[next]->setText(weightClasses_[j + 1]);
                break;
            }
        }
    }
    ui::giveFocus(txtFName[next]);
}

// ---- Putting a school on a line ----

bool FrmRoster::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove &&
        event->type() != QEvent::Drop)
        return ui::Form::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    if (drop->source() != lstSchools) return ui::Form::eventFilter(watched, event);
    for (int k = 0; k < kLines; ++k) {
        if (watched != txtSchool[k]) continue;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (event->type() == QEvent::Drop) ui::guarded([this, k] { txtSchool_DragDrop(k); });
        return true;
    }
    return ui::Form::eventFilter(watched, event);
}

void FrmRoster::txtSchool_DragDrop(int index) {
    if (QListWidgetItem* item = lstSchools->currentItem()) txtSchool[index]->setText(item->text());
}

void FrmRoster::lstSchools_DblClick() {
    QListWidgetItem* item = lstSchools->currentItem();
    if (!item) return;
    for (int k = 0; k < kLines; ++k) {
        if (!txtSchool[k]->text().isEmpty()) continue;
        txtSchool[k]->setText(item->text());
        ui::giveFocus(txtSchool[k]);
        return;
    }
}

void FrmRoster::txtSchool_LostFocus(int index) {
    const QString typed = txtSchool[index]->text();
    if (typed.isEmpty()) return;
    // Equality without regard to case; a typed % or _ is no wildcard here.
    QString stored;
    {
        ConnectionScope connection;
        db::Recordset rs = openRecordsetByName(
            QStringLiteral("SELECT OppSchool as School, OppDiv as Division, LeagueSchool as League FROM OppSchool "
                           "Where OppSchool = ? ORDER BY OppSchool"),
            typed);
        if (!rs.isEOF()) stored = rs.field(QStringLiteral("School")).toString();
        closeRecordset(rs);
    }
    if (!stored.isNull()) {
        // A typed apostrophe is shown as the school is stored, so that the roster is saved for it.
        if (stored != typed && fixQuotes(typed) == stored) txtSchool[index]->setText(stored);
        return;
    }
    ui::msgBox(QStringLiteral("School does exist--Please select from list"));
    txtFind->setText(typed);
    txtSchool[index]->clear();
    ui::giveFocus(txtFind);
}

// ---- Saved rosters ----

void FrmRoster::cmdEdit_Click() {
    if (cmdEdit->text() == kEdit) {
        lstEdit->clear();
        txtFind->hide();
        lstSchools->hide();
        fraSchool->setTitle(QStringLiteral("Select Roster to Edit"));
        lstEdit->show();
        cmdEdit->setText(kEnterNew);
        cmdSchools->setEnabled(false);
        ConnectionScope connection;
        db::Recordset rs = openRecordset(
            QStringLiteral("SELECT RosterDate, OppSchool FROM OppSchool INNER JOIN Roster ON OppSchool.Seq = Roster.SeqSchool "
                           "GROUP BY RosterDate, OppSchool ORDER BY RosterDate, OppSchool"));
        while (!rs.isEOF()) {
            const QDate date = rs.field(QStringLiteral("RosterDate")).toDate();
            lstEdit->addItem(date.toString(QStringLiteral("MM/dd/yyyy")) + kSeparator +
                             rs.field(QStringLiteral("OppSchool")).toString());
            rs.moveNext();
        }
        closeRecordset(rs);
        return;
    }
    showNewEntryLayout();
    // A new roster: the rows on screen are kept as a starting point, but they are no longer the
    // stored entries of the roster they came from, and they are dated today.
    storeRosterPage();
    for (Row& row : rosterRows_) row[KeyField].clear();
    for (QLineEdit* box : txtSeq) box->clear();
    txtRosterDate->setText(today());
}

void FrmRoster::showNewEntryLayout() {
    txtFind->show();
    lstSchools->show();
    fraSchool->setTitle(QStringLiteral("Find School"));
    lstEdit->hide();
    cmdEdit->setText(kEdit);
    cmdSchools->setEnabled(true);
    cmdSave->setText(kSave);
}

void FrmRoster::lstEdit_DblClick() {
    QListWidgetItem* item = lstEdit->currentItem();
    if (!item || !item->isSelected()) return;
    const QString line = item->text();
    const qsizetype cut = line.indexOf(kSeparator);
    if (cut < 0) return;

    for (Row& row : rosterRows_) row = Row{};
    clearLines();
    const QString date = line.left(cut).trimmed();
    const QString school = line.mid(cut + 1).trimmed();
    const long long key = getSchoolSeq(school);

    {
        ConnectionScope connection;
        loadedRoster_ = {db::Value(date).toDate(), key};
        db::Recordset rs = openRecordset(kRosterEntries, loadedRoster_);
        txtRosterDate->setText(date);
        loadedRows_.clear();
        unloadedRows_.clear();
        for (int r = 1; r <= kLoadLimit && !rs.isEOF(); ++r, rs.moveNext()) {
            loadedRows_[rs.field(0).toInt()] = rs.image();
            rosterRows_[r] = {rs.field(0).toString(), rs.field(QStringLiteral("Weight")).toString(),
                              rs.field(QStringLiteral("FName")).toString(), rs.field(QStringLiteral("LName")).toString(),
                              rs.field(QStringLiteral("OppSchool")).toString()};
        }
        for (; !rs.isEOF(); rs.moveNext()) unloadedRows_.insert(rs.field(0).toInt());
        closeRecordset(rs);
    }
    for (int k = 0; k < kLines; ++k) {
        lblSeq[k]->setText(QString::number(k + 1));
        showLine(k, rosterRows_[k + 1]);
    }
    cmdSave->setText(kReSave);
}

// ---- Saving ----

namespace {

bool isVoid(const FrmRoster::Row& row) {
    return row[FrmRoster::FirstField].compare(QStringLiteral("VOID"), Qt::CaseInsensitive) == 0 &&
           row[FrmRoster::LastField].isEmpty();
}

bool isComplete(const FrmRoster::Row& row) {
    if (row[FrmRoster::ClassField].isEmpty() || row[FrmRoster::SchoolField].isEmpty()) return false;
    return isVoid(row) || (!row[FrmRoster::FirstField].isEmpty() && !row[FrmRoster::LastField].isEmpty());
}

}  // namespace

bool FrmRoster::checkRowsBeforeSave(std::vector<int>& complete) {
    QStringList problems;
    for (int r = 0; r < kRows; ++r) {
        const Row& row = rosterRows_[r];
        const QString name = (row[FirstField] + QLatin1Char(' ') + row[LastField]).trimmed();
        if (!isComplete(row)) {
            // A line with only a class and a school is what the grid fills in ahead: nothing to
            // keep. A typed name is kept from being dropped unseen.
            if (!name.isEmpty())
                problems << QStringLiteral("Row %1 (%2) needs a weight class, first name, last name and school")
                                .arg(r)
                                .arg(name);
            continue;
        }
        if (getWeightSeq(row[ClassField]) < 0)
            problems << QStringLiteral("Row %1 (%2): weight class %3 does not exist").arg(r).arg(name, row[ClassField]);
        if (getSchoolSeq(row[SchoolField]) < 0)
            problems << QStringLiteral("Row %1 (%2): school %3 does not exist").arg(r).arg(name, row[SchoolField]);
        complete.push_back(r);
    }
    if (problems.isEmpty()) return true;
    ui::msgBox(problems.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\nNothing was saved."),
               ui::Buttons::OK, QStringLiteral("Error"));
    return false;
}

void FrmRoster::cmdSave_Click() {
    storeRosterPage();
    std::vector<int> complete;
    if (!checkRowsBeforeSave(complete)) return;

    bool overwrite = false;
    if (cmdSave->text() == kReSave) {
        overwrite = ui::msgBox(QStringLiteral("Overwrite previous roster?"), ui::Buttons::YesNo,
                               QStringLiteral("Overwrite?")) == ui::Answer::Yes;
        if (!overwrite) {
            if (ui::msgBox(QStringLiteral("Save roster with current date?"), ui::Buttons::YesNo,
                           QStringLiteral("Save")) != ui::Answer::Yes) {
                ui::msgBox(QStringLiteral("Save Cancelled"), ui::Buttons::OK, QStringLiteral("Cancelled"));
                return;
            }
            txtRosterDate->setText(today());
        }
    }

    // The old entries go and the new ones come in one transaction, so a failure keeps the roster
    // as it was.
    // An entry that another copy of the program changed or deleted since the roster was loaded
    // stays as that copy left it, and nothing is saved.
    const bool saved = saveChecked([&] {
        if (overwrite) {
            // An entry added to the roster by another copy meanwhile would stay beside the
            // ones saved now. The entries past those the grid holds were there when it was
            // loaded: they stay as they are.
            db::Recordset stored = openRecordset(kRosterEntries, loadedRoster_);
            for (; !stored.isEOF(); stored.moveNext()) {
                const long long seq = stored.field(0).toInt();
                if (!loadedRows_.count(seq) && !unloadedRows_.count(seq))
                    throw db::rowChangedError(QStringLiteral("Roster"));
            }
            closeRecordset(stored);
            for (const Row& row : rosterRows_) {
                if (row[KeyField].isEmpty()) continue;
                const auto loaded = loadedRows_.find(row[KeyField].toLongLong());
                if (loaded == loadedRows_.end()) throw db::rowChangedError(QStringLiteral("Roster"));
                db::Recordset rs = openRecordsetForUpdate(QStringLiteral("SELECT * From Roster WHERE (Roster.Seq=?)"),
                                                          {loaded->first});
                rs.expectRow(loaded->second);
                rs.deleteRow();
                closeRecordset(rs);
            }
        }
        for (int r : complete) {
            const Row& row = rosterRows_[r];
            // A class or school another copy deleted while a question was open leaves no
            // entry pointing at nothing.
            const long long weight = getWeightSeq(row[ClassField]);
            const long long school = getSchoolSeq(row[SchoolField]);
            requireRowStill(weight >= 0, QStringLiteral("Weight"));
            requireRowStill(school >= 0, QStringLiteral("OppSchool"));
            addRosterEntry(weight, row[FirstField], row[LastField], school);
        }
    });
    if (!saved) return;

    for (Row& row : rosterRows_) row = Row{};
    ui::msgBox(QStringLiteral("Roster Saved"), ui::Buttons::OK, QStringLiteral("Saved"));
    clearLines();
    VScroll1->setValue(1);
    showNewEntryLayout();
    // The next roster typed is a new one, of today.
    txtRosterDate->setText(today());
}

void addRosterEntry(long long seqWeight, const QString& fname, const QString& lname, long long seqSchool) {
    ConnectionScope conn;
    db::Recordset rs = openRecordsetForUpdate(QStringLiteral("Select * From Roster"));
    rs.addNew();
    rs.setField(QStringLiteral("rosterDate"), ui::forms().get<FrmRoster>()->txtRosterDate->text());
    rs.setField(QStringLiteral("seqWeight"), seqWeight);
    rs.setField(QStringLiteral("fname"), fname);
    rs.setField(QStringLiteral("lname"), lname);
    rs.setField(QStringLiteral("seqSchool"), seqSchool);
    rs.update();
    closeRecordset(rs);
}

// ---- Leaving ----

void FrmRoster::cmdSchools_Click() {
    frmSchools* schools = ui::forms().get<frmSchools>();
    schools->show();
    schools->cmdReturn2->show();
    schools->cmdReturn->hide();
}

void FrmRoster::cmdHelp_Click() {
    const QStringList lines = {
        QStringLiteral("Opponent Roster"),
        QString(),
        QStringLiteral("This screen allows you to enter your opponent's name"),
        QStringLiteral("and school.  These names will be available in the Enter"),
        QStringLiteral("Matches screen so you don't have to retype it."),
    };
    showHelp(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

void FrmRoster::cmdReturn_Click() {
    ui::forms().get<frmInit>()->show();
    ui::forms().unload<FrmRoster>();
}
