#include "core/frmFileLoc.h"

#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/connection.h"
#include "core/frmInit.h"
#include "core/frmSchoolName.h"
#include "core/settings_rows.h"
#include "core/startup.h"
#include "platform/files/Paths.h"
#include "platform/ui/FolderList.h"
#include "platform/ui/ui.h"
#include "team/frmImport.h"
#include "team/frmSchools.h"

frmFileLoc::frmFileLoc() {
    setWindowTitle(QStringLiteral("File Retrieve"));

    lblFile = ui::label(this, QStringLiteral("lblFile"), QStringLiteral("File Name"));
    txtFileName = ui::textBox(this, QStringLiteral("txtFileName"));
    lblDirectory = ui::label(this, QStringLiteral("lblDirectory"), QStringLiteral("Directory Name"));
    txtDirectory = ui::textBox(this, QStringLiteral("txtDirectory"));
    txtFileWildcard = ui::textBox(this, QStringLiteral("txtFileWildcard"));
    txtFileWildcard->setVisible(false);
    for (QLineEdit* box : {txtFileName, txtDirectory})
        box->setStyleSheet(QStringLiteral("background-color: #d4d0c8;"));

    DriveBox = ui::driveList(this, QStringLiteral("DriveBox"));
    DirBox = new ui::FolderList(this, QStringLiteral("DirBox"));
    FileBox = ui::listBox(this, QStringLiteral("FileBox"));
    cmdRetreive = ui::button(this, QStringLiteral("cmdRetreive"), QStringLiteral("&Retreive File"));
    cmdCancel = ui::button(this, QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"));

    ui::place(lblFile, 240, 240, 2400, 285);
    ui::place(txtFileName, 240, 525, 3600, 345);
    ui::place(lblDirectory, 4080, 240, 2400, 285);
    ui::place(txtDirectory, 4080, 525, 4920, 345);
    ui::place(FileBox, 240, 1020, 3600, 4065);
    ui::place(DriveBox, 4080, 1020, 4920, 345);
    ui::place(DirBox, 4080, 1485, 4920, 3600);
    ui::place(cmdRetreive, 2400, 5325, 1800, 495);
    ui::place(cmdCancel, 4800, 5325, 1800, 495);
    setFixedSize(ui::twips(9240), ui::twips(6060));

    ui::onClick(DriveBox, [this] { DriveBox_Change(); });
    ui::onChange(DirBox, [this] { DirBox_Change(); });
    ui::onClick(FileBox, [this] { FileBox_Click(); });
    ui::onDblClick(FileBox, [this] { FileBox_DblClick(); });
    ui::onChange(txtFileWildcard, [this] { txtFileWildcard_Change(); });
    ui::onClick(cmdRetreive, [this] { cmdRetreive_Click(); });
    ui::onClick(cmdCancel, [this] { cmdCancel_Click(); });
}

void frmFileLoc::Form_Load() {
    DirBox->setFolder(gDbFolder.isEmpty() ? QDir::currentPath() : gDbFolder);
    show();
    txtFileName->setText(QStringLiteral("MatchInfo.mdb"));
    txtFileWildcard->setText(gFileLocMode == QLatin1String("FindDB") ? QStringLiteral("*.mdb")
                                                                     : QStringLiteral("*.*"));
}

void frmFileLoc::DriveBox_Change() { DirBox->setFolder(DriveBox->currentText()); }

void frmFileLoc::DirBox_Change() {
    txtDirectory->setText(DirBox->folder());
    refreshFileBox();
}

void frmFileLoc::refreshFileBox() {
    FileBox->clear();
    // "*.*" means every file, also one without a dot in its name.
    const QString pattern = filePattern_ == QLatin1String("*.*") ? QStringLiteral("*") : filePattern_;
    const QDir folder(DirBox->folder());
    FileBox->addItems(folder.entryList(QStringList{pattern.isEmpty() ? QStringLiteral("*") : pattern},
                                       QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void frmFileLoc::FileBox_Click() {
    if (QListWidgetItem* item = FileBox->currentItem()) txtFileName->setText(item->text());
}

void frmFileLoc::FileBox_DblClick() {
    FileBox_Click();
    cmdRetreive_Click();
}

void frmFileLoc::txtFileWildcard_Change() {
    filePattern_ = txtFileWildcard->text();
    refreshFileBox();
    txtFileName->clear();
}

bool frmFileLoc::probeDatabase() {
    try {
        openConnectionToRead();
        db::Recordset rs = openRecordset(QStringLiteral("Select * From Wrestler"));
        closeRecordset(rs);
        closeConnection();
        return true;
    } catch (const std::exception&) {
        closeConnection();
        return false;
    }
}

void frmFileLoc::cmdRetreive_Click() {
    // The folder is used absolute, ending in "/", and the box shows it so.
    if (!txtDirectory->text().isEmpty())
        txtDirectory->setText(files::absoluteFolder(txtDirectory->text()));
    if (txtFileName->text().isEmpty()) {
        ui::msgBox(QStringLiteral("No File selected"), ui::Buttons::OK, QStringLiteral("Error"));
        return;
    }

    if (gFileLocMode == QLatin1String("FindDB")) {
        const QString previousPath = gDbPath;
        gDbPath = txtDirectory->text() + txtFileName->text();
        if (!probeDatabase()) {
            gDbPath = previousPath;
            ui::msgBox(QStringLiteral("File not in proper format"), ui::Buttons::OK,
                       QStringLiteral("ERROR"));
            txtFileName->clear();
            return;
        }
        gDbPath = previousPath;
        // The configuration file names the file before the menu opens it.
        if (!setDatabaseInUse(txtDirectory->text() + txtFileName->text())) return;
        gIniFound = txtFileName->text();
        provideBlankTemplate(gDbFolder);
        loadSettingsRow();
        ui::forms().unload<frmFileLoc>();
        showMenuAfterFirstRun();
        return;
    }

    // Import: the file is handed to the school-list import, which reads it as it loads.
    gImportFile = txtDirectory->text() + txtFileName->text();
    frmImport* import = ui::forms().get<frmImport>();
    if (import->refused()) {
        ui::forms().unload<frmImport>();
        ui::forms().get<frmSchools>()->show();
    } else {
        import->show();
    }
    ui::forms().unload<frmFileLoc>();
}

// Escape, wherever the focus is on the form, answers as Cancel does while a school list is
// chosen (Cancel goes back to the schools); elsewhere Cancel ends the program, and Escape does not.
void frmFileLoc::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        gFileLocMode == QLatin1String("Import")) {
        cmdCancel->click();
        return;
    }
    ui::Form::keyPressEvent(event);
}

void frmFileLoc::cmdCancel_Click() {
    if (gFileLocMode == QLatin1String("Import")) {
        ui::forms().get<frmSchools>()->show();
        ui::forms().unload<frmFileLoc>();
        return;
    }
    endProgram();
}
