#pragma once

#include "platform/ui/Form.h"

class QPushButton;

// The match finder. For now it offers only the way back to the main menu.
class frmFindMatch : public ui::Form {
    Q_OBJECT
public:
    frmFindMatch();

    QPushButton* cmdReturn;

    void cmdReturn_Click();
};
