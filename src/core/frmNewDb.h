#pragma once

#include <QString>

#include "platform/ui/Form.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

// Creates a further database file in the data folder from the blank template, carries the home
// school's name over, stores the description, may fill the opposing schools from the folder's
// school list, and makes the new file the database in use.
class frmNewDb : public ui::Form {
    Q_OBJECT
public:
    frmNewDb();

    QGroupBox* Frame1;
    QLineEdit* txtFileName;
    QGroupBox* Frame2;
    QLineEdit* txtDesc;
    QPushButton* cmdReturn;
    QPushButton* cmdCreate;
    QPushButton* cmdHelp;

    void Form_Load() override;
    void cmdReturn_Click();
    void cmdCreate_Click();
    void cmdHelp_Click();

    // Full path of the school-list file of the data folder to import ("?? school list.txt" with
    // the smallest leading number), or "" when the folder holds none.
    QString findSchoolList();

private:
    // Writes the school name and the description into the new file gDbPath names, and on the
    // user's Yes imports the folder's school list into it; an error is raised to the caller.
    void fillNewFile();
};
