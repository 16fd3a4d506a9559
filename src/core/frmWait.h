#pragma once

#include "platform/ui/Form.h"

class QLabel;

// A small window without caption that asks the user to wait while a long task blocks the
// program. A caller may change the text of lblOne before showing it, and unloads it when done.
class frmWait : public ui::Form {
    Q_OBJECT
public:
    frmWait();

    QLabel* lblOne;

    // Shows the window and has it drawn at once, before the caller blocks.
    void showNow();
    // Shows the window, saying how far the work has come, and has it drawn at once.
    void showProgress(int percent);
};

// Shows the wait window for as long as it lives, also when the work it covers fails.
class WaitWindowShown {
public:
    WaitWindowShown();
    ~WaitWindowShown();
    WaitWindowShown(const WaitWindowShown&) = delete;
    WaitWindowShown& operator=(const WaitWindowShown&) = delete;
};
