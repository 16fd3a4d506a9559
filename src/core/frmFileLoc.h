#pragma once

#include "platform/ui/Form.h"

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ui {
class FolderList;
}

// Picks an existing file. In mode "FindDB" (gFileLocMode) the file becomes the database in use
// when it opens as one; in mode "Import" it is the school-list file to import.
class frmFileLoc : public ui::Form {
    Q_OBJECT
public:
    frmFileLoc();

    QLabel* lblFile;
    QLineEdit* txtFileName;
    QLabel* lblDirectory;
    QLineEdit* txtDirectory;
    QLineEdit* txtFileWildcard;
    QComboBox* DriveBox;
    ui::FolderList* DirBox;
    QListWidget* FileBox;
    QPushButton* cmdRetreive;
    QPushButton* cmdCancel;

    void Form_Load() override;
    void DriveBox_Change();
    void DirBox_Change();
    void FileBox_Click();
    void FileBox_DblClick();
    void txtFileWildcard_Change();
    void cmdRetreive_Click();
    void cmdCancel_Click();

private:
    // Lists the files of the chosen folder that match the pattern, sorted by name.
    void refreshFileBox();
    void keyPressEvent(QKeyEvent* event) override;
    // Tries the chosen file as a database: it must open and have a Wrestler table.
    bool probeDatabase();

    QString filePattern_;
};
