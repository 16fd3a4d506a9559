#pragma once

#include "platform/ui/Form.h"

class QPlainTextEdit;
class QPushButton;

// The shared help window: each form's Help button puts its text here and shows it.
class frmHelp : public ui::Form {
    Q_OBJECT
public:
    frmHelp();

    QPlainTextEdit* txtHelp;
    QPushButton* cmdClose;

    void cmdClose_Click();
};

// Puts `text` into the help window (replacing what it showed) and shows the window in front.
void showHelp(const QString& text);
