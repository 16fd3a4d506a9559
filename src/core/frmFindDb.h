#pragma once

#include <QString>
#include <array>
#include <vector>

#include "platform/ui/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

// "Change DB": the database files of the data folder, three rows at a time, each with its
// description and the dates of its first and last match. Select on a row makes that file the
// database in use and goes back to the main menu.
class frmFindDb : public ui::Form {
    Q_OBJECT
public:
    frmFindDb();

    // One database file of the folder as the list shows it.
    struct DbFile {
        QString fileName;     // without folder
        QString description;  // settings row 2
        QString lastDate;     // of its matches, or "N/A"
        QString firstDate;
        bool usable = true;   // opened as a database; only such a file can be selected
    };

    QLabel* Label4;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label1;
    std::array<QPushButton*, 3> cmdSelect;
    std::array<QLineEdit*, 3> txtFilename;
    std::array<QLineEdit*, 3> txtDateStart;
    std::array<QLineEdit*, 3> txtDateEnd;
    std::array<QLineEdit*, 3> txtDesc;
    QScrollBar* VScroll1;
    QPushButton* cmdReturn;
    QPushButton* cmdHelp;

    void Form_Load() override;
    void showDbRows(int start);
    void VScroll1_Change();
    void cmdSelect_Click(int index);
    void display_GotFocus(int index);
    void cmdReturn_Click();
    void cmdHelp_Click();

private:
    std::vector<DbFile> dbFiles_;
};
