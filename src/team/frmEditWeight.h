#pragma once

#include "platform/ui/Form.h"

class QLineEdit;
class QListWidget;
class QPushButton;

// The weight-class editor: the classes of table Weight, listed in text order (285 before 98),
// added, renamed and deleted. Opened by the match entry form, to which Return goes back.
class frmEditWeight : public ui::Form {
    Q_OBJECT
public:
    frmEditWeight();

    QListWidget* lstWeight;
    QLineEdit* txtWeight;
    QPushButton* cmdAddNew;
    QPushButton* cmdRename;
    QPushButton* cmdDelete;
    QPushButton* cmdHelp;
    QPushButton* cmdReturn;

    void Form_Load() override;

    void loadWeights();
    void lstWeight_Click();
    void cmdAddNew_Click();
    void cmdRename_Click();
    void cmdDelete_Click();
    void cmdReturn_Click();
    void cmdHelp_Click();

private:
    // Seq of the selected class, or 0 when none is selected.
    long long selectedSeq() const;
};
