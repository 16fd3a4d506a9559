#pragma once

#include "platform/ui/ui.h"
#include "statistics/frmReports.h"
#include "statistics/report_placeholder.h"

// The detail report is not built yet: opens with a working Return to the reports menu. Its close
// box is allowed and goes back to the reports menu as Return does.
class frmIndDetail : public ReportPlaceholder {
    Q_OBJECT
public:
    frmIndDetail() : ReportPlaceholder(QStringLiteral("Match Summary")) {}

    void Form_QueryUnload(bool& cancel) override {
        ui::forms().get<frmReports>()->show();
        cancel = false;
    }
};
