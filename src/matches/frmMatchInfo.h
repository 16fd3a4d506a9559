#pragma once

#include <array>

#include <QString>

#include "platform/ui/Form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;

// The match entry form: one bout of a home wrestler (date, wrestler, weights, opponent, school,
// level, result, win type, score, team points, league flag). The moves go on the score sheet,
// which this form hides itself to show. The checks of the Save button live in
// match_entry_checks.cpp, the school lists and opponent names in opponent_names.cpp.
class frmMatchInfo : public ui::Form {
    Q_OBJECT
public:
    frmMatchInfo();

    // Date and season
    QGroupBox* fraDate;
    QLineEdit* txtDate;
    QLabel* lblDayofWeek;
    QGroupBox* fraSeason;
    QLineEdit* txtSeason;

    // Home wrestler and weights
    QGroupBox* fraName;
    QComboBox* comHomeName;
    QGroupBox* fraActWeight;
    QLineEdit* txtWt;
    QGroupBox* fraWeight;
    QListWidget* lstWeight;

    // Opponent
    QGroupBox* fraOppName;
    QLineEdit* txtOppFName;
    QLineEdit* txtOppLName;
    QGroupBox* fraOppSchool;
    QLineEdit* txtOppSchool;

    // Result
    QGroupBox* fraLevel;
    std::array<QRadioButton*, 3> optLevel;
    QGroupBox* fraWinLoss;
    QRadioButton* optWin;
    QRadioButton* optLoss;
    QGroupBox* fraType;
    std::array<QRadioButton*, 6> optType;
    QGroupBox* fraScore;
    QLineEdit* txtScore;
    QGroupBox* fraTeamPoints;
    QLineEdit* txtTeamPoints;
    QGroupBox* fraLeague;
    QCheckBox* chkLeague;

    // Opponent names and school lists
    QGroupBox* fraSource;
    QRadioButton* optRoster;
    QRadioButton* optMatch;
    QListWidget* lstNames;
    QGroupBox* fraFind;
    QLineEdit* txtFind;
    QLabel* lblSchools;
    QListWidget* lstSchools;
    QLineEdit* txtNoSchool;
    QLabel* lblUSchools;
    QListWidget* lstUSchools;

    // Last match entered
    QLabel* lblLastMatch;
    QLabel* lblPrevMatch;

    QTimer* Timer1;

    QPushButton* cmdScore;
    QPushButton* cmdSaveMatch;
    QPushButton* cmdClear;
    QPushButton* cmdReturn;
    QPushButton* cmdEditNames;
    QPushButton* cmdEditWeight;
    QPushButton* cmdSchools;
    QPushButton* cmdHelp;

    void Form_Load() override;

    // Lists of the form, also run by other forms (the weight editor's Return reloads the classes).
    void loadHomeName();
    void loadWtClass();

    // Handlers.
    void Timer1_Timer();
    void txtDate_LostFocus();
    void comHomeName_LostFocus();
    void txtOppFName_LostFocus();
    void optLoss_Click();
    void txtScore_LostFocus();
    void cmdScore_Click();
    void cmdSaveMatch_Click();
    void cmdClear_Click();
    void cmdReturn_Click();
    void cmdEditNames_Click();
    void cmdEditWeight_Click();
    void cmdSchools_Click();
    void cmdHelp_Click();

    // Checks of the Save button, in the order it runs them (match_entry_checks.cpp). Each shows
    // its own message and returns false when the entry is refused; the look-ups give their key.
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
    // Every move string on the score sheet is well formed (the first fault is shown).
    bool checkAllMoves();
    // Shows the most recently saved bout in lblPrevMatch.
    void showPrevMatch();

    // School lists and opponent names (opponent_names.cpp).
    void loadUsedSchools();
    void loadSchools();
    void setupNameSource();
    void loadOppNames(const QString& tag);
    void txtFind_Change();
    void txtOppSchool_Change();
    void optRoster_Click();
    void optMatch_Click();
    void lstNames_DblClick();
    void lstSchools_DblClick();
    void lstUSchools_DblClick();
    void txtOppSchool_DragDrop();

private:
    void buildControls();
    void connectHandlers();

    // The season whose names the name list holds.
    QString namesSeason_;
};
