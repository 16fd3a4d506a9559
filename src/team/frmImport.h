#pragma once

#include <QString>

#include "platform/db/Recordset.h"
#include "platform/ui/Form.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

// The school-list import: compares the school-list file named by gImportFile with table
// OppSchool when it loads and lists the schools to add, the division changes and the stored
// schools the file no longer lists. The user strikes entries out by double-clicking them; Import
// applies what is left.
class frmImport : public ui::Form {
    Q_OBJECT
public:
    frmImport();

    QGroupBox* Frame1;
    QListWidget* lstAdd;
    QGroupBox* Frame2;
    QListWidget* lstChange;
    QGroupBox* Frame3;
    QListWidget* lstDelete;
    QLabel* lblIntructions;
    QPushButton* cmdImport;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

    void Form_Load() override;
    // True when the load refused the file (after telling the user why): the lists stay empty and
    // the form is not to be shown.
    bool refused() const { return refused_; }

    void lstAdd_DblClick();
    void lstChange_DblClick();
    void lstDelete_DblClick();
    void cmdImport_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

    // Adds an entry (the division as written, the school's name) to one of the lists; `seq` is the
    // key of the stored school that a change or a delete entry stands for, `stored` that school's
    // row as read.
    static void addEntry(QListWidget* list, const QString& division, const QString& name,
                         long long seq = 0, const db::RowImage& stored = {});

  private:
    bool refused_ = false;
};

// Applies the entries left in frmImport's lists to OppSchool: deletes, then division changes
// (both to the stored school the entry was made for), then adds, all in one transaction, and
// empties the lists. A school that matches or dual-meet
// scores refer to is kept, and the user is told which were kept.
void applySchoolImport();
