#include "core/frm_revisions.h"

#include <QLabel>

#include "core/connection.h"
#include "platform/ui/ui.h"

frm_revisions::frm_revisions() {
    lblVersion = ui::label(this, QStringLiteral("lblVersion"));
}

void frm_revisions::Form_Load() {
    gAppVersion = QStringLiteral("8.30");
    lblVersion->setText(QStringLiteral("d") + QString::number(gDbVersion) + QStringLiteral("a") +
                        gAppVersion);
}
