#include "match_reports/frmIndDetail.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "core/frmHelp.h"
#include "core/frmWait.h"
#include "core/helpers.h"
#include "match_reports/detail_printouts.h"
#include "match_reports/detail_report_text.h"
#include "match_reports/report_support.h"
#include "platform/ui/ui.h"
#include "statistics/frmReports.h"

using namespace match_reports;

namespace {

const QString kAll = QStringLiteral("ALL");

QComboBox* framedCombo(QWidget* form, QGroupBox*& frame, const QString& frameName,
                       const QString& caption, int left, int top, int width, int height,
                       const QString& name, const QString& designText) {
    frame = ui::frame(form, frameName, caption);
    ui::place(frame, left, top, width, height);
    QComboBox* box = ui::comboBox(frame, name, true);
    ui::place(box, 120, 180, 2955, 480);
    box->setFont(sansSerifFont(13.5));
    box->setEditText(designText);
    return box;
}

ui::ReportBox* smallPrintBox(QWidget* form, const QString& name) {
    ui::ReportBox* box = ui::reportBox(form, name);
    box->setFont(sansSerifFont(8));
    return box;
}

}  // namespace

frmIndDetail::frmIndDetail() {
    setWindowTitle(QStringLiteral("Match Summary"));
    setFixedSize(ui::twips(15030), ui::twips(10305));

    comDateStart = framedCombo(this, Frame4, QStringLiteral("Frame4"), QStringLiteral("From Date"), 420,
                               100, 3135, 795, QStringLiteral("comDateStart"), QStringLiteral("fromDate"));
    comDateEnd = framedCombo(this, Frame5, QStringLiteral("Frame5"), QStringLiteral("To Date"), 3960, 100,
                             3135, 800, QStringLiteral("comDateEnd"), QStringLiteral("toDate"));
    comSchool = framedCombo(this, Frame1, QStringLiteral("Frame1"), QStringLiteral("School"), 7560, 100,
                            3135, 800, QStringLiteral("comSchool"), QStringLiteral("School"));
    comWrestler = framedCombo(this, Frame2, QStringLiteral("Frame2"), QStringLiteral("Wrestler"), 11040,
                              120, 3135, 800, QStringLiteral("comWrestler"), QStringLiteral("Wrestler"));

    chkDateSelect = ui::checkBox(this, QStringLiteral("chkDateSelect"), QStringLiteral("Check1"));
    ui::place(chkDateSelect, 3720, 480, 255, 375);
    chkDateSelect->setChecked(true);
    chkDateSelect->hide();

    txtresults = smallPrintBox(this, QStringLiteral("txtresults"));
    ui::place(txtresults, 120, 1080, 14895, 6015);

    const QFont buttonFont = sansSerifFont(12);
    auto button = [&](QPushButton*& b, const QString& name, const QString& caption, int left, int top,
                      int width = 1815) {
        b = ui::button(this, name, caption);
        b->setFont(buttonFont);
        ui::place(b, left, top, width, 615);
    };
    // The two copy buttons reach further left, so their long captions fit on one line.
    button(cmdCopyClip, QStringLiteral("cmdCopyClip"), QStringLiteral("&Copy Results to Clipboard"), 5985, 7200,
           3015);
    button(cmdPrint, QStringLiteral("cmdPrint"), QStringLiteral("&Print"), 11160, 7200);

    Label1 = ui::label(this, QStringLiteral("Label1"), QStringLiteral("Totals"));
    QFont heading = sansSerifFont(18);
    heading.setBold(true);
    Label1->setFont(heading);
    ui::place(Label1, 240, 7440, 1215, 555);

    txtSummary = smallPrintBox(this, QStringLiteral("txtSummary"));
    ui::place(txtSummary, 120, 8040, 14895, 1095);

    button(cmdTotalsCopyClip, QStringLiteral("cmdTotalsCopyClip"), QStringLiteral("&Copy Totals to Clipboard"),
           3600, 9360, 3015);
    button(cmdPrintTotals, QStringLiteral("cmdPrintTotals"), QStringLiteral("&Print"), 8835, 9360);
    button(cmdReturn, QStringLiteral("cmdReturn"), QStringLiteral("&Return"), 10965, 9360);
    button(cmdHelp, QStringLiteral("cmdHelp"), QStringLiteral("&Help"), 13080, 9360);

    ui::onClick(comDateStart, [this] { comDateStart_Click(); });
    ui::onClick(comDateEnd, [this] { comDateEnd_Click(); });
    // A date typed into a date box is taken as a pick of it (blanks alone: an open end); a text
    // that is no date is refused and the box shows the report's date again.
    for (QComboBox* box : {comDateStart, comDateEnd}) {
        const auto dateOrBlank = [](const QString& typed) -> std::optional<QString> {
            if (typed.trimmed().isEmpty()) return typed;
            return typedDate(typed);
        };
        ui::settleTypedText(box, {dateOrBlank, [box] { return ui::shownChoice(box); },
                                  [](const QString&) { return kDateFormatMessage; },
                                  [this, box] { dateChosen(box); }});
    }
    ui::onClick(comSchool, [this] { comSchool_Click(); });
    ui::onClick(comWrestler, [this] { comWrestler_click(); });
    ui::onClick(cmdCopyClip, [this] { cmdCopyClip_Click(); });
    ui::onClick(cmdTotalsCopyClip, [this] { cmdTotalsCopyClip_Click(); });
    ui::onClick(cmdPrint, [this] { cmdPrint_Click(); });
    ui::onClick(cmdPrintTotals, [this] { cmdPrintTotals_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
}

void frmIndDetail::Form_Load() {
    const QStringList dates = detailVarsityDates();
    comDateStart->addItems(dates);
    comDateEnd->addItems(dates);
    // The latest varsity date alone; with no varsity bout both ends stay open.
    const QString latest = dates.isEmpty() ? QStringLiteral(" ") : dates.last();
    showUnselected(comDateStart, latest);
    showUnselected(comDateEnd, latest);
    showUnselected(comSchool, kAll);
    showUnselected(comWrestler, kAll);
    refillListsAndBuild();
}

void frmIndDetail::Form_QueryUnload(bool& cancel) {
    ui::forms().get<frmReports>()->show();
    cancel = false;
}

DetailChoices frmIndDetail::choices() const {
    return {comDateStart->currentText(), comDateEnd->currentText(), comSchool->currentText(),
            comWrestler->currentText()};
}

DetailQuery frmIndDetail::buildDetailSQL() const { return detailQuery(choices()); }

void frmIndDetail::getDateRange(QString& startDate, QString& endDate) const {
    ::getDateRange(comDateStart->currentText(), comDateEnd->currentText(), startDate, endDate);
}

// Refills a choice list for the current range. The previous choice (an empty box counts as "ALL")
// is chosen again when it is still listed, which runs the box's Click; otherwise the box is
// left empty and the report rebuilt at once.
void frmIndDetail::reloadList(QComboBox* box, const QStringList& list) {
    QString previous = box->currentText();
    box->clear();
    box->addItems(list);
    if (previous.isEmpty()) previous = kAll;
    const int found = list.indexOf(previous);
    if (found >= 0) {
        box->setCurrentIndex(found);
        return;
    }
    showUnselected(box, QString());
    buildDetailReport();
}

void frmIndDetail::loadSchools() {
    reloadList(comSchool, detailSchools(comDateStart->currentText(), comDateEnd->currentText()));
}

void frmIndDetail::loadWrestlers() {
    reloadList(comWrestler, detailWrestlers(comDateStart->currentText(), comDateEnd->currentText()));
}

void frmIndDetail::buildDetailReport() {
    frmWait* wait = ui::forms().get<frmWait>();
    wait->lblOne->setText(QStringLiteral("P l e a s e   W a i t"));
    wait->showNow();
    struct WaitWindowGone {
        ~WaitWindowGone() { ui::forms().unload<frmWait>(); }
    } cleanup;

    // Names, schools and dates come back bout after bout: each text is measured once.
    QHash<QString, int> widths;
    const auto widthTwips = [this, &widths](const QString& text) {
        const auto known = widths.constFind(text);
        if (known != widths.cend()) return *known;
        return *widths.insert(text, textWidthTwips(txtresults, txtresults->font(), text));
    };
    const DetailReport report = detailReportText(choices(), widthTwips,
                                                 dialogUnitTwips(txtresults, detailTabStops()));
    SetTabStops(txtresults, detailTabStops());
    resultsText_ = report.results;
    txtresults->setPlainText(resultsText_);
    SetTabStops(txtSummary, detailTabStops());
    summaryText_ = report.summary;
    txtSummary->setPlainText(summaryText_);
}

// A date chosen in one list keeps the range in order (a box that holds no date is an open end
// and keeps none), then both choice lists are refilled and the report rebuilt once.
void frmIndDetail::dateChosen(QComboBox* chosen) {
    // The chosen item is let go at once, so that choosing it again counts as a choice too.
    showUnselected(chosen, chosen->currentText());
    if (!datesReadable()) return;
    const QDate start = dateFromText(comDateStart->currentText());
    const QDate end = dateFromText(comDateEnd->currentText());
    if (start.isValid() && end.isValid() && start > end) {
        QComboBox* other = chosen == comDateStart ? comDateEnd : comDateStart;
        showUnselected(other, chosen->currentText());
    }
    refillListsAndBuild();
}

// Both choice lists refilled for the range, their choices kept, and the report built once: the
// choices found again in the lists rebuild nothing while chkDateSelect is unticked.
void frmIndDetail::refillListsAndBuild() {
    chkDateSelect->setChecked(false);
    struct Retick {
        QCheckBox* box;
        ~Retick() { box->setChecked(true); }
    } retick{chkDateSelect};
    loadSchools();
    loadWrestlers();
    buildDetailReport();
}

// A date box holds a date, or nothing but blanks for an open end. A typed text that is no date
// gets the date message and the box the focus, its text selected; the report on screen stays as
// it is, never one of another range under the typed text.
bool frmIndDetail::datesReadable() {
    for (QComboBox* box : {comDateStart, comDateEnd}) {
        const QString text = box->currentText();
        if (text.trimmed().isEmpty() || dateFromText(text).isValid()) continue;
        ui::msgBox(QStringLiteral("Date must be in the MM/DD/YYYY format"), ui::Buttons::OK,
                   QStringLiteral("Error"));
        ui::giveFocus(box);
        return false;
    }
    return true;
}

void frmIndDetail::comDateStart_Click() { dateChosen(comDateStart); }
void frmIndDetail::comDateEnd_Click() { dateChosen(comDateEnd); }

void frmIndDetail::comSchool_Click() {
    showUnselected(comSchool, comSchool->currentText());
    if (chkDateSelect->isChecked() && datesReadable()) buildDetailReport();
}

void frmIndDetail::comWrestler_click() {
    showUnselected(comWrestler, comWrestler->currentText());
    if (chkDateSelect->isChecked() && datesReadable()) buildDetailReport();
}

void frmIndDetail::cmdCopyClip_Click() { ui::setClipboardText(resultsText_); }
void frmIndDetail::cmdTotalsCopyClip_Click() { ui::setClipboardText(summaryText_); }

void frmIndDetail::cmdPrint_Click() {
    if (datesReadable()) printIndividualDetail(choices());
}

void frmIndDetail::cmdPrintTotals_Click() {
    if (datesReadable()) printIndividualDetailSummary(choices());
}

void frmIndDetail::cmdHelp_Click() {
    const QStringList lines = {
        QStringLiteral("Team Detail"),
        QString(),
        QStringLiteral("Select Appropriate date range, school and wreslter"),
        QString(),
        QStringLiteral("To print list, click 'Print'"),
        QString(),
        QStringLiteral("To copy information to another program, click either "),
        QStringLiteral("'Copy Results to Clipboard' or 'Copy Totals to Clipboard' "),
        QStringLiteral("and then paste into another application such as WordPad"),
    };
    QString text;
    for (const QString& line : lines) text += line + CRLF;
    showHelp(text);
}

void frmIndDetail::cmdReturn_Click() {
    ui::forms().get<frmReports>()->show();
    ui::forms().unload<frmIndDetail>();
}
