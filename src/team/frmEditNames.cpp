#include "team/frmEditNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QStringList>
#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

#include "core/connection.h"
#include "core/save_rules.h"
#include "core/frmHelp.h"
#include "core/frmInit.h"
#include "core/helpers.h"
#include "matches/frmMatchInfo.h"
#include "core/match_seasons.h"
#include "platform/ui/ui.h"
#include "team/frmHomeWI.h"
#include "team/same_name.h"

namespace {

const QString kAddName = QStringLiteral(" -- Add Name -- ");
const QString kVoid = QStringLiteral("VOID");

// Null for the empty text, the text otherwise.
db::Value nzText(const QString& value) {
    return value.isEmpty() ? db::Value() : db::Value(value);
}

// Why the wrestler keyed `seq` cannot be deleted: his bouts, or weigh-ins that would point at
// nothing; "" when nothing uses him.
QString wrestlerInUse(long long seq) {
    ConnectionScope connection;
    if (recordsExist(QStringLiteral("SELECT * FROM [Match] WHERE seqWrestler = ?"), {seq}))
        return QStringLiteral("Matches exist for this wrestler.  Delete matches first");
    if (recordsExist(QStringLiteral("SELECT * FROM HomeWI WHERE SeqWrestler = ?"), {seq}))
        return QStringLiteral("Weigh-ins exist for this wrestler.  Remove the wrestler from those "
                              "weigh-ins first");
    return {};
}

}  // namespace

QString frmEditNames::pendingCaller_;

frmEditNames::frmEditNames() {
    buildControls();
    if (!pendingCaller_.isEmpty()) txtFromFrm->setText(pendingCaller_);
    pendingCaller_.clear();
    connectHandlers();
}

frmEditNames* frmEditNames::showFrom(const QString& caller) {
    if (!ui::forms().isLoaded<frmEditNames>()) pendingCaller_ = caller;
    frmEditNames* form = ui::forms().get<frmEditNames>();
    pendingCaller_.clear();
    form->show();
    form->txtFromFrm->setText(caller);
    return form;
}

