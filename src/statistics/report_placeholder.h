#pragma once

#include "platform/ui/Form.h"

class QLabel;
class QPushButton;

// A report screen that is not built yet: its window caption, a line saying so, and a Return
// that goes back to the reports menu as the finished screen's Return will.
class ReportPlaceholder : public ui::Form {
    Q_OBJECT
public:
    explicit ReportPlaceholder(const QString& caption);

    QLabel* lblNotReady;
    QPushButton* cmdReturn;

    void cmdReturn_Click();
};
