#pragma once

#include "platform/ui/Form.h"
#include "statistics/indv_summary_stats.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The individual summary screen: wins and losses of wrestlers by win type over a date range and
// a level. Its sources of names and match rows are retired, so a run processes no wrestler.
class frmIndvSummary : public ui::Form {
    Q_OBJECT
public:
    frmIndvSummary();

    QGroupBox* Frame1;
    QComboBox* comName;
    QGroupBox* Frame2;
    QComboBox* comSchool;
    QGroupBox* Frame3;
    QLineEdit* txtStartDate;
    QGroupBox* Frame4;
    QLineEdit* txtEndDate;
    QGroupBox* Frame5;
    QComboBox* comWinLoss;
    QGroupBox* Frame6;
    QComboBox* comSort;
    QGroupBox* Frame7;
    QComboBox* comType;
    QGroupBox* Frame8;
    QComboBox* comLevel;
    QPushButton* CmdRun;
    QPushButton* cmdCancel;
    QLineEdit* Text1;
    QLabel* Label1;
    QLineEdit* txtResult;

    void Form_Load() override;
    void CmdRun_Click();
    void cmdCancel_Click();

    // The steps of a run, each on the run's tables (summary: kIndvTableRows rows by 13 columns;
    // row 0 the captions, then one row per key with wins in columns 1-6 and losses in 7-12).
    void getResultMode(const TextTable& results, const QString& winLoss, TextTable& summary);
    void winTypeCaption(TextTable& summary, const QString& mode);
    void tallyWinTypes(const TextTable& results, TextTable& summary);
    void writeResult(const TextTable& summary);
};
