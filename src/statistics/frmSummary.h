#pragma once

#include <QString>
#include <array>
#include <vector>

#include "platform/ui/Form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The team summary: one line per home wrestler of a season and level with his most-wrestled
// weight, grade, wins, losses, pins and winning percentage, sorted by a column the user picks.
class frmSummary : public ui::Form {
    Q_OBJECT
public:
    // One wrestler's cells: 0 Seq, 1 first name, 2 last name, 3 full name, 4 grade, 5 weight,
    // 7 wins, 8 losses, 9 pins, 10 PCT; the others stay empty.
    using SummaryRow = std::array<QString, 21>;

    frmSummary();

    QLabel* lblSeason;
    QComboBox* comSeason;
    QLabel* lblLevel;
    QComboBox* comLevel;
    QCheckBox* chkActive;
    QLabel* lblSort;
    QComboBox* comSort;
    QLabel* lblOrder;
    QComboBox* comOrder;
    QPlainTextEdit* txtResult;
    QPushButton* cmdCopyClip;
    QPushButton* cmdReturn;
    QPushButton* cmdHelp;

    void Form_Load() override;

    void comSeason_Click();
    void comLevel_Click();
    void chkActive_Click();
    void comSort_Click();
    void comOrder_Click();
    void cmdCopyClip_Click();
    void cmdHelp_Click();
    void cmdReturn_Click();

    void loadSeasons();
    // Reads the season's rows into the table, then sorts and writes them.
    void runSummary();
    // Sorts the rows already read and writes the report text.
    void writeTable();
    void SetTBTabStops(QPlainTextEdit* box, const std::vector<int>& stops);

    // The rows read by the last run, in their current order.
    const std::vector<SummaryRow>& summaryTable() const { return summaryTable_; }

private:
    void sortTable();

    std::vector<SummaryRow> summaryTable_;
};

// The winning percentage as the summary shows it: ".667", ".5", "1", "0" (also for no decided
// matches), rounded half up to three decimals.
QString summaryPct(double wins, double losses);
