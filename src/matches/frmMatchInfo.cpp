#include "matches/frmMatchInfo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>

#include "core/connection.h"
#include "core/contacts.h"
#include "core/frmHelp.h"
#include "core/frmInit.h"
#include "core/helpers.h"
#include "matches/frmScoreSheet.h"
#include "matches/match_entry_checks.h"
#include "matches/match_result_frames.h"
#include "matches/save_new_match.h"
#include "platform/ui/ui.h"
#include "team/frmEditNames.h"
#include "team/frmEditWeight.h"
#include "team/frmSchools.h"
#include "team/wrestler_names.h"

namespace {

// A weight read from a weigh-in or an earlier bout, as the weight box shows it: a number as signed
// number text (" 152"); a stored text that is no number as it stands.
QString weightText(const db::Value& value) {
    if (value.isNull()) return QString();
    if (value.isNumber()) return signedNumberText(value.toDouble());
    const QString text = value.toString();
    return isNumericText(text) ? signedNumberText(text.trimmed().toDouble()) : text;
}

const QString kLeagueTip = QStringLiteral("Select Edit School to mark a school as league");

// Plays a drop on the school box as the form's own drop handler, whatever is dropped.
class SchoolDropFilter : public QObject {
public:
    explicit SchoolDropFilter(frmMatchInfo* form) : QObject(form), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            event->accept();
            return true;
        case QEvent::Drop:
            event->accept();
            ui::guarded([this] { form_->txtOppSchool_DragDrop(); });
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    frmMatchInfo* form_;
};

}  // namespace

frmMatchInfo::frmMatchInfo() {
    setWindowTitle(QStringLiteral("Enter Match"));
    buildControls();
    connectHandlers();
}

