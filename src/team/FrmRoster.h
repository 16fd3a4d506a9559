#pragma once

#include <QString>
#include <array>
#include <map>
#include <set>
#include <vector>

#include "platform/db/Recordset.h"
#include "platform/ui/Form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;

// The opponents' roster form: the coach types the wrestlers of an opposing school, one line per
// weight class, and saves them as Roster rows under the roster date, so that the match entry
// form can offer their names. A saved roster (the rows of one date and school) can be loaded
// again, corrected and saved over itself or as a copy dated today.
//
// The grid shows 15 of the 100 rows of rosterRows; VScroll1 pages it, its value being the number
// of the top row.
class FrmRoster : public ui::Form {
    Q_OBJECT
public:
    static constexpr int kLines = 15;
    static constexpr int kRows = 101;  // rows 0 to 100; row 0 is never shown
    enum Field { KeyField, ClassField, FirstField, LastField, SchoolField, FieldCount };
    using Row = std::array<QString, FieldCount>;

    FrmRoster();

    QLabel* lblOppenent;
    QLabel* lblWtClass;
    QLabel* lblFName;
    QLabel* lblLName;
    QLabel* Label1;
    std::array<QLabel*, kLines> lblSeq;
    std::array<QLineEdit*, kLines> txtWt;
    std::array<QLineEdit*, kLines> txtFName;
    std::array<QLineEdit*, kLines> txtLName;
    std::array<QLineEdit*, kLines> txtSchool;
    std::array<QLineEdit*, kLines> txtSeq;
    QScrollBar* VScroll1;
    QGroupBox* fraSchool;
    QLineEdit* txtFind;
    QListWidget* lstSchools;
    QListWidget* lstEdit;
    QPushButton* cmdSchools;
    QPushButton* cmdEdit;
    QPushButton* cmdHelp;
    QPushButton* cmdReturn;
    QPushButton* cmdSave;
    QLineEdit* txtRosterDate;

    void Form_Load() override;
    void Form_Activate() override;

    void VScroll1_Change();
    void txtWt_LostFocus(int index);
    void txtLName_LostFocus(int index);
    void txtSchool_LostFocus(int index);
    void txtSchool_DragDrop(int index);
    void txtFind_Change();
    void lstSchools_DblClick();
    void lstEdit_DblClick();
    void cmdEdit_Click();
    void cmdSave_Click();
    void cmdSchools_Click();
    void cmdHelp_Click();
    void cmdReturn_Click();

    void loadWeights();
    void loadSchoolList();
    void storeRosterPage();
    // Seq of the weight class or the school of that name; -1 when there is none.
    long long getWeightSeq(const QString& name);
    long long getSchoolSeq(const QString& name);

    const std::vector<Row>& rows() const { return rosterRows_; }
    const std::vector<QString>& weightClasses() const { return weightClasses_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    void showLine(int line, const Row& row);
    void clearLines();
    // Whether the focus, leaving the last name of `line`, goes on forward through the grid: to
    // the school of that line or into a line below it.
    bool focusMovesOn(int line) const;
    void showNewEntryLayout();
    // Checks the rows before anything is written; shows the refusal and returns false.
    bool checkRowsBeforeSave(std::vector<int>& complete);
    // Today as the roster date text, "MM/DD/YYYY".
    static QString today();

    std::vector<Row> rosterRows_;
    // The stored entries of the roster loaded, as loaded, by their Seq: an overwrite deletes
    // them only while they are still so.
    std::map<long long, db::RowImage> loadedRows_;
    // The Seqs of the roster's entries past the ones loaded into the grid: an overwrite leaves
    // them in the table as they are.
    std::set<long long> unloadedRows_;
    // The date and school of the roster loaded, as its entries are looked up by.
    db::Params loadedRoster_;
    std::vector<QString> weightClasses_;
};

// Adds one Roster row under FrmRoster's roster date. Uses the open connection when there is one
// (the roster save's transaction), else opens and closes its own.
void addRosterEntry(long long seqWeight, const QString& fname, const QString& lname, long long seqSchool);