void frmEditNames::buildControls() {
    setWindowTitle(QStringLiteral("Edit Names"));
    setFixedSize(ui::twips(9120), ui::twips(5760));

    Frame10 = ui::frame(this, QStringLiteral("Frame10"), QStringLiteral("Season"));
    ui::place(Frame10, 120, 60, 2400, 720);
    comSeason = ui::comboBox(Frame10, QStringLiteral("comSeason"), true);
    ui::place(comSeason, 120, 300, 2160, 330);
    comSeason->setEditText(QStringLiteral("2999-2999"));
    txtSeason = ui::textBox(Frame10, QStringLiteral("txtSeason"), QStringLiteral("2999-2999"));
    ui::place(txtSeason, 120, 300, 2160, 330);
    txtSeason->setReadOnly(true);
    txtSeason->hide();

    comFullName = ui::comboBox(this, QStringLiteral("comFullName"), false);
    ui::place(comFullName, 120, 900, 4320, 330);

    Frame8 = ui::frame(this, QStringLiteral("Frame8"), QStringLiteral("First Name"));
    ui::place(Frame8, 120, 1380, 2100, 720);
    txtFirst = ui::textBox(Frame8, QStringLiteral("txtFirst"));
    ui::place(txtFirst, 120, 300, 1860, 330);
    Frame9 = ui::frame(this, QStringLiteral("Frame9"), QStringLiteral("Last Name"));
    ui::place(Frame9, 2340, 1380, 2100, 720);
    txtLast = ui::textBox(Frame9, QStringLiteral("txtLast"));
    ui::place(txtLast, 120, 300, 1860, 330);

    Frame1 = ui::frame(this, QStringLiteral("Frame1"), QStringLiteral("Grade"));
    ui::place(Frame1, 120, 2340, 900, 720);
    txtGrade = ui::textBox(Frame1, QStringLiteral("txtGrade"));
    ui::place(txtGrade, 120, 300, 660, 330);
    Frame2 = ui::frame(this, QStringLiteral("Frame2"), QStringLiteral("Min Wt Class"));
    ui::place(Frame2, 1080, 2340, 1260, 720);
    txtMinWt = ui::textBox(Frame2, QStringLiteral("txtMinWt"));
    ui::place(txtMinWt, 120, 300, 1020, 330);

    FramePrevPlace = ui::frame(this, QStringLiteral("FramePrevPlace"),
                               QStringLiteral("            Previous Season           "));
    ui::place(FramePrevPlace, 2400, 2220, 2040, 960);
    QFont bold = FramePrevPlace->font();
    bold.setBold(true);
    FramePrevPlace->setFont(bold);
    Frame3 = ui::frame(FramePrevPlace, QStringLiteral("Frame3"), QStringLiteral("Reg Place"));
    ui::place(Frame3, 60, 240, 940, 660);
    Frame4 = ui::frame(FramePrevPlace, QStringLiteral("Frame4"), QStringLiteral("St Place"));
    ui::place(Frame4, 1040, 240, 940, 660);
    QFont plain = Frame3->font();
    plain.setBold(false);
    Frame3->setFont(plain);
    Frame4->setFont(plain);
    txtRegPl = ui::textBox(Frame3, QStringLiteral("txtRegPl"));
    ui::place(txtRegPl, 120, 270, 700, 330);
    txtStPl = ui::textBox(Frame4, QStringLiteral("txtStPl"));
    ui::place(txtStPl, 120, 270, 700, 330);

    Frame5 = ui::frame(this, QStringLiteral("Frame5"), QStringLiteral("InActive"));
    ui::place(Frame5, 120, 3300, 1200, 720);
    chkInActWres = ui::checkBox(Frame5, QStringLiteral("chkInActWres"), QString());
    ui::place(chkInActWres, 420, 300, 400, 330);

    for (QLineEdit* box : {txtGrade, txtMinWt, txtRegPl, txtStPl}) box->setAlignment(Qt::AlignCenter);

    Frame6 = ui::frame(this, QStringLiteral("Frame6"), QStringLiteral("Notes"));
    ui::place(Frame6, 4680, 60, 4320, 2400);
    txtNote = ui::multiLineBox(Frame6, QStringLiteral("txtNote"));
    ui::place(txtNote, 120, 300, 4080, 1980);
    Frame7 = ui::frame(this, QStringLiteral("Frame7"), QStringLiteral("Notes 2"));
    ui::place(Frame7, 4680, 2580, 4320, 2400);
    txtNote2 = ui::multiLineBox(Frame7, QStringLiteral("txtNote2"));
    ui::place(txtNote2, 120, 300, 4080, 1980);

    cmdDelete = ui::button(this, QStringLiteral("cmdDelete"), QStringLiteral("&Delete Name"));
    ui::place(cmdDelete, 120, 5160, 1800, 450);
    cmdInc = ui::button(this, QStringLiteral("cmdInc"), QStringLiteral("Increment Grade/Season"));
    ui::place(cmdInc, 2040, 5160, 2400, 450);
    cmdSave = ui::button(this, QStringLiteral("cmdSave"), QStringLiteral("&Save"));
    ui::place(cmdSave, 4680, 5160, 1320, 450);
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return "));
    ui::place(cmdReturn, 6180, 5160, 1320, 450);
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    ui::place(cmdHelp, 7680, 5160, 1320, 450);

    txtSeq = ui::textBox(this, QStringLiteral("txtSeq"), QStringLiteral("Seq"));
    txtfullname = ui::textBox(this, QStringLiteral("txtfullname"), QStringLiteral("fullname"));
    txtFromFrm = ui::textBox(this, QStringLiteral("txtFromFrm"), QStringLiteral("txtFromFrm"));
    for (QLineEdit* hidden : {txtSeq, txtfullname, txtFromFrm}) hidden->hide();
}