void frmMatchInfo::buildControls() {
    buildEntryFrames(this, {QStringLiteral("Date (mm/dd/yy)"), false, 1600, 4100});
    fraWeight = ui::frame(this, QStringLiteral("fraWeight"), QStringLiteral("Weight Wrestled"));
    ui::place(fraWeight, 1800, 2000, 1740, 2000);
    lstWeight = ui::listBox(fraWeight, QStringLiteral("lstWeight"));
    ui::place(lstWeight, 120, 280, 1500, 1600);

    txtOppSchool->setAcceptDrops(true);
    txtOppSchool->installEventFilter(new SchoolDropFilter(this));

    // Result
    buildResultFrames(this, 1500);
    fraLeague = ui::frame(this, QStringLiteral("fraLeague"), QStringLiteral("League"));
    ui::place(fraLeague, 3700, 3600, 3100, 700);
    fraLeague->setToolTip(kLeagueTip);
    chkLeague = ui::checkBox(fraLeague, QStringLiteral("chkLeague"), QStringLiteral("League Match"));
    ui::place(chkLeague, 120, 280, 2800, 300);
    chkLeague->setToolTip(kLeagueTip);
    chkLeague->setEnabled(false);

    // Opponent names
    fraSource = ui::frame(this, QStringLiteral("fraSource"), QStringLiteral("Opponent Names"));
    ui::place(fraSource, 3700, 4400, 3100, 650);
    optRoster = ui::optionButton(fraSource, QStringLiteral("optRoster"), QStringLiteral("Roster"));
    ui::place(optRoster, 120, 280, 1300, 300);
    optMatch = ui::optionButton(fraSource, QStringLiteral("optMatch"), QStringLiteral("Prev Matches"));
    ui::place(optMatch, 1500, 280, 1500, 300);
    optRoster->setChecked(true);
    lstNames = ui::listBox(this, QStringLiteral("lstNames"));
    ui::place(lstNames, 3700, 5100, 3100, 1300);

    // School lists
    fraFind = ui::frame(this, QStringLiteral("fraFind"), QStringLiteral("Find School"));
    ui::place(fraFind, 7000, 120, 2880, 700);
    txtFind = ui::textBox(fraFind, QStringLiteral("txtFind"));
    ui::place(txtFind, 120, 280, 2640, 330);
    lblSchools = ui::label(this, QStringLiteral("lblSchools"), QStringLiteral("Previous Schools"));
    ui::place(lblSchools, 7000, 900, 2880, 250);
    lstSchools = ui::listBox(this, QStringLiteral("lstSchools"));
    ui::place(lstSchools, 7000, 1150, 2880, 2000);
    txtNoSchool = ui::textBox(this, QStringLiteral("txtNoSchool"));
    ui::place(txtNoSchool, 7000, 1150, 2880, 2000);
    txtNoSchool->setEnabled(false);
    txtNoSchool->raise();
    lblUSchools = ui::label(this, QStringLiteral("lblUSchools"), QStringLiteral("Other Schools"));
    ui::place(lblUSchools, 7000, 3250, 2880, 250);
    lstUSchools = ui::listBox(this, QStringLiteral("lstUSchools"));
    ui::place(lstUSchools, 7000, 3500, 2880, 2900);

    // Last match entered
    lblLastMatch = ui::label(this, QStringLiteral("lblLastMatch"), QStringLiteral("Last Match Entered:"));
    ui::place(lblLastMatch, 120, 6500, 2400, 250);
    lblPrevMatch = ui::label(this, QStringLiteral("lblPrevMatch"));
    ui::place(lblPrevMatch, 120, 6760, 9760, 280);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);

    // Buttons
    cmdScore = ui::button(this, QStringLiteral("cmdScore"), QStringLiteral("Enter &Match Score"));
    cmdSaveMatch = ui::button(this, QStringLiteral("cmdSaveMatch"), QStringLiteral("&Save Match"));
    cmdClear = ui::button(this, QStringLiteral("cmdClear"), QStringLiteral("&Clear Screen"));
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    cmdEditNames = ui::button(this, QStringLiteral("cmdEditNames"), QStringLiteral("Edit &Names"));
    cmdEditWeight = ui::button(this, QStringLiteral("cmdEditWeight"), QStringLiteral("Edit &Weights"));
    cmdSchools = ui::button(this, QStringLiteral("cmdSchools"), QStringLiteral("&Edit Schools"));
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    QPushButton* buttons[] = {cmdScore, cmdSaveMatch, cmdClear,      cmdReturn,
                              cmdEditNames, cmdEditWeight, cmdSchools, cmdHelp};
    // One row along the bottom: each button as wide as its caption needs, the rest shared out.
    {
        const int gap = 2;
        int widths[8];
        int total = 0;
        for (int i = 0; i < 8; ++i) {
            const QString caption = buttons[i]->text().remove(QLatin1Char('&'));
            widths[i] = buttons[i]->fontMetrics().horizontalAdvance(caption) + 10;
            total += widths[i];
        }
        const int spare = std::max(0, ui::twips(10000 - 240) - total - 7 * gap) / 8;
        int x = ui::twips(120);
        for (int i = 0; i < 8; ++i) {
            buttons[i]->setGeometry(x, ui::twips(7150), widths[i] + spare, ui::twips(500));
            x += widths[i] + spare + gap;
        }
    }

    setFixedSize(ui::twips(10000), ui::twips(7900));

    // Focus order: the entry boxes, the buttons, then the school finder, the names and the options.
    QWidget* order[] = {txtDate,      comHomeName,   txtWt,      lstWeight, txtOppFName, txtOppLName,
                        txtOppSchool, cmdScore,      cmdSaveMatch, cmdClear, cmdReturn,  cmdEditNames,
                        cmdEditWeight, txtFind,      lstSchools, lstUSchools, optRoster, optMatch,
                        lstNames,     optLevel[0],   optLevel[1], optLevel[2], optWin,   optLoss,
                        optType[0],   optType[1],    optType[2],  optType[3], optType[4], optType[5],
                        txtScore,     txtTeamPoints, chkLeague,   cmdSchools, cmdHelp};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void frmMatchInfo::connectHandlers() {
    QObject::connect(Timer1, &QTimer::timeout, this, [this] { ui::guarded([this] { Timer1_Timer(); }); });
    ui::onLostFocus(txtDate, [this] { txtDate_LostFocus(); });
    ui::onLostFocus(comHomeName, [this] { comHomeName_LostFocus(); });
    ui::onLostFocus(txtOppFName, [this] { txtOppFName_LostFocus(); });
    ui::onLostFocus(txtScore, [this] { txtScore_LostFocus(); });
    ui::onClick(optLoss, [this] { optLoss_Click(); });
    ui::onClick(optRoster, [this] { optRoster_Click(); });
    ui::onClick(optMatch, [this] { optMatch_Click(); });
    ui::onChange(txtFind, [this] { txtFind_Change(); });
    ui::onChange(txtOppSchool, [this] { txtOppSchool_Change(); });
    ui::onDblClick(lstNames, [this] { lstNames_DblClick(); });
    ui::onDblClick(lstSchools, [this] { lstSchools_DblClick(); });
    ui::onDblClick(lstUSchools, [this] { lstUSchools_DblClick(); });
    ui::onClick(cmdScore, [this] { cmdScore_Click(); });
    ui::onClick(cmdSaveMatch, [this] { cmdSaveMatch_Click(); });
    ui::onClick(cmdClear, [this] { cmdClear_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
    ui::onClick(cmdEditNames, [this] { cmdEditNames_Click(); });
    ui::onClick(cmdEditWeight, [this] { cmdEditWeight_Click(); });
    ui::onClick(cmdSchools, [this] { cmdSchools_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
}

void frmMatchInfo::Form_Load() {
    txtSeason->setText(seasonLabel(gSeason));
    loadHomeName();
    loadWtClass();
    loadUsedSchools();
    setupNameSource();
    loadSchools();
    showPrevMatch();
    Timer1->start(500);
}

void frmMatchInfo::loadHomeName() {
    comHomeName->clear();
    namesSeason_ = txtSeason->text();
    const QStringList names = loadWrestlerNames(true, namesSeason_.left(4));
    for (const QString& name : names)
        if (!name.isEmpty()) comHomeName->addItem(name);
    comHomeName->addItem(QStringLiteral("VOID"));
}

void frmMatchInfo::loadWtClass() {
    // A class chosen before stays chosen when it is still there.
    const QList<QListWidgetItem*> picked = lstWeight->selectedItems();
    const QString chosen = picked.isEmpty() ? QString() : picked.first()->text();
    lstWeight->clear();
    ConnectionScope conn;
    db::Recordset rs = openRecordset(QStringLiteral("SELECT Weight from Weight ORDER BY Weight"));
    for (; !rs.isEOF(); rs.moveNext()) {
        lstWeight->addItem(rs.field(QStringLiteral("Weight")).toString());
        if (!chosen.isNull() && lstWeight->item(lstWeight->count() - 1)->text() == chosen)
            lstWeight->setCurrentRow(lstWeight->count() - 1);
    }
    closeRecordset(rs);
}

void frmMatchInfo::Timer1_Timer() {
    Timer1->stop();
    if (isUnloading()) return;
    const bool onlyVoid = comHomeName->count() == 0 ||
                          (comHomeName->count() == 1 && comHomeName->itemText(0) == QLatin1String("VOID"));
    if (onlyVoid)
        ui::msgBox(QStringLiteral("Select Edit Names to add wrestlers to the drop down box"), ui::Buttons::OK,
                   QStringLiteral("No Wrestlers"));
    if (lstWeight->count() == 0)
        ui::msgBox(QStringLiteral("Select Edit Weights to add weights to the list"), ui::Buttons::OK,
                   QStringLiteral("No Weights"));
}

void frmMatchInfo::txtDate_LostFocus() {
    bool bad = false;
    const QDate day = settleDateBox(txtDate, lblDayofWeek, &bad);
    if (bad) {
        fraSeason->hide();
        txtSeason->hide();
        return;
    }
    if (!day.isValid()) return;
    const QString season = seasonLabel(getSeason(day));
    fraSeason->show();
    txtSeason->show();
    // The names are those of the date's season: only another season lists them anew, the name
    // chosen kept when that season has it too.
    txtSeason->setText(season);
    if (season == namesSeason_) return;
    const QString chosen = comHomeName->currentText();
    loadHomeName();
    comHomeName->setCurrentIndex(comHomeName->findText(chosen, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void frmMatchInfo::comHomeName_LostFocus() {
    const QString name = comHomeName->currentText();
    if (name.isEmpty()) return;
    int found = -1;
    for (int i = 0; i < comHomeName->count() && found < 0; ++i)
        if (comHomeName->itemText(i).toUpper() == name.toUpper()) found = i;
    if (found < 0) {
        ui::msgBox(QStringLiteral("You must use a name already entered into the list.  Click Edit Names to add wrestler"),
                   ui::Buttons::OK, QStringLiteral("Error"));
        return;
    }
    comHomeName->setCurrentIndex(found);

    if (name == QLatin1String("VOID")) {
        // A home bout that was not wrestled.
        txtWt->setText(QStringLiteral("000"));
        optLoss->setChecked(true);
        optType[4]->setChecked(true);
    }
    if (txtDate->text().isEmpty() || gDbVersion < 7) return;

    const db::Value day(db::parseUsDate(txtDate->text()));
    ConnectionScope conn;
    db::Recordset rs = openRecordset(
        QStringLiteral("SELECT HomeWI.Weight FROM Wrestler INNER JOIN HomeWI ON Wrestler.Seq = HomeWI.SeqWrestler "
                       "WHERE (HomeWI.CompDate=?) AND (Wrestler.FullName=?)"),
        {day, db::Value(name)});
    if (!rs.isEOF()) txtWt->setText(weightText(rs.field(QStringLiteral("Weight"))));
    closeRecordset(rs);

    rs = openRecordset(
        QStringLiteral("SELECT [Match].ActWeight, Weight.Weight "
                       "FROM Weight INNER JOIN (Wrestler INNER JOIN [Match] ON Wrestler.Seq = [Match].seqWrestler) "
                       "ON Weight.Seq = [Match].seqWeight "
                       "WHERE (Wrestler.FullName=?) AND ([Match].Date=?)"),
        {db::Value(name), day});
    if (rs.isEOF()) return;
    if (txtWt->text().isEmpty()) txtWt->setText(weightText(rs.field(QStringLiteral("ActWeight"))));
    const QString weightClass = rs.field(QStringLiteral("Weight")).toString();
    for (int i = 0; i < lstWeight->count(); ++i) {
        if (lstWeight->item(i)->text() == weightClass) {
            lstWeight->setCurrentRow(i);
            break;
        }
    }
    closeRecordset(rs);
}

void frmMatchInfo::txtOppFName_LostFocus() {
    if (txtOppFName->text().toUpper() != QLatin1String("VOID")) return;
    // An opponent who did not wrestle.
    optWin->setChecked(true);
    optType[4]->setChecked(true);
    txtScore->setText(QStringLiteral("Forfiet"));
}

void frmMatchInfo::optLoss_Click() {
    if (txtTeamPoints->text().isEmpty()) txtTeamPoints->setText(QStringLiteral("0"));
}

void frmMatchInfo::txtScore_LostFocus() {
    if (!isScoreTooLong(txtScore->text())) return;
    ui::msgBox(QStringLiteral("Score must be less than 10 characters"), ui::Buttons::OK, QStringLiteral("ERROR"));
    ui::giveFocus(txtScore);
}

void frmMatchInfo::cmdScore_Click() {
    hide();
    ui::forms().get<frmScoreSheet>()->show();
}

void frmMatchInfo::cmdClear_Click() { resetMatchEntry(); }

void frmMatchInfo::cmdReturn_Click() {
    ui::forms().get<frmInit>()->show();
    ui::forms().unload<frmScoreSheet>();
    ui::forms().unload<frmMatchInfo>();
}

void frmMatchInfo::cmdEditNames_Click() {
    hide();
    frmEditNames::showFrom(QStringLiteral("frmMatchInfo"));
}

void frmMatchInfo::cmdEditWeight_Click() {
    hide();
    ui::forms().get<frmEditWeight>()->show();
}

void frmMatchInfo::cmdSchools_Click() { ui::forms().get<frmSchools>()->show(); }

void frmMatchInfo::cmdHelp_Click() {
    const QString crlf = QStringLiteral("\r\n");
    showHelp(QStringLiteral("Match Info") + crlf + crlf +
             QStringLiteral("This screen collets all information needed for the ") + kAssociationShortName + crlf +
             QStringLiteral("Individual Season Summary.  If you have saved a match") + crlf +
             QStringLiteral("incorrectly, go to 'Edit Matches' from the main screen.") + crlf);
}
