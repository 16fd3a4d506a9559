#pragma once

#include "platform/db/Recordset.h"
#include "platform/ui/Form.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// First run, once the database file is chosen: asks for the name of the coach's school when the
// file still carries the template's name, stores it, and opens the main menu on the file.
class frmSchoolName : public ui::Form {
    Q_OBJECT
public:
    frmSchoolName();

    QLabel* lblQuestion;
    QLineEdit* txtSchool;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    void Form_Load() override;
    void Form_QueryUnload(bool& cancel) override;
    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Settings row 1 when the question was asked: Ok writes over it only while still so.
    db::RowImage schoolShown_;
};

// The school's name typed in `box`, trimmed. When it cannot be taken (empty, or longer than
// kMaxSchoolNameLength characters) says why, puts the focus back in the box and returns "".
QString typedSchoolName(QLineEdit* box);

// Ends the first run on the database file now in use (its settings row loaded): asks for the
// school's name first when the file has none of its own, else shows the main menu at once.
void showMenuAfterFirstRun();
