#pragma once

#include "platform/ui/Form.h"

class QLabel;

// Holds the program's version; never shown. Loading it sets gAppVersion and makes its label
// "d<database version>a<program version>".
class frm_revisions : public ui::Form {
    Q_OBJECT
public:
    frm_revisions();

    QLabel* lblVersion;

    void Form_Load() override;
};
