#pragma once

#include <QDateTime>
#include <array>
#include <functional>

#include "platform/db/Recordset.h"
#include "platform/ui/Form.h"

class QComboBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The multi-leader boards: four lists side by side, each the home team's varsity wrestlers with
// the highest totals of one statistic over a date range (the top 5 or top 10, with everyone tied
// with the last listed), and their printout on one portrait page.
class frmTeamLeaders : public ui::Form {
    Q_OBJECT
  public:
    static constexpr int kBoards = 4;

    frmTeamLeaders();

    QGroupBox* fraDateStart;
    QComboBox* comDateStart;
    QGroupBox* fraDateEnd;
    QComboBox* comDateEnd;
    QGroupBox* fraListLength;
    QRadioButton* opt5;
    QRadioButton* opt10;
    std::array<QComboBox*, kBoards> comType{};
    std::array<QPlainTextEdit*, kBoards> txtresults{};
    QPushButton* cmdPrint;
    QPushButton* cmdReturn;

    void Form_Load() override;
    // The close box is allowed and goes back to the reports menu, as Return does.
    void Form_QueryUnload(bool& cancel) override;

    void comType_Click(int index);
    void comDateStart_Click();
    void comDateEnd_Click();
    void opt5_Click();
    void opt10_Click();
    void cmdPrint_Click();
    void cmdReturn_Click();

    // Fills both date lists with every match date and presets the range to the current season.
    void loadDates();
    // Fills the result box of one board.
    void runCategory(int index);
    // The query of one board for a category text, its date range bound to `params`. False when
    // the category is unknown (after getStatExpr's message) or a date box holds no date: then
    // there is nothing to run.
    bool buildSql(const QString& category, QString& sql, db::Params& params);
    // The footer line of the printout, with `printed` as the time of printing.
    void printFooter(const QDateTime& printed);

  private:
    // The length of the lists: 5 or 10.
    int listLength() const;
    // Runs all four boards, after saying once when a date box holds no date.
    void runAllBoards();
    // True when both date boxes hold dates; otherwise shows the date message.
    bool checkDates();
    // Walks a board's rows in rank order: the first `length` rows, then every further row whose
    // value equals the last listed one. A row without a value counts as 0 in that comparison.
    void walkBoard(db::Recordset& rs, int length,
                   const std::function<void(const QString& name, const db::Value& stat)>& row);
};
