#pragma once

#include "platform/ui/Form.h"

class QPushButton;

// The Utilities menu: the database files. Back up the database in use, change to another file
// of the data folder, create a new file, send a copy of the database to support, or change the
// file's description. It hides itself while one of its forms is open.
class frmUtilities : public ui::Form {
    Q_OBJECT
public:
    frmUtilities();

    QPushButton* cmdUpdateDesc;
    QPushButton* cmdFindDB;
    QPushButton* cmdNew;
    QPushButton* cmdBackupDB;
    QPushButton* cmdSendDB;
    QPushButton* cmdReturn;

    void cmdUpdateDesc_Click();
    void cmdFindDB_Click();
    void cmdNew_Click();
    void cmdBackupDB_Click();
    void cmdSendDB_Click();
    void cmdReturn_Click();
};
