#pragma once

#include "statistics/report_placeholder.h"

// Not built yet: opens with a working Return to the reports menu.
class frmNotes : public ReportPlaceholder {
    Q_OBJECT
public:
    frmNotes() : ReportPlaceholder(QStringLiteral("Wrestler Notes")) {}
};
