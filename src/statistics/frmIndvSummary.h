#pragma once

#include "statistics/report_placeholder.h"

// Not built yet: opens with a working Return to the reports menu.
class frmIndvSummary : public ReportPlaceholder {
    Q_OBJECT
public:
    frmIndvSummary() : ReportPlaceholder(QStringLiteral("Individual Summary")) {}
};
