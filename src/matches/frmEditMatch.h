#pragma once

#include <array>

#include "platform/db/Recordset.h"
#include "platform/ui/Form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The match editor: one stored bout on one form (the entry fields, the fourteen move strings,
// the position choices, the first point and the notes). The match finder fills it and hides
// itself; Save Match checks the fields and rewrites the row, Delete removes it, Return / Cancel
// goes back to the finder. The Save checks live in edit_match_checks.cpp, the writes in
// update_match.cpp.
class frmEditMatch : public ui::Form {
    Q_OBJECT
public:
    frmEditMatch();

    QGroupBox* fraDate;
    QLineEdit* txtDate;
    QLabel* lblDayofWeek;
    QGroupBox* fraSeason;
    QLineEdit* txtSeason;
    QGroupBox* fraName;
    QComboBox* comHomeName;
    QGroupBox* fraActWeight;
    QLineEdit* txtWt;
    QGroupBox* fraWeight;
    QLineEdit* txtWtWrest;
    QGroupBox* fraOppName;
    QLineEdit* txtOppFName;
    QLineEdit* txtOppLName;
    QGroupBox* fraOppSchool;
    QLineEdit* txtOppSchool;
    QGroupBox* fraLevel;
    std::array<QRadioButton*, 3> optLevel{};
    QGroupBox* fraWinLoss;
    QRadioButton* optWin;
    QRadioButton* optLoss;
    QGroupBox* fraType;
    std::array<QRadioButton*, 6> optType{};
    QGroupBox* fraScore;
    QLineEdit* txtScore;
    QGroupBox* fraTeamPoints;
    QLineEdit* txtTeamPoints;
    QGroupBox* Frame13;
    QCheckBox* chkLeague;

    // Move strings of periods 1, 2, 3, OT, DOT1, DOT2, DOT; choices of periods 2, 3, DOT1, DOT2, DOT.
    std::array<QLineEdit*, 7> txtHome{};
    std::array<QLineEdit*, 7> txtOpp{};
    std::array<QComboBox*, 5> comChoiceHome{};
    std::array<QComboBox*, 5> comChoiceOpp{};
    QCheckBox* chkHome;
    QCheckBox* chkOpp;
    QGroupBox* fraNotes;
    QPlainTextEdit* txtNotes;
    QLineEdit* txtSeq;
    // The stored row as the editor last loaded or saved it: a save or delete changes it only
    // while it is still so.
    db::RowImage loadedMatch;

    QPushButton* cmdSaveMatch;
    QPushButton* cmdDelete;
    QPushButton* cmdReturn;

    void Form_Load() override;
    void Form_Activate() override;

    // Fills the name list with every wrestler of the season the season box shows.
    void loadHomeName();

    void txtDate_LostFocus();
    void txtSeason_Change();
    void txtOppSchool_LostFocus();
    void txtHome_LostFocus(int index);
    void txtOpp_LostFocus(int index);
    void chkHome_GotFocus();
    void chkOpp_GotFocus();
    void cmdSaveMatch_Click();
    void cmdDelete_Click();
    void cmdReturn_Click();

    // Checks of Save Match, in the order it runs them (edit_match_checks.cpp). Each shows its own
    // message and returns false when the save is refused; the look-ups give their key.
    bool checkDate();
    bool getWrestlerSeq(long long& seq);
    bool checkActWeight();
    bool getWeightSeq(long long& seq);
    bool checkOppName();
    bool getOppSchoolSeq(long long& seq);
    bool checkLevel();
    bool checkWinLoss();
    bool checkWinType();
    bool checkScore();
    bool checkTeamPoints();
    bool checkAllMoves();

private:
    void buildControls();
    void buildPeriodGrid();
    void setTabOrderOfControls();
    void connectHandlers();
    // Checks one period box; a fault is shown and the box gets the focus back.
    void checkPeriodBox(QLineEdit* box);
};
