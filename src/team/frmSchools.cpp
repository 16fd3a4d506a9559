#include "team/frmSchools.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

#include "core/connection.h"
#include "core/save_rules.h"
#include "core/frmFileLoc.h"
#include "core/frmHelp.h"
#include "core/helpers.h"
#include "matches/frmMatchInfo.h"
#include "platform/ui/ui.h"
#include "team/FrmRoster.h"
#include "team/same_name.h"
#include "team/school_division.h"

namespace {

const QString kAddCaption = QStringLiteral("&Add School");
const QString kEditCaption = QStringLiteral("&Edit School");
const QString kSaveCaption = QStringLiteral("&Save School Info");
const QString kMakeLeague = QStringLiteral("&Make League School");
const QString kRemoveLeague = QStringLiteral("&Remove League School");
const QString kLeagueMark = QStringLiteral(" (league)");
const QString kLookupByName = QStringLiteral("SELECT * FROM OppSchool WHERE OppSchool = ?");
const QString kLookupByKey = QStringLiteral("SELECT * FROM OppSchool WHERE Seq = ?");
constexpr int kSeqRole = Qt::UserRole;
const QString kSchoolExists = QStringLiteral("School already exists");

// True when a school other than the one keyed `except` holds the name, in any letter case.
// Runs on the open connection.
bool isSchoolNameTaken(const QString& name, long long except) {
    db::Recordset rs = openRecordset(QStringLiteral("SELECT Seq, OppSchool FROM OppSchool"));
    const bool taken = holdsSameName(rs, QStringLiteral("OppSchool"), name, except);
    closeRecordset(rs);
    return taken;
}

void refuseSchoolAndDivision() {
    ui::msgBox(QStringLiteral("School and Division must be filled in.  Division must be numeric"),
               ui::Buttons::OK, QStringLiteral("ERROR"));
}

}  // namespace

frmSchools::frmSchools() {
    buildControls();
    connectHandlers();
}

