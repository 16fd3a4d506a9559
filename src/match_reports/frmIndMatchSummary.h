#pragma once

#include <QString>

#include "platform/ui/Form.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
namespace ui {
class ReportBox;
}
class QPushButton;

// The individual match summary: the matches of one home wrestler over a date range, in every
// season in which a wrestler of that full name exists, as tab-aligned text that can be copied.
class frmIndMatchSummary : public ui::Form {
    Q_OBJECT
public:
    frmIndMatchSummary();

    QGroupBox* Frame8;
    QComboBox* comHomeName;
    QGroupBox* Frame4;
    QLineEdit* txtFromDate;
    QGroupBox* Frame5;
    QLineEdit* txtToDate;
    QGroupBox* Frame6;
    QComboBox* comLevel;
    QGroupBox* Frame1;
    QComboBox* comMatches;
    ui::ReportBox* txtresults;
    QLineEdit* txtSeasonStart;  // hidden: remembered season of the first date
    QLineEdit* txtSeasonEnd;    // hidden: remembered season of the last date
    QPushButton* cmdCopyClip;
    QPushButton* cmdPrint;
    QPushButton* cmdReturn;
    QPushButton* cmdHelp;

    void Form_Load() override;

    void loadWrestlerList();
    void buildIndMatchSummary();

    void comHomeName_Click();
    void comLevel_Click();
    void comMatches_Click();
    void txtFromDate_LostFocus();
    void txtToDate_LostFocus();
    void cmdCopyClip_Click();
    void cmdPrint_Click();
    void cmdHelp_Click();
    void cmdReturn_Click();

    // The report as built (CR LF line ends); the box shows it and Copy puts it on the clipboard.
    const QString& reportText() const { return reportText_; }
    // Width of a text in twips, in the font of the results box.
    int textWidthTwips(const QString& text) const;

private:
    void leaveDateBox(QLineEdit* box, QLineEdit* rememberedSeason, QString& lastDate);

    QString reportText_;
    // The date of each date box that the report was last built from; a box left holding
    // something else than a date gets it back.
    QString lastFromDate_;
    QString lastToDate_;
};
