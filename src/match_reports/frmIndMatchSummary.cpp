#include "match_reports/frmIndMatchSummary.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/connection.h"
#include "core/frmHelp.h"
#include "core/helpers.h"
#include "match_reports/ind_match_summary_text.h"
#include "match_reports/report_support.h"
#include "platform/ui/ui.h"
#include "printing/ind_match_summary_printout.h"
#include "statistics/frmReports.h"

using namespace match_reports;

namespace {

// A frame holding one box, both placed in twips (the box relative to its frame).
QGroupBox* framed(QWidget* form, const QString& name, const QString& caption, int left, int top,
                  int width, int height) {
    QGroupBox* frame = ui::frame(form, name, caption);
    ui::place(frame, left, top, width, height);
    return frame;
}

// The season of a date as the form remembers it: its starting year with a blank before it.
QString rememberedSeason(const QDate& date) { return signedNumberText(static_cast<long long>(getSeason(date))); }

}  // namespace

frmIndMatchSummary::frmIndMatchSummary() {
    setWindowTitle(QStringLiteral("Individual Match Summary"));
    setFixedSize(ui::twips(14040), ui::twips(10380));
    const QFont big = sansSerifFont(12);

    Frame8 = framed(this, QStringLiteral("Frame8"), QStringLiteral("Name"), 0, 120, 3975, 800);
    comHomeName = ui::comboBox(Frame8, QStringLiteral("comHomeName"), true);
    ui::place(comHomeName, 120, 360, 3735, 420);

    Frame4 = framed(this, QStringLiteral("Frame4"), QStringLiteral("From Date"), 4440, 120, 3135, 795);
    txtFromDate = ui::textBox(Frame4, QStringLiteral("txtFromDate"), QStringLiteral("01/01/2000"));
    ui::place(txtFromDate, 100, 240, 2895, 420);

    Frame1 = framed(this, QStringLiteral("Frame1"), QStringLiteral("Matches"), 8160, 120, 3135, 800);
    comMatches = ui::comboBox(Frame1, QStringLiteral("comMatches"), true);
    ui::place(comMatches, 120, 240, 2895, 420);
    comMatches->addItems({QStringLiteral("All"), QStringLiteral("League Matches"),
                          QStringLiteral("League Schools")});
    comMatches->setEditText(QStringLiteral("All"));

    Frame6 = framed(this, QStringLiteral("Frame6"), QStringLiteral("Varsity/Sub"), 120, 1335, 3135, 800);
    comLevel = ui::comboBox(Frame6, QStringLiteral("comLevel"), true);
    ui::place(comLevel, 100, 240, 2895, 420);
    comLevel->addItems({QStringLiteral("All"), QStringLiteral("Varsity"), QStringLiteral("JV"),
                        QStringLiteral("Frosh")});
    comLevel->setEditText(QStringLiteral("Varsity"));

    Frame5 = framed(this, QStringLiteral("Frame5"), QStringLiteral("To Date"), 4440, 1335, 3135, 800);
    txtToDate = ui::textBox(Frame5, QStringLiteral("txtToDate"), QStringLiteral("12/31/2099"));
    ui::place(txtToDate, 120, 240, 2895, 420);

    txtresults = ui::reportBox(this, QStringLiteral("txtresults"));
    txtresults->setFont(sansSerifFont(8));
    ui::place(txtresults, 360, 2640, 13215, 6495);

    txtSeasonStart = ui::textBox(this, QStringLiteral("txtSeasonStart"));
    txtSeasonStart->hide();
    txtSeasonEnd = ui::textBox(this, QStringLiteral("txtSeasonEnd"));
    txtSeasonEnd->hide();

    cmdCopyClip = ui::button(this, QStringLiteral("cmdCopyClip"), QStringLiteral("&Copy to Clipboard"));
    ui::place(cmdCopyClip, 4320, 9480, 2415, 615);  // wide enough for its caption on one line
    cmdPrint = ui::button(this, QStringLiteral("cmdPrint"), QStringLiteral("&Print"));
    ui::place(cmdPrint, 7240, 9480, 1815, 615);
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    ui::place(cmdReturn, 9560, 9480, 1815, 615);
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    ui::place(cmdHelp, 11880, 9480, 1815, 615);

    for (QWidget* w : std::initializer_list<QWidget*>{comHomeName, txtFromDate, txtToDate, comLevel,
                                                      comMatches, cmdCopyClip, cmdPrint, cmdReturn,
                                                      cmdHelp})
        w->setFont(big);

    ui::onClick(comHomeName, [this] { comHomeName_Click(); });
    ui::onClick(comLevel, [this] { comLevel_Click(); });
    ui::onClick(comMatches, [this] { comMatches_Click(); });
    // A date box left, or Enter in it, takes its date; a text that is no date gets the message
    // and the box its last date back. Leaving it rebuilds the report whether or not it changed.
    const auto dateBox = [](QString& lastDate, ui::Handler leave) {
        return ui::TypedChoice{typedDate, [&lastDate] { return lastDate; },
                               [](const QString&) { return kDateFormatMessage; }, std::move(leave), true};
    };
    ui::settleTypedText(txtFromDate, dateBox(lastFromDate_, [this] { txtFromDate_LostFocus(); }));
    ui::settleTypedText(txtToDate, dateBox(lastToDate_, [this] { txtToDate_LostFocus(); }));
    ui::onClick(cmdCopyClip, [this] { cmdCopyClip_Click(); });
    ui::onClick(cmdPrint, [this] { cmdPrint_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
}

void frmIndMatchSummary::Form_Load() {
    txtFromDate->setText(QStringLiteral("11/1/") + QString::number(gSeason));
    txtToDate->setText(QStringLiteral("4/30/") + QString::number(gSeason + 1));
    lastFromDate_ = txtFromDate->text();
    lastToDate_ = txtToDate->text();
    txtSeasonStart->setText(rememberedSeason(dateFromText(txtFromDate->text())));
    txtSeasonEnd->setText(rememberedSeason(dateFromText(txtToDate->text())));
    loadWrestlerList();
    // Choosing the first name builds its report.
    if (comHomeName->count() > 0) comHomeName->setCurrentIndex(0);
}

int frmIndMatchSummary::textWidthTwips(const QString& text) const {
    return match_reports::textWidthTwips(txtresults, txtresults->font(), text);
}

void frmIndMatchSummary::loadWrestlerList() {
    const QString chosen = comHomeName->currentText();
    bool found = false;
    {
        ConnectionScope connection;
        db::Recordset rs = openRecordset(
            QStringLiteral("SELECT FullName FROM Wrestler  INNER JOIN [Match] ON Wrestler.Seq = "
                           "[Match].seqWrestler WHERE [Match].Date Between ? And ?  GROUP BY "
                           "Wrestler.FullName ORDER BY Wrestler.FullName"),
            {dateFromText(lastFromDate_), dateFromText(lastToDate_)});
        for (; !rs.isEOF(); rs.moveNext()) {
            const QString name = rs.field("FullName").toString();
            if (name == QLatin1String("VOID")) continue;
            bool listed = false;
            for (int i = 0; i < comHomeName->count() && !listed; ++i)
                listed = comHomeName->itemText(i) == name;
            if (!listed) comHomeName->addItem(name);
            if (name == chosen) found = true;
        }
        closeRecordset(rs);
    }
    showUnselected(comHomeName, found ? chosen : QString());
}

void frmIndMatchSummary::buildIndMatchSummary() {
    txtresults->clear();
    reportText_.clear();
    IndMatchSummaryChoices choices;
    choices.name = comHomeName->currentText();
    if (choices.name.isEmpty()) return;
    // A date box is checked when it is left; until then the report keeps to its last date.
    choices.fromDate = dateFromText(lastFromDate_);
    choices.toDate = dateFromText(lastToDate_);
    choices.level = comLevel->currentText();
    choices.matches = comMatches->currentText();
    const QString text =
        indMatchSummaryText(choices, [this](const QString& s) { return textWidthTwips(s); });
    SetTabStops(txtresults, indMatchSummaryTabStops());
    reportText_ = text;
    txtresults->setPlainText(reportText_);
}

// A choice is let go once made (its text stays), so that choosing the same item again rebuilds
// the report as well.
void frmIndMatchSummary::comHomeName_Click() {
    showUnselected(comHomeName, comHomeName->currentText());
    buildIndMatchSummary();
}

void frmIndMatchSummary::comLevel_Click() {
    showUnselected(comLevel, comLevel->currentText());
    buildIndMatchSummary();
}

void frmIndMatchSummary::comMatches_Click() {
    showUnselected(comMatches, comMatches->currentText());
    buildIndMatchSummary();
}

// A date box left holding a date: a date in another season than the box's remembered one
// refills the name list first; the report is rebuilt in every case.
void frmIndMatchSummary::leaveDateBox(QLineEdit* box, QLineEdit* remembered, QString& lastDate) {
    const QDate date = dateFromText(box->text());
    if (!date.isValid()) {
        box->setText(lastDate);
        return;
    }
    lastDate = box->text();
    const QString season = rememberedSeason(date);
    if (season != remembered->text()) {
        remembered->setText(season);
        loadWrestlerList();
    }
    buildIndMatchSummary();
}

void frmIndMatchSummary::txtFromDate_LostFocus() { leaveDateBox(txtFromDate, txtSeasonStart, lastFromDate_); }
void frmIndMatchSummary::txtToDate_LostFocus() { leaveDateBox(txtToDate, txtSeasonEnd, lastToDate_); }

void frmIndMatchSummary::cmdCopyClip_Click() { ui::setClipboardText(reportText_); }

void frmIndMatchSummary::cmdPrint_Click() { printIndMatchSummary(comMatches->currentText()); }

void frmIndMatchSummary::cmdHelp_Click() { showHelp(matchReportHelpText()); }

void frmIndMatchSummary::cmdReturn_Click() {
    ui::forms().get<frmReports>()->show();
    ui::forms().unload<frmIndMatchSummary>();
}
