#pragma once

#include <QString>

#include "platform/db/Recordset.h"
#include "platform/ui/Form.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// The school list: the editor of table OppSchool (add, edit, delete, league flag) and the picker
// of the opposing school. Opened by the match entry form (cmdReturn writes the chosen school into
// its school box) or by the roster form, which shows cmdReturn2 in place of cmdReturn.
class frmSchools : public ui::Form {
    Q_OBJECT
public:
    frmSchools();

    QGroupBox* FraSearch;
    QGroupBox* Frame1;
    QLineEdit* txtBegin;
    QGroupBox* Frame2;
    QLineEdit* txtDiv;
    QGroupBox* Frame4;
    QCheckBox* chkLeague;
    QCheckBox* chkDivision;
    QListWidget* lstSchools;
    QPushButton* cmdEdit;
    QPushButton* cmdDelete;
    QPushButton* cmdLeague;
    QPushButton* cmdAdd;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;
    QPushButton* cmdImport;
    QPushButton* cmdReturn;
    QPushButton* cmdReturn2;
    QGroupBox* fraSchool;
    QLineEdit* txtAddSchool;
    QGroupBox* fraDivision;
    QLineEdit* txtAddDiv;
    QGroupBox* fraEditSchool;
    QLineEdit* txtEditSchool;
    QGroupBox* fraEditDiv;
    QLineEdit* txtEditDiv;

    void Form_Load() override;

    void loadSchools(bool showDivision);
    // The stored name a list item shows.
    QString schoolFromItem(const QString& item) const;

    void txtBegin_Change();
    void txtDiv_Change();
    void chkLeague_Click();
    void chkDivision_Click();
    void lstSchools_Click();
    void lstSchools_DblClick();
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdCancel_Click();
    void cmdDelete_Click();
    void cmdLeague_Click();
    void cmdReturn_Click();
    void cmdReturn2_Click();
    void cmdImport_Click();
    void cmdHelp_Click();

    // True once the user has chosen a school of the list (by mouse or keys) since its last
    // reload; the item the list selects by itself after a reload is no choice.
    bool schoolChosen() const { return schoolChosen_; }

private:
    void buildControls();
    void connectHandlers();
    void reload();
    void setSearchEnabled(bool enabled);
    void leaveAddMode();
    void leaveEditMode();
    // The stored name of the selected item; "" when nothing is selected.
    QString selectedSchool() const;
    // Seq of the school the selected item shows; 0 when none is selected. Two schools may share
    // a name: each item keeps the key of its own row.
    long long selectedSeq() const;

    long long editSeq_ = 0;  // Seq of the school in edit mode
    db::RowImage editShown_;  // its row as edit mode showed it: saved over only while still so
    bool selectingByCode_ = false;
    bool schoolChosen_ = false;
};
