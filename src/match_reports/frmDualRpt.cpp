#include "match_reports/frmDualRpt.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/connection.h"
#include "core/save_rules.h"
#include "core/frmHelp.h"
#include "core/helpers.h"
#include "match_reports/dual_report_text.h"
#include "match_reports/dual_scores.h"
#include "match_reports/report_support.h"
#include "platform/ui/ui.h"
#include "printing/dual_summary_printout.h"
#include "statistics/frmReports.h"

using namespace match_reports;

namespace {

const QString kSelectSchool = QStringLiteral("Select School");
// The widest the home school's name may stand beside the home score, and the smallest size its
// font is lowered to on the way.
constexpr int kSchoolLabelMaxTwips = 4200;
constexpr double kSchoolLabelMinPoints = 6.0;

// A date box that does not hold a date is set to 1/1/2000.
void requireDate(QComboBox* box) {
    if (!dateFromText(box->currentText()).isValid()) showUnselected(box, QStringLiteral("1/1/2000"));
}

}  // namespace

frmDualRpt::frmDualRpt() {
    setWindowTitle(QStringLiteral("Dual Report"));
    setFixedSize(ui::twips(13275), ui::twips(9420));
    const QFont dateFont = sansSerifFont(13.5);
    const QFont scoreFont = sansSerifFont(18);
    const QFont buttonFont = sansSerifFont(12);

    Frame4 = ui::frame(this, QStringLiteral("Frame4"), QStringLiteral("From Date"));
    ui::place(Frame4, 480, 420, 3135, 795);
    comDateStart = ui::comboBox(Frame4, QStringLiteral("comDateStart"), true);
    ui::place(comDateStart, 120, 180, 2955, 480);
    comDateStart->setFont(dateFont);

    Frame5 = ui::frame(this, QStringLiteral("Frame5"), QStringLiteral("To Date"));
    ui::place(Frame5, 4020, 435, 3135, 800);
    comDateEnd = ui::comboBox(Frame5, QStringLiteral("comDateEnd"), true);
    ui::place(comDateEnd, 120, 180, 2955, 480);
    comDateEnd->setFont(dateFont);

    lblDate = ui::label(this, QStringLiteral("lblDate"), QStringLiteral("Multi-Dates Selected"));
    lblDate->setFont(scoreFont);
    ui::place(lblDate, 8760, 480, 3345, 435);

    cmdSaveScore = ui::button(this, QStringLiteral("cmdSaveScore"), QStringLiteral("&Save Score"));
    cmdSaveScore->setFont(buttonFont);
    ui::place(cmdSaveScore, 10200, 1080, 1815, 615);
    cmdSaveScore->setEnabled(false);

    lblSchoolName = ui::label(this, QStringLiteral("lblSchoolName"), QStringLiteral("Label1"));
    QFont arial(QStringLiteral("Arial"));
    arial.setStyleHint(QFont::SansSerif);
    arial.setPointSizeF(18);
    lblSchoolName->setFont(arial);
    ui::place(lblSchoolName, 3135, 1860, 1080, 405);

    txtHomeScore = ui::textBox(this, QStringLiteral("txtHomeScore"));
    txtHomeScore->setFont(scoreFont);
    ui::place(txtHomeScore, 4560, 1800, 975, 555);

    comOppSchool = ui::comboBox(this, QStringLiteral("comOppSchool"), true);
    comOppSchool->setFont(scoreFont);
    ui::place(comOppSchool, 5880, 1800, 5295, 555);
    comOppSchool->setEditText(QStringLiteral("comOppSchool"));

    txtOppScore = ui::textBox(this, QStringLiteral("txtOppScore"));
    txtOppScore->setFont(scoreFont);
    ui::place(txtOppScore, 11640, 1800, 975, 555);

    txtresults = ui::reportBox(this, QStringLiteral("txtresults"));
    txtresults->setFont(dateFont);
    ui::place(txtresults, 0, 2640, 13215, 5775);

    cmdCopyClip = ui::button(this, QStringLiteral("cmdCopyClip"), QStringLiteral("&Copy to Clipboard"));
    ui::place(cmdCopyClip, 3780, 8640, 2415, 615);  // wide enough for its caption on one line
    cmdPrint = ui::button(this, QStringLiteral("cmdPrint"), QStringLiteral("&Print"));
    ui::place(cmdPrint, 6705, 8640, 1815, 615);
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    ui::place(cmdReturn, 9015, 8640, 1815, 615);
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    ui::place(cmdHelp, 11340, 8640, 1815, 615);
    for (QPushButton* b : {cmdCopyClip, cmdPrint, cmdReturn, cmdHelp}) b->setFont(buttonFont);

    chkHomeChange = ui::checkBox(this, QStringLiteral("chkHomeChange"), QStringLiteral("Check1"));
    ui::place(chkHomeChange, 4440, 2400, 1215, 255);
    chkHomeChange->hide();
    chkOppChange = ui::checkBox(this, QStringLiteral("chkOppChange"), QStringLiteral("Check2"));
    ui::place(chkOppChange, 11640, 2400, 1215, 255);
    chkOppChange->hide();
    txtPrevSchool = ui::textBox(this, QStringLiteral("txtPrevSchool"));
    txtPrevSchool->setFont(scoreFont);
    ui::place(txtPrevSchool, 5880, 1800, 5295, 555);
    txtPrevSchool->hide();
    chkSchool = ui::checkBox(this, QStringLiteral("chkSchool"),
                             QStringLiteral("checked if changing index by program--no checks"));
    ui::place(chkSchool, 7920, 1200, 855, 495);
    chkSchool->hide();

    ui::onClick(comDateStart, [this] { comDateStart_Click(); });
    ui::onClick(comDateEnd, [this] { comDateEnd_Click(); });
    // A date typed into a date box is taken as a pick of it; a text that is no date is refused
    // and the box shows the report's date again.
    const auto dateMessage = [](const QString&) { return kDateFormatMessage; };
    ui::settleTypedText(comDateStart, {typedDate, [this] { return reportStart_; }, dateMessage,
                                       [this] { comDateStart_Click(); }});
    ui::settleTypedText(comDateEnd, {typedDate, [this] { return reportEnd_; }, dateMessage,
                                     [this] { comDateEnd_Click(); }});
    ui::onClick(comOppSchool, [this] { comOppSchool_click(); });
    ui::onChange(txtHomeScore, [this] { txtHomeScore_Change(); });
    ui::onChange(txtOppScore, [this] { txtOppScore_Change(); });
    ui::onClick(cmdSaveScore, [this] { cmdSaveScore_Click(); });
    ui::onClick(cmdCopyClip, [this] { cmdCopyClip_Click(); });
    ui::onClick(cmdPrint, [this] { cmdPrint_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
}

void frmDualRpt::Form_Load() {
    const QStringList dates = varsityDates();
    comDateStart->addItems(dates);
    comDateEnd->addItems(dates);
    // The latest dual meet alone; with no varsity bout both boxes stay empty.
    const QString latest = dates.isEmpty() ? QString() : dates.last();
    showUnselected(comDateStart, latest);
    showUnselected(comDateEnd, latest);
    buildDualReport();
    lblSchoolName->setText(gSchoolName);
    fitSchoolNameLabel();
}

void frmDualRpt::Form_QueryUnload(bool& cancel) {
    ui::forms().get<frmReports>()->show();
    cancel = false;
}

void frmDualRpt::fitSchoolNameLabel() {
    const QString name = lblSchoolName->text();
    QFont font = lblSchoolName->font();
    while (textWidthTwips(lblSchoolName, font, name) > kSchoolLabelMaxTwips &&
           font.pointSizeF() - 0.5 >= kSchoolLabelMinPoints) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    lblSchoolName->setFont(font);
    // A name still too wide at the smallest size is cut where the room left of the home score
    // ends; its whole text is in the tool tip.
    const int room = txtHomeScore->x() - 4;
    const QFontMetrics metrics(font);
    const bool cut = metrics.horizontalAdvance(name) > room;
    lblSchoolName->setText(cut ? metrics.elidedText(name, Qt::ElideRight, room) : name);
    lblSchoolName->setToolTip(cut ? name : QString());
    lblSchoolName->adjustSize();
    // The name ends just left of the home score box, so the box never covers part of it.
    lblSchoolName->move(std::max(0, txtHomeScore->x() - 4 - lblSchoolName->width()), lblSchoolName->y());
}

void frmDualRpt::enableScoreEntry(bool enabled) {
    txtHomeScore->setEnabled(enabled);
    txtOppScore->setEnabled(enabled);
    comOppSchool->setEnabled(enabled);
}

void frmDualRpt::comDateStart_Click() { dateChosen(comDateStart, comDateEnd); }

void frmDualRpt::comDateEnd_Click() { dateChosen(comDateEnd, comDateStart); }

// A date chosen in one list: a box that holds no date becomes 1/1/2000, the other box follows
// when the start would come after the end, and the report is rebuilt.
void frmDualRpt::dateChosen(QComboBox* chosen, QComboBox* other) {
    // The chosen item is let go at once, so that choosing it again rebuilds the report too.
    showUnselected(chosen, chosen->currentText());
    requireDate(chosen);
    requireDate(other);
    if (dateFromText(comDateStart->currentText()) > dateFromText(comDateEnd->currentText()))
        showUnselected(other, chosen->currentText());
    buildDualReport();
}

void frmDualRpt::buildDualReport() {
    reportStart_ = comDateStart->currentText();
    reportEnd_ = comDateEnd->currentText();
    // One date: its team score can be entered. Several: the score boxes are emptied and closed.
    const bool oneDate = reportStart_ == reportEnd_;
    lblDate->setVisible(!oneDate);
    if (oneDate) {
        enableScoreEntry(true);
    } else {
        txtHomeScore->setEnabled(false);
        txtOppScore->setEnabled(false);
        txtHomeScore->clear();
        txtOppScore->clear();
        comOppSchool->setEnabled(false);
    }

    const QDate start = dateFromText(comDateStart->currentText());
    const QDate end = dateFromText(comDateEnd->currentText());
    DualReport report;
    if (start.isValid() && end.isValid()) report = dualReportText(start, end, gSchoolName);

    SetTabStops(txtresults, {5});
    reportText_ = report.text;
    txtresults->setPlainText(reportText_);

    comOppSchool->clear();
    comOppSchool->addItems(report.schools);
    comOppSchool->setEditText(kSelectSchool);
    shownSchool_ = kSelectSchool;
    cmdSaveScore->setEnabled(false);

    // A range without a bout has no meet to score.
    if (report.schools.isEmpty()) enableScoreEntry(false);
    meetDate_ = (oneDate && !report.schools.isEmpty()) ? start : QDate();
}

void frmDualRpt::cmdCopyClip_Click() { ui::setClipboardText(reportText_); }

void frmDualRpt::cmdPrint_Click() { printDualSummary(reportText_); }

void frmDualRpt::cmdReturn_Click() {
    ui::forms().get<frmReports>()->show();
    ui::forms().unload<frmDualRpt>();
}

void frmDualRpt::cmdHelp_Click() { showHelp(matchReportHelpText()); }

void frmDualRpt::txtHomeScore_Change() {
    chkHomeChange->setChecked(true);
    txtPrevSchool->setText(comOppSchool->currentText());
}

void frmDualRpt::txtOppScore_Change() {
    chkOppChange->setChecked(true);
    txtPrevSchool->setText(comOppSchool->currentText());
}

void frmDualRpt::comOppSchool_click() {
    if (chkSchool->isChecked()) return;
    // The choice is let go at once (its text stays), so that choosing the same school again
    // loads its score again.
    showUnselected(comOppSchool, comOppSchool->currentText());

    if ((chkHomeChange->isChecked() || chkOppChange->isChecked()) && !txtPrevSchool->text().isEmpty()) {
        // The school of the unsaved scores stands over the list while the question is asked.
        txtPrevSchool->show();
        txtPrevSchool->raise();
        const ui::Answer answer = ui::msgBox(QStringLiteral("Discard Changes?"), ui::Buttons::YesNo,
                                             QStringLiteral("Changes made"));
        txtPrevSchool->hide();
        // No: the typed scores, their marks and their school stay. The box goes back to the
        // school of the edit, whose scores can then be saved for the meet on screen; where the
        // report on screen has no such school (the scores were typed before a school was chosen,
        // or a build refilled the list), back to what it showed before this pick, and Save stays
        // as it was.
        if (answer != ui::Answer::Yes) {
            const bool listed = comOppSchool->findText(txtPrevSchool->text(),
                                                       Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0;
            if (listed) shownSchool_ = txtPrevSchool->text();
            chkSchool->setChecked(true);
            showUnselected(comOppSchool, shownSchool_);
            chkSchool->setChecked(false);
            if (listed) cmdSaveScore->setEnabled(true);
            return;
        }
    }
    shownSchool_ = comOppSchool->currentText();

    if (comOppSchool->currentText() == kSelectSchool) {
        cmdSaveScore->setEnabled(false);
        return;
    }
    cmdSaveScore->setEnabled(true);

    const long long seq = getOppSchoolSeq(comOppSchool->currentText());
    double home = 0;
    double opp = 0;
    bool found = false;
    if (meetDate_.isValid()) {
        ConnectionScope connection;
        found = findDualScore(meetDate_, seq, home, opp);
    }
    if (found) {
        txtHomeScore->setText(scoreBoxText(home));
        txtOppScore->setText(scoreBoxText(opp));
    } else {
        txtHomeScore->clear();
        txtOppScore->clear();
    }
    chkHomeChange->setChecked(false);
    chkOppChange->setChecked(false);
    txtPrevSchool->clear();
}

void frmDualRpt::cmdSaveScore_Click() {
    const QString homeText = txtHomeScore->text();
    const QString oppText = txtOppScore->text();
    if (!isPlainDecimal(homeText) || !isPlainDecimal(oppText)) {
        ui::msgBox(QStringLiteral("Home Score and Opponent Score must be numeric"), ui::Buttons::OK,
                   QStringLiteral("ERROR"));
        return;
    }
    const long long seq = getOppSchoolSeq(comOppSchool->currentText());
    // The score belongs to the date of the report on screen, whatever may have been typed in the
    // date box since.
    const QDate date = meetDate_;
    const double home = leadingNumber(homeText);
    const double opp = leadingNumber(oppText);

    QString done;
    if (date.isValid()) {
        ConnectionScope connection;
        db::RowImage found;
        const long long row = findDualScoreRow(date, seq, found);
        if (row > 0) {
            if (ui::msgBox(QStringLiteral("Do you want to update the score"), ui::Buttons::YesNo,
                           QStringLiteral("Update?")) != ui::Answer::Yes)
                return;
            // The score asked about, not one stored in its place while the question stood.
            if (!saveChecked([&] { updateDualScore(row, found, date, seq, home, opp); })) return;
            done = QStringLiteral("Score Updated");
        } else if (seq > 0) {
            if (!saveChecked([&] { addDualScore(date, seq, home, opp); })) return;
            done = QStringLiteral("Score Saved");
        }
    }
    if (!done.isEmpty()) ui::msgBox(done);
    chkHomeChange->setChecked(false);
    chkOppChange->setChecked(false);
    txtPrevSchool->clear();
}
