#pragma once

#include "platform/db/Value.h"
#include "platform/ui/Form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The leaders report: the home team's wrestlers ranked by one statistic over a date range, for
// the home side or the opponents' side, with the total of the scores.
class frmLeaders : public ui::Form {
    Q_OBJECT
public:
    frmLeaders();

    QLabel* lblTitle;
    QGroupBox* fraReportType;
    QComboBox* comReportType;
    QGroupBox* fraSide;
    QRadioButton* optHome;
    QRadioButton* optOpp;
    QGroupBox* fraFromDate;
    QLineEdit* txtFromDate;
    QGroupBox* fraToDate;
    QLineEdit* txtToDate;
    QGroupBox* fraLevel;
    QComboBox* comLevel;
    QGroupBox* fraOrder;
    QRadioButton* optDesc;
    QRadioButton* optAsc;
    QGroupBox* fraActive;
    QRadioButton* optActive;
    QRadioButton* optAll;
    QGroupBox* Frame8;
    QCheckBox* chkAverage;
    QRadioButton* optVoid;
    QRadioButton* optNoVoid;
    QPlainTextEdit* txtResult;
    QLabel* lblTotal;
    QLabel* lblTotalResult;
    QPushButton* cmdCopyClip;
    QPushButton* cmdReturn;
    QPushButton* cmdHelp;

    void Form_Activate() override;

    void comReportType_Click();
    void comLevel_Click();
    void optHome_Click();
    void optOpp_Click();
    void optDesc_Click();
    void optAsc_Click();
    void optActive_Click();
    void optAll_Click();
    void optVoid_Click();
    void optNoVoid_Click();
    void chkAverage_Click();
    void txtFromDate_LostFocus();
    void txtToDate_LostFocus();
    void txtResult_KeyUp();
    void txtResult_LostFocus();
    void cmdCopyClip_Click();
    void cmdHelp_Click();
    void cmdReturn_Click();

    // Builds and runs the report into the result box and the total.
    void runLeaders();

private:
    // The dates the report was last built from: a box's text refused goes back to its date.
    QString fromDate_;
    QString toDate_;
    // Adds the score column, the ORDER BY and the statistic's and active-wrestler conditions;
    // true when the report must stop ("Wrong Selection").
    bool buildSelectOrder(QString& select, QString& orderBy, QString& where);
    // Adds the date range (bound to `params`) and the level condition; false, after its message,
    // when a date box does not hold a date.
    bool buildWhere(QString& where, db::Params& params);
};
