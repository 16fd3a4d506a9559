#pragma once

#include "statistics/report_placeholder.h"

// Not built yet: opens with a working Return to the reports menu.
class frmSeasonSummary : public ReportPlaceholder {
    Q_OBJECT
public:
    frmSeasonSummary() : ReportPlaceholder(QStringLiteral("Individual Season Summary")) {}
};
