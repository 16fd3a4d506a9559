#pragma once

#include <QDate>
#include <QString>

#include "platform/ui/Form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
namespace ui {
class ReportBox;
}
class QPushButton;

// The dual-meet report: the varsity bouts between two dates grouped by date and opposing school,
// each school headed by its stored team score; and the entry of that team score for one date.
class frmDualRpt : public ui::Form {
    Q_OBJECT
public:
    frmDualRpt();

    QGroupBox* Frame4;
    QComboBox* comDateStart;
    QGroupBox* Frame5;
    QComboBox* comDateEnd;
    QLabel* lblDate;
    QPushButton* cmdSaveScore;
    QLabel* lblSchoolName;
    QLineEdit* txtHomeScore;
    QComboBox* comOppSchool;
    QLineEdit* txtOppScore;
    ui::ReportBox* txtresults;
    QPushButton* cmdCopyClip;
    QPushButton* cmdPrint;
    QPushButton* cmdReturn;
    QPushButton* cmdHelp;
    // Hidden working state of the score entry.
    QCheckBox* chkHomeChange;   // ticked: the home score was changed since the last load or save
    QCheckBox* chkOppChange;    // ticked: the opponent score was changed
    QLineEdit* txtPrevSchool;   // the school the changed scores belong to; lies over comOppSchool
    QCheckBox* chkSchool;       // ticked while the form itself reselects a school

    void Form_Load() override;
    // The close box goes back to the reports menu, as Return does.
    void Form_QueryUnload(bool& cancel) override;

    void buildDualReport();
    void comDateStart_Click();
    void comDateEnd_Click();
    void cmdCopyClip_Click();
    void cmdPrint_Click();
    void cmdReturn_Click();
    void cmdHelp_Click();

    void txtHomeScore_Change();
    void txtOppScore_Change();
    void comOppSchool_click();
    void cmdSaveScore_Click();

    // The report as built (CR LF line ends); the box shows it and Copy puts it on the clipboard.
    const QString& reportText() const { return reportText_; }
    // The date of the meet whose score the boxes hold: the date of the last report when it
    // covered one date, otherwise invalid.
    QDate meetDate() const { return meetDate_; }

private:
    void dateChosen(QComboBox* chosen, QComboBox* other);
    void fitSchoolNameLabel();
    void enableScoreEntry(bool enabled);

    QString reportText_;
    QDate meetDate_;
    // The texts of the date boxes the report on screen was built from.
    QString reportStart_;
    QString reportEnd_;
    // The text the school box showed before the pick under way: a school, or "Select School".
    QString shownSchool_;
};
