#include "statistics/report_placeholder.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/ui.h"
#include "statistics/frmReports.h"

ReportPlaceholder::ReportPlaceholder(const QString& caption) {
    setWindowTitle(caption);
    lblNotReady = ui::label(this, QStringLiteral("lblNotReady"),
                            QStringLiteral("This report is not available yet."));
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblNotReady);
    layout->addWidget(cmdReturn);
    resize(360, 120);
}

void ReportPlaceholder::cmdReturn_Click() {
    ui::forms().get<frmReports>()->show();
    ui::forms().unload(this);
}
