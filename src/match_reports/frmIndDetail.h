#pragma once

#include <QString>

#include "match_reports/detail_query.h"
#include "platform/ui/Form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
namespace ui {
class ReportBox;
}
class QPushButton;

// The individual detail report: every varsity bout of a date range, of all schools or one, of
// all home wrestlers or one, with its move counts, first points and win type; and the totals of
// each wrestler and of his opponents. Both texts can be copied and printed.
class frmIndDetail : public ui::Form {
    Q_OBJECT
public:
    frmIndDetail();

    QGroupBox* Frame4;
    QComboBox* comDateStart;
    QGroupBox* Frame5;
    QComboBox* comDateEnd;
    QGroupBox* Frame1;
    QComboBox* comSchool;
    QGroupBox* Frame2;
    QComboBox* comWrestler;
    QCheckBox* chkDateSelect;  // hidden: unticked while a date change refills the lists
    ui::ReportBox* txtresults;
    QPushButton* cmdCopyClip;
    QPushButton* cmdPrint;
    QLabel* Label1;
    ui::ReportBox* txtSummary;
    QPushButton* cmdTotalsCopyClip;
    QPushButton* cmdPrintTotals;
    QPushButton* cmdReturn;
    QPushButton* cmdHelp;

    void Form_Load() override;
    // The close box goes back to the reports menu as Return does.
    void Form_QueryUnload(bool& cancel) override;

    // The four choices as the boxes hold them now.
    DetailChoices choices() const;
    // The report's query for the current choices; touches no database.
    DetailQuery buildDetailSQL() const;
    void getDateRange(QString& startDate, QString& endDate) const;
    void loadSchools();
    void loadWrestlers();
    void buildDetailReport();

    void comDateStart_Click();
    void comDateEnd_Click();
    void comSchool_Click();
    void comWrestler_click();
    void cmdCopyClip_Click();
    void cmdTotalsCopyClip_Click();
    void cmdPrint_Click();
    void cmdPrintTotals_Click();
    void cmdHelp_Click();
    void cmdReturn_Click();

    // The two texts as built (CR LF line ends); the boxes show them and Copy puts them on the
    // clipboard.
    const QString& resultsText() const { return resultsText_; }
    const QString& summaryText() const { return summaryText_; }

private:
    void reloadList(QComboBox* box, const QStringList& list);
    // False, after the date message, when a date box holds a text that is no date.
    bool datesReadable();
    void dateChosen(QComboBox* chosen);
    void refillListsAndBuild();

    QString resultsText_;
    QString summaryText_;
};
