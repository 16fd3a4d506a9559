#pragma once

#include <QDateTime>
#include <array>
#include <functional>
#include <optional>
#include <vector>

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
    // A board's line before it is written: the wrestler's full name and his value (Null when
    // none of his matches has one).
    struct BoardLine {
        QString name;
        db::Value stat;
    };
    using BoardLines = std::vector<BoardLine>;
    // The lines of each category over the range of the date boxes, in rank order, every
    // wrestler of the category included; none for a category that cannot run (unknown, after
    // getStatExpr's message, or a date box without a date). All categories are added up in one
    // pass over the matches; the lines are those, and in the order, of each board's own query
    // (buildSql).
    std::vector<std::optional<BoardLines>> rankCategories(const QStringList& categories);
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
    // Fills the result boxes of the given boards.
    void runBoards(const std::vector<int>& boards);
    // Walks a board's lines in rank order: the first `length` lines, then every further line
    // whose value equals the last listed one. A line without a value counts as 0 in that
    // comparison.
    static void walkBoard(const BoardLines& lines, int length,
                          const std::function<void(const QString& name, const db::Value& stat)>& row);

    // The choices the boards on screen were filled from.
    QString boardStart_;
    QString boardEnd_;
    std::array<QString, kBoards> boardCategory_;
};
