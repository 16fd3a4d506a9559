#pragma once

#include "statistics/report_placeholder.h"

// Not built yet: opens with a working Return to the reports menu.
class frmTeamLeaders : public ReportPlaceholder {
    Q_OBJECT
public:
    frmTeamLeaders() : ReportPlaceholder(QStringLiteral("Multi Leader Boards")) {}
};
