#pragma once

#include "platform/ui/Form.h"

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

// First run: the user picks a folder and the first database "Matchinfo.mdb" is made there from
// the installed template; the main menu then opens on it.
class frmDirLoc : public ui::Form {
    Q_OBJECT
public:
    frmDirLoc();

    QLabel* lblDirectory;
    QLineEdit* txtDirectory;
    QComboBox* DriveBox;
    QTreeView* DirBox;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    void Form_Load() override;
    void DriveBox_Change();
    void DirBox_Change();
    void cmdOk_Click();
    void cmdCancel_Click();

    // Makes `path` the folder chosen in the folder list (and so in the folder box).
    void setDirBoxPath(const QString& path);

private:
    QFileSystemModel* folders_;
    QString revealing_;  // the folder chosen by code, kept in view while the tree is read
};