void frmSchools::buildControls() {
    setWindowTitle(QString());
    setFixedSize(ui::twips(7800), ui::twips(6600));

    FraSearch = ui::frame(this, QStringLiteral("FraSearch"), QStringLiteral("Search Options"));
    ui::place(FraSearch, 120, 60, 7560, 1020);
    Frame1 = ui::frame(this, QStringLiteral("Frame1"), QStringLiteral("School Name Contains"));
    ui::place(Frame1, 240, 300, 3600, 660);
    txtBegin = ui::textBox(Frame1, QStringLiteral("txtBegin"));
    ui::place(txtBegin, 120, 270, 3360, 330);
    Frame2 = ui::frame(this, QStringLiteral("Frame2"), QStringLiteral("Division"));
    ui::place(Frame2, 3960, 300, 1500, 660);
    txtDiv = ui::textBox(Frame2, QStringLiteral("txtDiv"));
    ui::place(txtDiv, 120, 270, 1260, 330);
    Frame4 = ui::frame(this, QStringLiteral("Frame4"), QStringLiteral("League"));
    ui::place(Frame4, 5580, 300, 1000, 660);
    chkLeague = ui::checkBox(Frame4, QStringLiteral("chkLeague"), QString());
    ui::place(chkLeague, 360, 300, 400, 300);

    lstSchools = ui::listBox(this, QStringLiteral("lstSchools"));
    QFont listFont(QStringLiteral("Arial"), 12);
    listFont.setStyleHint(QFont::SansSerif);
    lstSchools->setFont(listFont);
    ui::place(lstSchools, 120, 1200, 5040, 4320);

    fraSchool = ui::frame(this, QStringLiteral("fraSchool"), QStringLiteral("School Name"));
    ui::place(fraSchool, 240, 1440, 4800, 720);
    txtAddSchool = ui::textBox(fraSchool, QStringLiteral("txtAddSchool"));
    ui::place(txtAddSchool, 120, 300, 4560, 330);
    fraDivision = ui::frame(this, QStringLiteral("fraDivision"), QStringLiteral("Division"));
    ui::place(fraDivision, 240, 2400, 1500, 720);
    txtAddDiv = ui::textBox(fraDivision, QStringLiteral("txtAddDiv"));
    ui::place(txtAddDiv, 120, 300, 1260, 330);
    fraEditSchool = ui::frame(this, QStringLiteral("fraEditSchool"), QStringLiteral("School Name"));
    ui::place(fraEditSchool, 240, 1440, 4800, 720);
    txtEditSchool = ui::textBox(fraEditSchool, QStringLiteral("txtEditSchool"));
    ui::place(txtEditSchool, 120, 300, 4560, 330);
    fraEditDiv = ui::frame(this, QStringLiteral("fraEditDiv"), QStringLiteral("Division"));
    ui::place(fraEditDiv, 240, 2400, 1500, 720);
    txtEditDiv = ui::textBox(fraEditDiv, QStringLiteral("txtEditDiv"));
    ui::place(txtEditDiv, 120, 300, 1260, 330);
    for (QWidget* w : {static_cast<QWidget*>(fraSchool), static_cast<QWidget*>(fraDivision),
                       static_cast<QWidget*>(fraEditSchool), static_cast<QWidget*>(fraEditDiv)})
        w->hide();

    chkDivision = ui::checkBox(this, QStringLiteral("chkDivision"), QStringLiteral("Display Division"));
    ui::place(chkDivision, 120, 5580, 2400, 330);

    cmdLeague = ui::button(this, QStringLiteral("cmdLeague"), kMakeLeague);
    ui::place(cmdLeague, 5340, 1200, 2340, 450);
    cmdAdd = ui::button(this, QStringLiteral("cmdAdd"), kAddCaption);
    ui::place(cmdAdd, 5340, 1740, 2340, 450);
    cmdDelete = ui::button(this, QStringLiteral("cmdDelete"), QStringLiteral("&Delete School"));
    ui::place(cmdDelete, 5340, 2280, 2340, 450);
    cmdCancel = ui::button(this, QStringLiteral("cmdCancel"), QStringLiteral("&Cancel Add"));
    ui::place(cmdCancel, 5340, 2280, 2340, 450);
    cmdCancel->hide();
    cmdEdit = ui::button(this, QStringLiteral("cmdEdit"), kEditCaption);
    ui::place(cmdEdit, 5340, 2820, 2340, 450);
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    ui::place(cmdHelp, 5340, 3360, 2340, 450);
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    ui::place(cmdReturn, 3840, 5580, 1320, 450);
    cmdReturn2 = ui::button(this, QStringLiteral("cmdReturn2"), QStringLiteral("&Return"));
    ui::place(cmdReturn2, 3840, 5580, 1320, 450);
    cmdReturn2->hide();
    cmdImport = ui::button(this, QStringLiteral("cmdImport"), QStringLiteral("&Import School List"));
    ui::place(cmdImport, 120, 6060, 2400, 450);
}

