#pragma once

#include "platform/ui/Form.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// The match finder: narrows the stored matches of a season by home wrestler, date, opposing
// school and opponent until at most five fit, and opens the chosen one in the match editor.
// Each pick list holds "ALL" and then either every value that still fits the other picks, or
// only its own pick. The editor is filled by loadMatchIntoEditor (load_match.h).
class frmFindMatch : public ui::Form {
    Q_OBJECT
public:
    frmFindMatch();

    QGroupBox* fraSeason;
    QComboBox* comSeason;
    QGroupBox* fraNames;
    QListWidget* lstNames;
    QGroupBox* fraDates;
    QListWidget* lstDates;
    QGroupBox* fraOppSchool;
    QListWidget* lstOppSchool;
    QGroupBox* fraOppName;
    QListWidget* lstOppName;
    QListWidget* lstOppFirst;  // hidden: the first names of lstOppName, index by index
    QListWidget* lstOppLast;   // hidden: the last names
    QGroupBox* fraMatches;
    QListWidget* lstMatches;
    QListWidget* lstMatchseq;  // hidden: the [Match].Seq of each line of lstMatches
    QLineEdit* txtNarrowResults;
    QPushButton* cmdReturn;
    QPushButton* cmdEdit;
    QPushButton* cmdHelp;

    void Form_Load() override;
    void Form_Activate() override;

    void comSeason_Click();
    void lstNames_Click();
    void lstDates_Click();
    void lstOppSchool_Click();
    void lstOppName_Click();
    void cmdEdit_Click();
    void cmdHelp_Click();
    void cmdReturn_Click();

    void loadSeasons();
    // Rebuilds the filter from the picks and refreshes every list.
    void refreshLists();
    // Leaves "ALL" and the list's pick (only "ALL" when "ALL" or nothing is picked).
    static void trimList(QListWidget* list);

private:
    // Fills the editor from the selected line of lstMatches. False, with a message, when the
    // match is no longer stored.
    bool loadMatchToEdit();
    bool refreshing_ = false;
    QString listedSeason_;  // the season box's text at the last refresh
};
