#pragma once

#include "platform/ui/Form.h"

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeView;

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
    QTreeView* DirBox;
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

    // Makes `path` the folder chosen in the folder list; the file list and folder box follow.
    void setDirBoxPath(const QString& path);

private:
    // Lists the files of the chosen folder that match the pattern, sorted by name.
    void refreshFileBox();
    // Tries the chosen file as a database: it must open and have a Wrestler table.
    bool probeDatabase();

    QFileSystemModel* folders_;
    QString revealing_;  // the folder chosen by code, kept in view while the tree is read
    QString filePattern_;
};
