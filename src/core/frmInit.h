#pragma once

#include "platform/ui/Form.h"

class QLabel;
class QPushButton;

// The main menu: the program's first form and the hub every working form returns to. Each load
// runs the start-up (configuration file, repair, upgrade, settings row, season) and fills the
// labels and button states from the database in use.
class frmInit : public ui::Form {
    Q_OBJECT
public:
    frmInit();

    QLabel* imgKestrivane;
    QPushButton* cmdRoster;
    QPushButton* cmdEnter;
    QPushButton* cmdReports;
    QPushButton* cmdHomeWI;
    QPushButton* cmdEdit;
    QPushButton* cmdUtilities;
    QPushButton* cmdEnd;
    QLabel* Label2;
    QLabel* lblSchool;
    QLabel* lblVersion;
    QLabel* lblFile;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(bool& cancel) override;

    void cmdRoster_Click();
    void cmdEnter_Click();
    void cmdReports_Click();
    void cmdHomeWI_Click();
    void cmdEdit_Click();
    void cmdUtilities_Click();
    void cmdEnd_Click();

private:
    // After a load at which another program held the file, a button that needs the file loads
    // the menu again first; true when the file is open to the button now.
    bool databaseReady();
    bool heldAtLoad_ = false;
};

// Shows the main menu loaded anew (start-up rerun, labels and buttons from the database now in
// use), as the first-run forms do once they have set the database.
void showMenuAfresh();
