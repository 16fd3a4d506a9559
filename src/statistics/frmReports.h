#pragma once

#include "platform/ui/Form.h"

class QLabel;
class QPushButton;

// The reports menu: one button per report form. Each button opens its report and unloads the
// menu; every report's Return shows the menu again, fresh.
class frmReports : public ui::Form {
    Q_OBJECT
public:
    frmReports();

    QLabel* imgKestrivane;
    QLabel* lblTitle;
    QPushButton* cmdIndSummaryDetail;
    QPushButton* cmdLeaders;
    QPushButton* cmdSeason;
    QPushButton* cmdNotes;
    QPushButton* cmdReturn;
    QPushButton* cmdSummary;
    QPushButton* cmdIndSummary;
    QPushButton* cmdDual;
    QPushButton* cmdMultiLeader;
    QPushButton* cmdMatchSummary;

    void cmdLeaders_Click();
    void cmdMultiLeader_Click();
    void cmdSummary_Click();
    void cmdMatchSummary_Click();
    void cmdIndSummary_Click();
    void cmdSeason_Click();
    void cmdDual_Click();
    void cmdNotes_Click();
    void cmdReturn_Click();
    void cmdIndSummaryDetail_Click();
};
