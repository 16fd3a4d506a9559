#pragma once

#include <QString>
#include <array>
#include <vector>

#include "platform/db/Recordset.h"
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
    // The rows of the wrestlers read by the last run, no gaps.
    using SummaryTable = std::vector<SummaryRow>;

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
    // Copies the totals query's rows into the table, with their PCT.
    void loadRows(SummaryTable& table, db::Recordset& rs);
    // Sorts the rows already read and writes the report text.
    void writeTable();
    // Sorts the table by the column and direction that comSort and comOrder name.
    void sortTable(SummaryTable& table);
    void swapRows(SummaryTable& table, size_t i, size_t j);
    void SetTBTabStops(QPlainTextEdit* box, const std::vector<int>& stops);

    // Retired: says so and does nothing else.
    void GetLevel();
    // Column routines the report does not use. loadWeights sets `column` to "0" in every row,
    // then writes each record's field c into the rows of its SeqWrestler; with kind "Weight" it
    // keeps, per wrestler, the record's Weight with the highest c (the count kept in the next
    // column). computePct fills the PCT column with the winning fraction cut to three decimals,
    // empty for a row without wins and losses.
    void loadWeights(SummaryTable& table, db::Recordset& rs, const QString& column,
                     const QString& kind);
    void computePct(SummaryTable& table, int winColumn, int lossColumn, int pctColumn);

    // The rows read by the last run, in their current order.
    const SummaryTable& summaryTable() const { return summaryTable_; }

private:
    SummaryTable summaryTable_;
    QString reportSeason_;  // the season of the rows read by the last run
};

// The winning percentage as the summary shows it: ".667", ".5", "1", "0" (also for no decided
// matches), rounded half up to three decimals.
QString summaryPct(double wins, double losses);
