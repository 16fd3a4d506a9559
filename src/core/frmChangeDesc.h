#pragma once

#include <optional>

#include "platform/db/Recordset.h"
#include "platform/ui/Form.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

// Edits the description of the database in use (settings row 2), the text that tells the files
// of one folder apart in the Change File list, and the home school's name (settings row 1).
class frmChangeDesc : public ui::Form {
    Q_OBJECT
public:
    frmChangeDesc();

    QGroupBox* Frame1;
    QLineEdit* txtDesc;
    QGroupBox* Frame2;
    QLineEdit* txtSchool;
    QPushButton* cmdReturn;
    QPushButton* cmdCreate;
    QPushButton* cmdHelp;

    void Form_Load() override;
    void cmdReturn_Click();
    void cmdCreate_Click();
    void cmdHelp_Click();

private:
    // Settings rows 2 and 1 as the boxes show them: Update writes over them only while still so
    // (row 2 shown as none: while there is none).
    std::optional<db::RowImage> descShown_;
    db::RowImage schoolShown_;
};
