#pragma once

#include <QString>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "platform/db/Recordset.h"
#include "platform/ui/Form.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;

// The home weigh-in form: the coach types the date, the grid fills with the season's wrestlers
// who have matches, the coach types each one's weight, and a save writes one HomeWI row each. A
// weight more than 1.5 % of body weight per week below the wrestler's latest bout is marked
// yellow. Stored weigh-ins can be listed by date, loaded, corrected and saved again.
//
// The grid shows 20 of the 150 rows of wiRows (two columns of ten); HScroll1 pages it, its value
// being the number of the top row.
class frmHomeWI : public ui::Form {
    Q_OBJECT
public:
    static constexpr int kLines = 20;
    static constexpr int kRows = 151;  // rows 0 to 150; row 0 is never used
    static constexpr int kFields = 7;
    // 0 stored Seq, 1 stored CompDate, 2 full name, 3 weight as typed, 4 last match weight,
    // 5 date of the last match, 6 minimum weight.
    using Row = std::array<QString, kFields>;

    frmHomeWI();

    QGroupBox* Frame10;
    QLineEdit* txtDate;
    QLabel* lblDayofWeek;
    QGroupBox* fraSeason;
    QLineEdit* txtSeason;
    std::array<QLabel*, 4> lblHeading;  // "Actual Weight", "Name" over each column
    std::array<QLabel*, kLines> lblSeq;
    std::array<QLineEdit*, kLines> txtWt;
    std::array<QComboBox*, kLines> comName;
    std::array<QLineEdit*, kLines> txtSeq;
    QScrollBar* HScroll1;
    QGroupBox* fraWI;
    QListWidget* lstWI;
    QPushButton* cmdSave;
    QPushButton* cmdEdit;
    QPushButton* cmdEditNames;
    QPushButton* cmdHelp;
    QPushButton* cmdReturn;

    void Form_Load() override;
    void Form_Activate() override;

    void txtDate_LostFocus();
    void HScroll1_Change();
    void comName_Click(int index);
    void txtWt_LostFocus(int index);
    void cmdEdit_Click();
    void lstWI_Click();
    void cmdSave_Click();
    void cmdEditNames_Click();
    void cmdHelp_Click();
    void cmdReturn_Click();

    void storeWIPage();
    void loadNameLists();
    void prefillSeasonWrestlers();
    // Key of the wrestler's row in a season (four-digit starting year); -1, after a message,
    // when that season has no row of the name.
    long long getWrestlerSeq(const QString& name, int season);
    // The first row with a name and a non-numeric weight, after its message; 0 when none.
    int checkWeightsNumeric();
    void compactWIRows();

    const std::vector<Row>& rows() const { return wiRows_; }
    // True while the weight box is marked for too fast a weight loss.
    bool isMarked(int index) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    // Shows a name in a row's box without choosing an entry of its list.
    void setNameText(int index, const QString& name);
    void showPage(int top);
    void setMark(int index, bool marked);
    // A click on a box of the grid while its rows are closed: the date box is left first, as
    // for a click on a button; a good date opens the rows with the focus in the clicked box.
    void openRowsAt(QWidget* box);
    // Whether the weight in a line lies below what the wrestler may have lost since his latest
    // bout; nothing when there is nothing to compare (no number, no date, no bout, a name the
    // season does not know: reported only with `reportUnknown`).
    std::optional<bool> lostTooFast(int index, bool reportUnknown);
    // The mark of each line for the row it shows, without a message.
    void markLinesShown();
    void clearRow(Row& row) { row.fill(QString()); }
    // True when a row holds a typed weight or comes from a stored weigh-in.
    bool holdsEnteredRows() const;

    std::vector<Row> wiRows_;
    // The stored rows of the weigh-in loaded, as loaded, by Seq: an overwrite replaces them only
    // while they are still so.
    std::map<long long, db::RowImage> loadedRows_;
    bool reloadNames_ = false;
};