void frmEditNames::connectHandlers() {
    ui::onClick(comSeason, [this] { comSeason_Click(); });
    // A season typed into the box lists its names, and a name saved goes into it; a text that is
    // no season is refused.
    ui::settleTypedText(comSeason, seasonChoice([this] { return ui::shownChoice(comSeason); },
                                                [this] { comSeason_Click(); }));
    ui::onClick(comFullName, [this] { comFullName_Click(); });
    for (QLineEdit* box : {txtFirst, txtLast, txtGrade, txtMinWt, txtRegPl, txtStPl})
        ui::onChange(box, [this] { markDirty(); });
    // The notes count as changes too, so that typed notes are not lost without a question.
    ui::onChange(txtNote, [this] { markDirty(); });
    ui::onChange(txtNote2, [this] { markDirty(); });
    ui::onClick(chkInActWres, [this] { markDirty(); });
    ui::onClick(cmdSave, [this] { cmdSave_Click(); });
    ui::onClick(cmdDelete, [this] { cmdDelete_Click(); });
    ui::onClick(cmdInc, [this] { cmdInc_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
}

void frmEditNames::markDirty() { isDirty_ = true; }

void frmEditNames::Form_Load() {
    loadSeasons();
    comSeason_Click();
    txtSeq->clear();
    txtSeason->clear();
}

QString frmEditNames::seasonYear(const QString& text) {
    static const QRegularExpression year(QStringLiteral("^\\d{4}"));
    return year.match(text).hasMatch() ? text.left(4) : QString();
}

void frmEditNames::setSeasonText(const QString& label) {
    QSignalBlocker block(comSeason);
    comSeason->setCurrentIndex(-1);
    comSeason->setEditText(label);
}

void frmEditNames::chooseName(int index) {
    // Choosing runs comFullName_Click; choosing the entry already chosen runs it as well.
    if (comFullName->currentIndex() == index)
        comFullName_Click();
    else
        comFullName->setCurrentIndex(index);
}

// ---- The season list ----

void frmEditNames::loadSeasons() {
    ConnectionScope connection;
    db::Recordset rs = openRecordset(QStringLiteral(
        "SELECT DISTINCT Season FROM Wrestler WHERE Season Is Not Null ORDER BY Season DESC"));
    while (!rs.isEOF()) {
        // A season no year can be (a file edited by another tool) is left out of the list.
        if (const std::optional<short> season = storedSeason(rs.field(QStringLiteral("Season"))))
            addSeasonItem(seasonLabel(*season));
        rs.moveNext();
    }
    closeRecordset(rs);

    QString label;
    setDefaultSeason(label);
    addSeasonItem(label);
}

void frmEditNames::addSeasonItem(const QString& label) {
    if (comSeason->findText(label, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) {
        QSignalBlocker block(comSeason);
        const QString shown = comSeason->currentText();
        const int index = comSeason->currentIndex();
        comSeason->addItem(label);
        comSeason->setCurrentIndex(index);
        comSeason->setEditText(shown);
    }
}

void frmEditNames::setDefaultSeason(QString& label) {
    label.clear();
    if (txtFromFrm->text() == QLatin1String("frmMatchInfo"))
        label = ui::forms().get<frmMatchInfo>()->txtSeason->text();
    if (label.isEmpty()) label = seasonLabel(getSeason(QDate::currentDate()));
    setSeasonText(label);
}

// ---- Showing a season and a name ----

void frmEditNames::comSeason_Click() {
    const QString year = seasonYear(comSeason->currentText());
    if (!year.isEmpty()) {
        const QString blanks(10, QLatin1Char(' '));
        FramePrevPlace->setTitle(blanks + seasonLabel(static_cast<short>(year.toInt() - 1)) + blanks);
    }

    QString remembered;
    if (comFullName->currentIndex() > 0) remembered = comFullName->currentText();
    loadNames();
    int index = 0;
    if (!remembered.isEmpty()) {
        const int found = comFullName->findText(remembered, Qt::MatchFixedString);
        if (found > 0) index = found;
    }
    chooseName(index);
}

void frmEditNames::loadNames() {
    const QString year = seasonYear(comSeason->currentText());
    comFullName->clear();
    if (year.isEmpty()) {
        // A typed text that names no season lists nothing and writes nothing.
        comFullName->addItem(kAddName);
        return;
    }

    // Each name with the key of its row.
    std::vector<std::pair<QString, long long>> names;
    bool voidFound = false;
    ConnectionScope connection;
    db::Recordset rs = openRecordset(
        QStringLiteral("SELECT * FROM Wrestler WHERE season =? ORDER BY LastName, FirstName "),
        {year.toInt()});
    while (!rs.isEOF()) {
        const QString name = rs.field(QStringLiteral("FullName")).toString();
        if (name == kVoid)
            voidFound = true;
        else
            names.emplace_back(name, rs.field(QStringLiteral("Seq")).toInt());
        rs.moveNext();
    }
    closeRecordset(rs);

    // The list reads alphabetically by full name, whatever the query's order.
    std::stable_sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
        return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
    });
    for (const auto& [name, seq] : names) comFullName->addItem(name, seq);
    comFullName->insertItem(0, kAddName);

    if (!voidFound) addVoidRow(year);
}

void frmEditNames::addVoidRow(const QString& year) {
    const QString row = kVoid + year;
    db::Recordset add = openRecordsetForUpdate(QStringLiteral("Select * From Wrestler"));
    try {
        add.addNew();
        add.setField(QStringLiteral("FullName"), kVoid);
        add.setField(QStringLiteral("season"), year.toInt());
        add.setField(QStringLiteral("FNameSeason"), row);
        add.update();
    } catch (const db::DbError& e) {
        // A damaged row (another row holding this name, a season beyond any year) must not keep
        // the names from being listed; the coach is told once which row is missing.
        closeRecordset(add);
        if (!unmadeRows_.contains(row)) {
            unmadeRows_ << row;
            ui::msgBox(QStringLiteral("The row %1 could not be added: %2").arg(row, e.message()),
                       ui::Buttons::OK, QStringLiteral("ERROR"));
        }
        return;
    }
    closeRecordset(add);
}

void frmEditNames::clearFields() {
    shownRow_ = {};
    txtFirst->clear();
    txtLast->clear();
    txtGrade->clear();
    clearSeasonFields();
    txtfullname->clear();
    txtSeq->clear();
}

void frmEditNames::clearSeasonFields() {
    txtMinWt->clear();
    txtRegPl->clear();
    txtStPl->clear();
    chkInActWres->setChecked(false);
    ui::setMultiLineText(txtNote, QString());
    ui::setMultiLineText(txtNote2, QString());
}

void frmEditNames::comFullName_Click() {
    if (isDirty_) promptSave();

    const QString chosen = comFullName->currentText();
    if (comFullName->currentIndex() < 0 || chosen == kAddName || chosen.isEmpty()) {
        clearFields();
    } else {
        bool found = false;
        ConnectionScope connection;
        db::Recordset rs = openRecordset(
            QStringLiteral("SELECT * FROM Wrestler WHERE FullName = ? Order By Season"), {chosen});
        // A name stored in bytes that are no UTF-8 text (left by another tool) reads back other
        // than it is stored, and the look-up by it finds nothing: the row is found by the key
        // it was listed with.
        if (rs.isEOF()) {
            closeRecordset(rs);
            rs = openRecordset(QStringLiteral("SELECT * FROM Wrestler WHERE Seq = ?"),
                               {comFullName->currentData().toLongLong()});
            if (rs.isEOF())
                ui::msgBox(chosen + QStringLiteral(" is no longer stored"), ui::Buttons::OK,
                           QStringLiteral("ERROR"));
        }
        while (!rs.isEOF()) {
            if (showRowOfSeason(rs, chosen)) found = true;
            rs.moveNext();
        }
        closeRecordset(rs);
        if (!found) chooseName(0);
    }
    isDirty_ = false;
}

bool frmEditNames::showRowOfSeason(const db::Recordset& rs, const QString& chosen) {
    const QString shown = comSeason->currentText();
    const db::Value season = rs.field(QStringLiteral("Season"));
    if (season.isNull() || QString::number(season.toInt()) != shown.left(4)) return false;
    txtSeason->setText(shown);
    txtFirst->setText(rs.field(QStringLiteral("firstName")).toString());
    txtLast->setText(rs.field(QStringLiteral("lastName")).toString());
    txtGrade->setText(rs.field(QStringLiteral("grade")).toString());
    txtMinWt->setText(rs.field(QStringLiteral("MinWt")).toString());
    txtRegPl->setText(rs.field(QStringLiteral("RegPlace")).toString());
    txtStPl->setText(rs.field(QStringLiteral("StPlace")).toString());
    chkInActWres->setChecked(rs.field(QStringLiteral("wr_inactive")).toInt() != 0);
    ui::setMultiLineText(txtNote, rs.field(QStringLiteral("Notes")).toString());
    ui::setMultiLineText(txtNote2, rs.field(QStringLiteral("wresMemo1")).toString());
    txtfullname->setText(chosen);
    txtSeq->setText(rs.field(QStringLiteral("seq")).toString());
    shownRow_ = rs.image();
    return true;
}

// ---- Saving ----

void frmEditNames::promptSave() {
    comFullName->hide();
    comSeason->hide();
    txtSeason->show();
    // The drop-downs come back however the save ends, a failed one too.
    const auto shown = qScopeGuard([this] {
        comFullName->show();
        comSeason->show();
        txtSeason->hide();
    });
    if (ui::msgBox(QStringLiteral("Save Changes?"), ui::Buttons::YesNo, QStringLiteral("Save")) ==
        ui::Answer::Yes)
        saveWrestler();
}

QString frmEditNames::saveSeason() const {
    // A new name goes into the season shown; a stored row stays in its own season.
    if (!txtSeq->text().isEmpty() && !txtSeason->text().isEmpty())
        return txtSeason->text().left(4);
    return comSeason->currentText().left(4);
}

bool frmEditNames::isDuplicateName(const QString& mode) {
    txtFirst->setText(fixQuotes(txtFirst->text()));
    txtLast->setText(fixQuotes(txtLast->text()));
    const QString fullName = txtFirst->text() + QLatin1Char(' ') + txtLast->text();
    const int season = saveSeason().toInt();

    // The season's names compared in any alphabet's letter case; in update mode the row's own
    // name is left out.
    db::Recordset rs = openRecordset(
        QStringLiteral("SELECT Seq, FullName FROM Wrestler WHERE Season =?"), {season});
    const long long own = mode == QLatin1String("Add") ? 0 : txtSeq->text().toLongLong();
    const bool duplicate = holdsSameName(rs, QStringLiteral("FullName"), fullName, own);
    closeRecordset(rs);
    return duplicate;
}

bool frmEditNames::fitsColumns(const db::Recordset& rs, const QString& season) {
    struct Field {
        const char* column;
        const char* caption;
        QString value;
    };
    const Field fields[] = {
        {"FirstName", "First Name", txtFirst->text()},
        {"LastName", "Last Name", txtLast->text()},
        {"Grade", "Grade", txtGrade->text()},
        {"MinWt", "Min Wt Class", txtMinWt->text()},
        {"RegPlace", "Reg Place", txtRegPl->text()},
        {"StPlace", "St Place", txtStPl->text()},
        {"Notes", "Notes", ui::multiLineText(txtNote)},
        {"wresMemo1", "Notes 2", ui::multiLineText(txtNote2)},
    };
    for (const Field& f : fields) {
        const int size = rs.fieldSize(QLatin1String(f.column));
        if (size > 0 && db::characterCount(f.value) > size) {
            ui::msgBox(QStringLiteral("%1 is too long.  It can hold at most %2 characters")
                           .arg(QLatin1String(f.caption))
                           .arg(size),
                       ui::Buttons::OK, QStringLiteral("ERROR"));
            return false;
        }
    }
    // FullName is both names and a blank; FNameSeason adds the season to it.
    const qsizetype nameLength = db::characterCount(txtFirst->text()) + db::characterCount(txtLast->text());
    int room = -1;
    if (const int size = rs.fieldSize(QStringLiteral("FullName")); size > 0) room = size - 1;
    if (const int size = rs.fieldSize(QStringLiteral("FNameSeason")); size > 0) {
        const int left = size - 1 - static_cast<int>(season.size());
        if (room < 0 || left < room) room = left;
    }
    if (room >= 0 && nameLength > room) {
        ui::msgBox(QStringLiteral("First Name and Last Name are too long.  Together they can hold at "
                                  "most %1 characters")
                       .arg(room),
                   ui::Buttons::OK, QStringLiteral("ERROR"));
        return false;
    }
    return true;
}

bool frmEditNames::saveWrestler() {
    const QString season = saveSeason();

    txtFirst->setText(txtFirst->text().trimmed());
    txtLast->setText(txtLast->text().trimmed());
    if (txtFirst->text().isEmpty() || txtLast->text().isEmpty()) {
        ui::msgBox(QStringLiteral("First and Last Names must be filled in"), ui::Buttons::OK,
                   QStringLiteral("ERROR"));
        return false;
    }
    if (seasonYear(season).isEmpty()) {
        ui::msgBox(QStringLiteral("The season must begin with its starting year, such as 2010-2011"),
                   ui::Buttons::OK, QStringLiteral("ERROR"));
        return false;
    }

    const bool adding = txtSeq->text().isEmpty();
    bool written = false;
    ConnectionScope connection;  // closed at every return, and before the list is reloaded
    {
        // The columns' sizes; the recordset reads no row.
        db::Recordset shape = openRecordsetForUpdate(QStringLiteral("Select * From Wrestler"));
        const bool fits = fitsColumns(shape, season);
        closeRecordset(shape);
        if (!fits) return false;
    }
    // The name is looked for in the write's transaction: one another copy added meanwhile is
    // found. The row deleted or changed meanwhile is not written over. Either way the coach is
    // told, and the typed texts stay unsaved.
    bool duplicate = false;
    const bool saved = saveChecked([&] {
        db::Recordset rs = adding ? openRecordsetForUpdate(QStringLiteral("Select * From Wrestler"))
                                  : openShownRow(QStringLiteral("SELECT * FROM Wrestler WHERE Seq =?"),
                                                 {txtSeq->text().toLongLong()}, shownRow_);
        duplicate = isDuplicateName(adding ? QStringLiteral("Add") : QStringLiteral("Update"));
        requireStill(!duplicate, QStringLiteral("Duplicate name exists"));
        if (adding) rs.addNew();
        rs.setField(QStringLiteral("FullName"), txtFirst->text() + QLatin1Char(' ') + txtLast->text());
        txtfullname->setText(rs.field(QStringLiteral("FullName")).toString());
        rs.setField(QStringLiteral("firstName"), nzText(txtFirst->text()));
        rs.setField(QStringLiteral("lastName"), nzText(txtLast->text()));
        rs.setField(QStringLiteral("grade"), nzText(txtGrade->text()));
        rs.setField(QStringLiteral("MinWt"), nzText(txtMinWt->text()));
        rs.setField(QStringLiteral("RegPlace"), nzText(txtRegPl->text()));
        rs.setField(QStringLiteral("StPlace"), nzText(txtStPl->text()));
        rs.setField(QStringLiteral("wr_inactive"), chkInActWres->isChecked() ? 1 : 0);
        rs.setField(QStringLiteral("Notes"), nzText(ui::multiLineText(txtNote)));
        rs.setField(QStringLiteral("wresMemo1"), nzText(ui::multiLineText(txtNote2)));
        rs.setField(QStringLiteral("season"), season.toInt());
        rs.setField(QStringLiteral("FNameSeason"), txtfullname->text() + season);
        rs.update();
        closeRecordset(rs);
    });
    if (saved) {
        isDirty_ = false;
        written = true;
    } else if (!duplicate || !adding) {
        // A stored row keeps the typed texts; a new name goes on to the reloaded list below.
        return false;
    }
    connection.close();

    loadNames();
    int index = 0;
    if (!adding) {
        const int found = comFullName->findText(txtfullname->text(), Qt::MatchFixedString);
        if (found > 0) index = found;
    }
    chooseName(index);
    if (adding) txtSeq->clear();
    isDirty_ = false;
    return written;
}

void frmEditNames::cmdSave_Click() {
    // A refused save leaves the changes marked as unsaved, so that leaving still asks.
    if (saveWrestler()) isDirty_ = false;
    // A season this save created joins the list; the box keeps naming the season listed.
    const QString shown = comSeason->currentText();
    loadSeasons();
    setSeasonText(shown);
}

// ---- Delete and carry ----

void frmEditNames::cmdDelete_Click() {
    if (comFullName->currentIndex() <= 0 || txtSeq->text().isEmpty()) return;
    const long long seq = txtSeq->text().toLongLong();

    // Looked for again in the delete's transaction: a bout or weigh-in another copy saves while
    // the question is open is found.
    if (const QString refusal = wrestlerInUse(seq); !refusal.isEmpty()) {
        ui::msgBox(refusal, ui::Buttons::OK, QStringLiteral("ERROR"));
        return;
    }

    if (ui::msgBox(QStringLiteral("Delete ") + comFullName->currentText() + QStringLiteral("?"),
                   ui::Buttons::YesNo) != ui::Answer::Yes)
        return;

    if (!saveChecked([&] {
            db::Recordset del =
                openShownRow(QStringLiteral("SELECT * FROM Wrestler WHERE seq = ?"), {seq}, shownRow_);
            const QString refusal = wrestlerInUse(seq);
            requireStill(refusal.isEmpty(), refusal);
            del.deleteRow();
            closeRecordset(del);
        }))
        return;

    loadNames();
    isDirty_ = false;
    chooseName(0);
}

void frmEditNames::cmdInc_Click() {
    // The carry starts from a stored row.
    if (txtSeq->text().isEmpty()) return;

    const QString year = seasonYear(txtSeason->text());
    if (year.isEmpty()) return;

    // A grade that is no number (empty, "Fr") is carried as it is; a number is raised by one
    // when its whole part is within the range of a whole number, and refused otherwise.
    const QString grade = txtGrade->text().trimmed();
    if (isNumericText(grade)) {
        const std::optional<long long> whole =
            db::wholeNumber(std::floor(leadingNumber(grade)), INT_MIN, INT_MAX - 1);
        if (!whole) {
            ui::msgBox(QStringLiteral("Grade must be a number from %1 to %2 to be raised by one")
                           .arg(INT_MIN)
                           .arg(INT_MAX - 1),
                       ui::Buttons::OK, QStringLiteral("ERROR"));
            return;
        }
        txtGrade->setText(QString::number(*whole + 1));
    }

    txtSeason->setText(seasonLabel(static_cast<short>(year.toInt() + 1)));
    setSeasonText(txtSeason->text());
    isDirty_ = false;
    txtSeq->clear();

    const QString label = txtSeason->text();
    const QString name = txtfullname->text();
    saveWrestler();

    setSeasonText(label);
    comSeason_Click();
    const int found = comFullName->findText(name, Qt::MatchFixedString);
    if (found > 0) chooseName(found);

    // Only a row of the new season can be cleared.
    if (txtSeq->text().isEmpty()) return;
    if (ui::msgBox(QStringLiteral("Clear all fields for new season?"), ui::Buttons::YesNo,
                   QStringLiteral("Clear fields?")) == ui::Answer::Yes) {
        clearSeasonFields();
        saveWrestler();
    }
}

// ---- Leaving and help ----

void frmEditNames::cmdReturn_Click() {
    if (isDirty_) promptSave();
    frmMatchInfo* entry = ui::forms().get<frmMatchInfo>();
    if (txtFromFrm->text() == QLatin1String("frmHomeWI")) {
        entry->loadHomeName();
        ui::forms().get<frmHomeWI>()->show();
    } else {
        entry->show();
        entry->loadHomeName();
    }
    ui::forms().unload<frmEditNames>();
}

void frmEditNames::Form_QueryUnload(bool& cancel) {
    ui::Form::Form_QueryUnload(cancel);
    ui::forms().get<frmMatchInfo>()->loadHomeName();
}

void frmEditNames::cmdHelp_Click() {
    const QStringList lines = {
        QStringLiteral("Editing the Names"),
        QString(),
        QStringLiteral("Adding a Name:"),
        QStringLiteral("    Select -- Add Name -- from the drop down list.  Enter the"),
        QStringLiteral("    information in the appropriate fields. Click 'Save'"),
        QString(),
        QStringLiteral("Changing a Name:"),
        QStringLiteral("    Select the name to edit from the drop down list.  Click"),
        QStringLiteral("     on Edit Name.  Change the name as needed, click 'Save'"),
        QString(),
        QStringLiteral("Deleting a Name:"),
        QStringLiteral("    Select the name from the drop down list.  Click on "),
        QStringLiteral("    'Delete Name' and then confirm the deltion."),
    };
    showHelp(lines.join(QStringLiteral("\r\n")));
}