void frmSchools::connectHandlers() {
    ui::onChange(txtBegin, [this] { txtBegin_Change(); });
    ui::onChange(txtDiv, [this] { txtDiv_Change(); });
    ui::onClick(chkLeague, [this] { chkLeague_Click(); });
    ui::onClick(chkDivision, [this] { chkDivision_Click(); });
    ui::onClick(lstSchools, [this] { lstSchools_Click(); });
    ui::onDblClick(lstSchools, [this] { lstSchools_DblClick(); });
    // A click on the item the list already selects is a choice as well.
    connect(lstSchools, &QListWidget::itemClicked, this, [this] { schoolChosen_ = true; });
    ui::onClick(cmdAdd, [this] { cmdAdd_Click(); });
    ui::onClick(cmdEdit, [this] { cmdEdit_Click(); });
    ui::onClick(cmdCancel, [this] { cmdCancel_Click(); });
    ui::onClick(cmdDelete, [this] { cmdDelete_Click(); });
    ui::onClick(cmdLeague, [this] { cmdLeague_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
    ui::onClick(cmdReturn2, [this] { cmdReturn2_Click(); });
    ui::onClick(cmdImport, [this] { cmdImport_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
}

void frmSchools::Form_Load() { loadSchools(false); }

void frmSchools::reload() { loadSchools(chkDivision->isChecked()); }

// ---- The list ----

void frmSchools::loadSchools(bool showDivision) {
    // The filters match anywhere in the text; a % or _ typed into them is a wildcard.
    const QString any = QStringLiteral("%");
    ConnectionScope connection;
    db::Recordset rs = openRecordset(
        QStringLiteral("SELECT Seq, OppSchool as School, OppDiv as Division, LeagueSchool as League "
                       "FROM OppSchool Where OppSchool LIKE ? and OppDiv LIKE ? ORDER BY OppSchool"),
        {any + txtBegin->text() + any, any + txtDiv->text() + any});

    selectingByCode_ = true;
    lstSchools->clear();
    while (!rs.isEOF()) {
        const db::Value league = rs.field(QStringLiteral("League"));
        const bool isLeague = !league.isNull() && league.toString() != QLatin1String("0");
        QString item = rs.field(QStringLiteral("School")).toString();
        if (isLeague) item += kLeagueMark;
        if (showDivision) {
            const db::Value division = rs.field(QStringLiteral("Division"));
            const QString number = division.kind() == db::Value::Kind::Integer
                                       ? signedNumberText(division.toInt())
                                       : signedNumberText(division.toDouble());
            item = number + QStringLiteral("  ") + item;
        }
        if (!chkLeague->isChecked() || isLeague) {
            auto* listItem = new QListWidgetItem(item, lstSchools);
            listItem->setData(kSeqRole, rs.field(QStringLiteral("Seq")).toInt());
            keepShownRow(listItem, rs.image());
        }
        rs.moveNext();
    }
    if (lstSchools->count() > 0) lstSchools->setCurrentRow(0);
    selectingByCode_ = false;
    schoolChosen_ = false;
    closeRecordset(rs);
}

QString frmSchools::schoolFromItem(const QString& item) const {
    // The signed number text is one word, whatever the stored number (an infinite one from older
    // files included).
    static const QRegularExpression divisionPrefix(QStringLiteral("^[ -]\\S+  "));
    QString name = item;
    if (chkDivision->isChecked()) name.remove(divisionPrefix);
    if (name.endsWith(kLeagueMark)) name.chop(kLeagueMark.size());
    return name;
}

QString frmSchools::selectedSchool() const {
    const QListWidgetItem* item = lstSchools->currentItem();
    if (!item || !item->isSelected()) return QString();
    return schoolFromItem(item->text());
}

long long frmSchools::selectedSeq() const {
    const QListWidgetItem* item = lstSchools->currentItem();
    if (!item || !item->isSelected()) return 0;
    return item->data(kSeqRole).toLongLong();
}

void frmSchools::txtBegin_Change() { reload(); }
void frmSchools::txtDiv_Change() { reload(); }
void frmSchools::chkLeague_Click() { reload(); }
void frmSchools::chkDivision_Click() { reload(); }

void frmSchools::lstSchools_Click() {
    if (!selectingByCode_) schoolChosen_ = true;
    const QListWidgetItem* item = lstSchools->currentItem();
    if (!item) return;
    cmdLeague->setText(item->text().endsWith(kLeagueMark) ? kRemoveLeague : kMakeLeague);
}

// ---- Add, edit, cancel ----

void frmSchools::setSearchEnabled(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(txtBegin), static_cast<QWidget*>(txtDiv),
                       static_cast<QWidget*>(chkLeague), static_cast<QWidget*>(chkDivision),
                       static_cast<QWidget*>(cmdLeague), static_cast<QWidget*>(cmdReturn),
                       static_cast<QWidget*>(cmdImport), static_cast<QWidget*>(FraSearch)})
        w->setEnabled(enabled);
}

void frmSchools::leaveAddMode() {
    cmdAdd->setText(kAddCaption);
    fraSchool->hide();
    fraDivision->hide();
    cmdCancel->hide();
    cmdEdit->setEnabled(true);
    cmdDelete->show();
    lstSchools->show();
    setSearchEnabled(true);
}

void frmSchools::leaveEditMode() {
    cmdEdit->setText(kEditCaption);
    fraEditSchool->hide();
    fraEditDiv->hide();
    cmdCancel->hide();
    cmdCancel->setText(QStringLiteral("&Cancel Add"));
    cmdEdit->setEnabled(true);
    cmdAdd->setEnabled(true);
    cmdDelete->show();
    lstSchools->show();
    FraSearch->setEnabled(true);
}

void frmSchools::cmdAdd_Click() {
    if (cmdAdd->text() == kAddCaption) {
        cmdAdd->setText(kSaveCaption);
        txtAddSchool->clear();
        txtAddDiv->clear();
        fraSchool->show();
        fraDivision->show();
        cmdCancel->show();
        cmdEdit->setEnabled(false);
        cmdDelete->hide();
        lstSchools->hide();
        setSearchEnabled(false);
        ui::giveFocus(txtAddSchool);
        return;
    }

    // A name of blanks only would be an invisible school in every list.
    if (txtAddSchool->text().trimmed().isEmpty() || !isDivisionText(txtAddDiv->text())) {
        refuseSchoolAndDivision();
        return;
    }
    txtAddSchool->setText(fixQuotes(txtAddSchool->text()));

    const bool added = saveChecked([this] {
        requireStill(!isSchoolNameTaken(txtAddSchool->text(), 0), kSchoolExists);
        db::Recordset add = openRecordsetForUpdate(kLookupByName, {txtAddSchool->text()});
        add.addNew();
        add.setField(QStringLiteral("OppSchool"), txtAddSchool->text());
        add.setField(QStringLiteral("OppDiv"), divisionValue(txtAddDiv->text()));
        add.update();
        closeRecordset(add);
    });
    if (added) leaveAddMode();
    reload();
}

void frmSchools::cmdEdit_Click() {
    if (cmdEdit->text() == kEditCaption) {
        const long long seq = selectedSeq();
        if (seq == 0) return;  // nothing to edit in an empty list
        // The boxes show the school as it is stored now; one gone since the list showed it is
        // not there to edit.
        bool there = false;
        {
            ConnectionScope connection;
            there = recordsExist(kLookupByKey, {seq});
        }
        if (!there) {
            ui::msgBox(QStringLiteral("This school is no longer there: another program, or another copy of "
                                      "this one, has deleted it.  The list is shown anew."),
                       ui::Buttons::OK, QStringLiteral("ERROR"));
            reload();
            return;
        }
        const bool found = onShownRow(kLookupByKey, {seq}, shownRow(lstSchools->currentItem()), [this](db::Recordset& rs) {
            editSeq_ = rs.field(QStringLiteral("Seq")).toInt();
            editShown_ = rs.image();
            txtEditSchool->setText(rs.field(QStringLiteral("OppSchool")).toString());
            txtEditDiv->setText(rs.field(QStringLiteral("OppDiv")).toString());
        });
        if (!found) {
            reload();
            return;
        }
        cmdEdit->setText(kSaveCaption);
        fraEditSchool->show();
        fraEditDiv->show();
        FraSearch->setEnabled(false);
        cmdCancel->setText(QStringLiteral("&Cancel Edit"));
        cmdCancel->show();
        cmdAdd->setEnabled(false);
        cmdDelete->hide();
        lstSchools->hide();
        ui::giveFocus(txtEditSchool);
        return;
    }

    const QString name = txtEditSchool->text().trimmed();
    const QString division = txtEditDiv->text().trimmed();
    if (name.isEmpty() || !isDivisionText(division)) {
        refuseSchoolAndDivision();
        reload();
        return;
    }
    txtEditSchool->setText(fixQuotes(name));
    txtEditDiv->setText(division);

    bool taken = false;
    const bool saved = saveChecked([&] {
        db::Recordset upd = openShownRow(kLookupByKey, {editSeq_}, editShown_);
        taken = isSchoolNameTaken(txtEditSchool->text(), editSeq_);
        requireStill(!taken, kSchoolExists);
        upd.setField(QStringLiteral("OppSchool"), txtEditSchool->text());
        upd.setField(QStringLiteral("OppDiv"), divisionValue(txtEditDiv->text()));
        upd.update();
        closeRecordset(upd);
    });
    if (taken) reload();
    if (!saved) return;  // the typed school stays in the boxes, to be saved again or cancelled
    leaveEditMode();
    reload();
}

void frmSchools::cmdCancel_Click() {
    if (!txtAddSchool->isHidden() && !fraSchool->isHidden()) {
        txtAddSchool->clear();
        txtAddDiv->clear();
        cmdAdd->setText(kAddCaption);
        fraSchool->hide();
        fraDivision->hide();
        cmdEdit->setEnabled(true);
    } else if (!fraEditSchool->isHidden()) {
        fraEditSchool->hide();
        fraEditDiv->hide();
        cmdAdd->setEnabled(true);
        cmdEdit->setText(kEditCaption);
        cmdCancel->setText(QStringLiteral("&Cancel Add"));
    }
    cmdCancel->hide();
    cmdDelete->show();
    lstSchools->show();
    setSearchEnabled(true);
}

// ---- Delete and league flag ----

void frmSchools::cmdDelete_Click() {
    const QString name = selectedSchool();
    const long long seq = selectedSeq();
    if (seq == 0) return;
    if (ui::msgBox(QStringLiteral("Delete ") + name + QStringLiteral("?"), ui::Buttons::YesNo,
                   QStringLiteral("Delete School")) != ui::Answer::Yes)
        return;

    // The bouts and dual scores are looked for in the delete's transaction: one another copy
    // saves while the question is open, or while this copy waits for the file, is found.
    saveChecked([&] {
        db::Recordset rs = openShownRow(kLookupByKey, {seq}, shownRow(lstSchools->currentItem()));
        requireStill(!recordsExist(QStringLiteral("SELECT * FROM [Match] WHERE SeqOppSchool = ?"), {seq}),
                     QStringLiteral("Matches Associated with School.  Unable to Delete"));
        requireStill(!recordsExist(QStringLiteral("SELECT * FROM DualScore WHERE seqOppSchool = ?"), {seq}),
                     QStringLiteral("Dual Meet Scores Associated with School.  Unable to Delete"));
        rs.deleteRow();
        closeRecordset(rs);
    });
    reload();
}

void frmSchools::cmdLeague_Click() {
    const QString name = selectedSchool();
    const long long seq = selectedSeq();
    if (seq == 0) return;
    const bool make = cmdLeague->text() == kMakeLeague;
    const QString question = make ? QStringLiteral("Make ") + name + QStringLiteral(" a League School?")
                                  : QStringLiteral("Remove ") + name +
                                        QStringLiteral(" as a League School?");
    if (ui::msgBox(question, ui::Buttons::YesNo, QStringLiteral("League School?")) ==
        ui::Answer::Yes) {
        if (onShownRow(kLookupByKey, {seq}, shownRow(lstSchools->currentItem()), [make](db::Recordset& rs) {
                rs.setField(QStringLiteral("LeagueSchool"), make ? db::Value(QStringLiteral("Y")) : db::Value());
                rs.update();
            }))
            cmdLeague->setText(make ? kRemoveLeague : kMakeLeague);
    }

    const int index = lstSchools->currentRow();
    const bool chosen = schoolChosen_;
    reload();
    if (lstSchools->count() > 0) {
        selectingByCode_ = true;
        lstSchools->setCurrentRow(std::min(index, lstSchools->count() - 1));
        selectingByCode_ = false;
    }
    schoolChosen_ = chosen;
}

// ---- Leaving ----

void frmSchools::cmdReturn_Click() {
    if (schoolChosen_) {
        const QString name = selectedSchool();
        if (!name.isEmpty()) ui::forms().get<frmMatchInfo>()->txtOppSchool->setText(name);
    }
    ui::forms().unload<frmSchools>();
}

void frmSchools::lstSchools_DblClick() {
    if (cmdReturn->isHidden()) return;  // opened by the roster form
    const QString name = selectedSchool();
    if (name.isEmpty()) return;
    ui::forms().get<frmMatchInfo>()->txtOppSchool->setText(name);
    ui::forms().unload<frmSchools>();
}

void frmSchools::cmdReturn2_Click() {
    ui::forms().get<FrmRoster>()->show();
    ui::forms().unload<frmSchools>();
}

void frmSchools::cmdImport_Click() {
    gFileLocMode = QStringLiteral("Import");
    ui::forms().get<frmFileLoc>()->show();
}

void frmSchools::cmdHelp_Click() {
    const QStringList lines = {
        QStringLiteral("Editing the Schools"),
        QString(),
        QStringLiteral("Selecting a School:"),
        QStringLiteral("    1. Either double click on the school or "),
        QStringLiteral("       select the school and click 'Return'"),
        QString(),
        QStringLiteral("Adding a School:"),
        QStringLiteral("    1. Click 'Add School' "),
        QStringLiteral("    2. Enter the School name and division"),
        QStringLiteral("    3. Click the 'Save' button"),
        QString(),
        QStringLiteral("Changing a School:"),
        QStringLiteral("    1. Select the school to edit, change it."),
        QStringLiteral("    2. Click 'Save' button."),
        QString(),
        QStringLiteral("Deleting a School:"),
        QStringLiteral("    Select the school and click the 'Delete School'."),
        QString(),
        QStringLiteral("Importing Schools:"),
        QStringLiteral("    Click the Import button and select the import file: a text file "
                       "with each school's division, a comma and its name, one school to a line "
                       "(3,Central High)."),
    };
    showHelp(lines.join(QStringLiteral("\r\n")));
}
