#pragma once

#include "platform/ui/Form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class FolderList;
}

// First run: the user picks a folder and the first database "Matchinfo.mdb" is made there from
// the installed template; the main menu then opens on it.
class frmDirLoc : public ui::Form {
    Q_OBJECT
public:
    frmDirLoc();

    QLabel* lblDirectory;
    QLineEdit* txtDirectory;
    QComboBox* DriveBox;
    ui::FolderList* DirBox;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    void Form_Load() override;
    void DriveBox_Change();
    void DirBox_Change();
    void cmdOk_Click();
    void cmdCancel_Click();
};
