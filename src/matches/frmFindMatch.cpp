#include "matches/frmFindMatch.h"

#include <QPushButton>

#include "core/frmInit.h"
#include "platform/ui/ui.h"

frmFindMatch::frmFindMatch() {
    setWindowTitle(QStringLiteral("Find Match"));
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Cancel"));
    ui::place(cmdReturn, 2400, 2400, 1500, 495);
    setFixedSize(ui::twips(6300), ui::twips(3300));
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
}

void frmFindMatch::cmdReturn_Click() {
    ui::forms().get<frmInit>()->show();
    ui::forms().unload<frmFindMatch>();
}
