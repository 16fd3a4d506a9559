#pragma once

#include "platform/ui/Form.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The individual season summary: for one wrestler and season, the weight entered and his varsity
// record, overall and at that weight, in all matches and in league matches; prints the
// association's season summary form filled in for him, or blank.
class frmSeasonSummary : public ui::Form {
    Q_OBJECT
public:
    frmSeasonSummary();

    QLabel* Label1;
    QGroupBox* fraName;
    QListWidget* lstNames;
    QGroupBox* fraSeason;
    QComboBox* comSeason;
    QGroupBox* fraWtEnter;
    QLineEdit* txtWtEnter;
    QGroupBox* fraVarsity;
    QGroupBox* fraVarsityOverall;
    QLabel* lblOverWin;
    QLabel* lblOverLoss;
    QGroupBox* fraVarsityWeight;
    QLabel* lblWtWin;
    QLabel* lblWtLoss;
    QGroupBox* fraLeague;
    QGroupBox* fraLeagueOverall;
    QLabel* lblOverWinLg;
    QLabel* lblOverLossLg;
    QGroupBox* fraLeagueWeight;
    QLabel* lblWtWinLg;
    QLabel* lblWtLossLg;
    QPushButton* cmdReturn;
    QPushButton* cmdPrintBlank;
    QPushButton* cmdPrint;
    QPushButton* cmdHelp;
    // Never shown: the pictures that the printed form draws on its first page.
    QLabel* imgKestrivane;
    QLabel* imgWL;

    void Form_Activate() override;

    void loadSeasons();
    void loadNames();
    void comSeason_Click();
    void lstNames_Click();
    void txtWtEnter_Change();
    void cmdPrint_Click();
    void cmdPrintBlank_Click();
    void cmdHelp_Click();
    void cmdReturn_Click();

    // The selected name of the list, "" when none is selected.
    QString selectedName() const;
    // The season's starting year: the first four characters of the season box.
    QString seasonYear() const;

private:
    // Sets the eight count labels; `atWeight` false sets the four at weight to "0".
    void showCounts(long long wrestlerSeq, bool atWeight, long long weightSeq);

    QString listedSeason_;  // the season box's text when the names were last listed
};
