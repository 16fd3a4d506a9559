#include "core/frmUtilities.h"

#include <QDateTime>
#include <QPushButton>

#include "core/backup_repair_upgrade.h"
#include "core/frmChangeDesc.h"
#include "core/frmFTP.h"
#include "core/frmFindDb.h"
#include "core/frmInit.h"
#include "core/frmNewDb.h"
#include "core/frmWait.h"
#include "platform/ui/ui.h"

frmUtilities::frmUtilities() {
    setWindowTitle(QStringLiteral("Utilities"));

    cmdUpdateDesc = ui::button(this, QStringLiteral("cmdUpdateDesc"),
                               QStringLiteral("&Change File Description"));
    cmdFindDB = ui::button(this, QStringLiteral("cmdFindDB"), QStringLiteral("&Change File"));
    cmdNew = ui::button(this, QStringLiteral("cmdNew"), QStringLiteral("Create &New"));
    cmdBackupDB = ui::button(this, QStringLiteral("cmdBackupDB"), QStringLiteral("&Backup Database"));
    cmdSendDB = ui::button(this, QStringLiteral("cmdSendDB"), QStringLiteral("Send Database"));
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));

    // One column of buttons, top to bottom.
    int top = 240;
    for (QPushButton* b : {cmdUpdateDesc, cmdFindDB, cmdNew, cmdBackupDB, cmdSendDB, cmdReturn}) {
        ui::place(b, 480, top, 3000, 495);
        top += 660;
    }
    setFixedSize(ui::twips(3960), ui::twips(top + 180));

    ui::onClick(cmdUpdateDesc, [this] { cmdUpdateDesc_Click(); });
    ui::onClick(cmdFindDB, [this] { cmdFindDB_Click(); });
    ui::onClick(cmdNew, [this] { cmdNew_Click(); });
    ui::onClick(cmdBackupDB, [this] { cmdBackupDB_Click(); });
    ui::onClick(cmdSendDB, [this] { cmdSendDB_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
}

void frmUtilities::cmdUpdateDesc_Click() {
    ui::forms().get<frmChangeDesc>()->show();
    hide();
}

void frmUtilities::cmdFindDB_Click() {
    ui::forms().get<frmFindDb>()->show();
    hide();
}

void frmUtilities::cmdNew_Click() {
    ui::forms().get<frmNewDb>()->show();
    hide();
}

void frmUtilities::cmdBackupDB_Click() {
    backupDb(backupTimeStamp(QDateTime::currentDateTime()), 1);
}

void frmUtilities::cmdSendDB_Click() {
    if (!sendServerSetUp()) return;
    if (ui::msgBox(QStringLiteral("This option allows you to send the database to Kestrivane for "
                                  "help with a problem or submission for a tournament run by "
                                  "Kestrivane.\n\nTo send the database, click OK"),
                   ui::Buttons::OKCancel, QStringLiteral("Send Database")) != ui::Answer::Ok)
        return;
    ui::msgBox(QStringLiteral("This may take up to 10 minutes depending on your internet speed.  "
                              "A message will display when completed."));

    ui::forms().get<frmWait>()->showNow();
    // The wait window goes also when the transfer fails with an error.
    struct WaitWindowGone {
        ~WaitWindowGone() {
            ui::forms().unload<frmFTP>();
            ui::forms().unload<frmWait>();
        }
    } cleanup;
    ui::forms().get<frmFTP>();  // its load sends the database
}

void frmUtilities::cmdReturn_Click() {
    ui::forms().get<frmInit>()->show();
    ui::forms().unload<frmUtilities>();
}
