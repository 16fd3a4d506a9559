#include "core/frmDirLoc.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/connection.h"
#include "core/frmInit.h"
#include "core/frmSchoolName.h"
#include "core/settings_rows.h"
#include "core/startup.h"
#include "platform/db/DatabaseFile.h"
#include "platform/files/NewFile.h"
#include "platform/files/Paths.h"
#include "platform/ui/FolderList.h"
#include "platform/ui/ui.h"

namespace {

const QString kDatabaseName = QStringLiteral("Matchinfo.mdb");

}  // namespace

frmDirLoc::frmDirLoc() {
    setWindowTitle(QStringLiteral("Database Directory Location"));

    lblDirectory = ui::label(this, QStringLiteral("lblDirectory"), QStringLiteral("Directory Name"));
    txtDirectory = ui::textBox(this, QStringLiteral("txtDirectory"));
    txtDirectory->setStyleSheet(QStringLiteral("background-color: #d4d0c8;"));
    DriveBox = ui::driveList(this, QStringLiteral("DriveBox"));
    DirBox = new ui::FolderList(this, QStringLiteral("DirBox"));

    cmdOk = ui::button(this, QStringLiteral("cmdOk"), QStringLiteral("&Ok"));
    cmdCancel = ui::button(this, QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"));

    ui::place(lblDirectory, 240, 240, 2400, 285);
    ui::place(txtDirectory, 240, 525, 5760, 345);
    ui::place(DriveBox, 240, 1020, 5760, 345);
    ui::place(DirBox, 240, 1485, 5760, 3600);
    ui::place(cmdOk, 1200, 5325, 1500, 495);
    ui::place(cmdCancel, 3540, 5325, 1500, 495);
    setFixedSize(ui::twips(6240), ui::twips(6060));

    ui::onClick(DriveBox, [this] { DriveBox_Change(); });
    ui::onChange(DirBox, [this] { DirBox_Change(); });
    ui::onClick(cmdOk, [this] { cmdOk_Click(); });
    ui::onClick(cmdCancel, [this] { cmdCancel_Click(); });
}

void frmDirLoc::Form_Load() {
    QDir().mkpath(homeFolder());
    DirBox->setFolder(homeFolder());
    if (ui::forms().isLoaded<frmInit>()) ui::forms().get<frmInit>()->hide();
}

void frmDirLoc::DriveBox_Change() { DirBox->setFolder(DriveBox->currentText()); }

void frmDirLoc::DirBox_Change() { txtDirectory->setText(DirBox->folder()); }

void frmDirLoc::cmdOk_Click() {
    if (txtDirectory->text().isEmpty()) return;
    // A folder typed relative ("data") is taken from the current folder and stored absolute.
    gDbFolder = files::absoluteFolder(txtDirectory->text());
    const QString path = gDbFolder + kDatabaseName;

    if (ui::msgBox(QStringLiteral("The database \n\n") + path + QStringLiteral("\n\nwill be created"),
                   ui::Buttons::OKCancel) == ui::Answer::Cancel)
        return;
    if (files::nameTaken(path) &&
        ui::msgBox(QStringLiteral("Database Exists\n\nOverwrite?"), ui::Buttons::OKCancel) ==
            ui::Answer::Cancel)
        return;

    // A folder typed that does not exist yet is made. An existing file is replaced only by a
    // complete copy of the template.
    const QString noFolder = files::makeFolder(gDbFolder);
    const QString failure =
        noFolder.isEmpty()
            ? db::copyDatabase(installFolder() + QStringLiteral("/matchinfo.md_"), path,
                               files::NewFile::Existing::ReplaceOwn, db::CopySource::Template)
            : QStringLiteral("The folder %1 could not be made: %2.").arg(gDbFolder, noFolder);
    if (!failure.isEmpty()) {
        ui::msgBox(QStringLiteral("The database could not be created.\n\n") + failure,
                   ui::Buttons::OK, QStringLiteral("ERROR"));
        return;
    }
    provideBlankTemplate(gDbFolder);

    if (!setDatabaseInUse(path)) return;
    loadSettingsRow();
    ui::forms().unload<frmDirLoc>();
    showMenuAfterFirstRun();
}

void frmDirLoc::cmdCancel_Click() { endProgram(); }
