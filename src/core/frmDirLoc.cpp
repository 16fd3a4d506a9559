#include "core/frmDirLoc.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <filesystem>
#include <system_error>

#include "core/connection.h"
#include "core/frmInit.h"
#include "core/settings_rows.h"
#include "core/startup.h"
#include "platform/ui/ui.h"

namespace {

const QString kDatabaseName = QStringLiteral("Matchinfo.mdb");

// Copies `from` over `to` so that `to` is replaced only by a complete copy: the copy is made
// under a temporary name beside it and then renamed over it. Returns "" or the reason it failed;
// on failure `to` is as it was.
QString replaceWithCopy(const QString& from, const QString& to) {
    if (!QFileInfo::exists(from)) return QStringLiteral("The template %1 is missing.").arg(from);
    const QString partial = to + QStringLiteral(".partial");
    QFile::remove(partial);
    QFile source(from);
    if (!source.copy(partial)) {
        const QString reason = source.errorString();
        QFile::remove(partial);
        return QStringLiteral("%1 could not be copied to %2: %3").arg(from, partial, reason);
    }
    QFile::setPermissions(partial, QFile::permissions(partial) | QFileDevice::WriteOwner);
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(partial).toStdString(),
                            QFile::encodeName(to).toStdString(), error);
    if (error) {
        QFile::remove(partial);
        return QStringLiteral("%1 could not be written: %2")
            .arg(to, QString::fromStdString(error.message()));
    }
    return QString();
}

}  // namespace

frmDirLoc::frmDirLoc() {
    setWindowTitle(QStringLiteral("Database Directory Location"));

    lblDirectory = ui::label(this, QStringLiteral("lblDirectory"), QStringLiteral("Directory Name"));
    txtDirectory = ui::textBox(this, QStringLiteral("txtDirectory"));
    txtDirectory->setStyleSheet(QStringLiteral("background-color: #d4d0c8;"));
    DriveBox = ui::comboBox(this, QStringLiteral("DriveBox"), false);
    for (const QFileInfo& drive : QDir::drives()) DriveBox->addItem(drive.absoluteFilePath());
    DriveBox->setCurrentIndex(0);

    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setRootPath(QString());
    DirBox = new QTreeView(this);
    DirBox->setObjectName(QStringLiteral("DirBox"));
    DirBox->setModel(folders_);
    DirBox->setHeaderHidden(true);
    for (int column = 1; column < folders_->columnCount(); ++column) DirBox->hideColumn(column);

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
    // The folders are read in the background: keep the chosen one in view as they arrive.
    connect(folders_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (revealing_.isEmpty()) return;
        const QModelIndex chosen = folders_->index(revealing_);
        for (QModelIndex parent = chosen.parent(); parent.isValid(); parent = parent.parent())
            DirBox->expand(parent);
        DirBox->scrollTo(chosen, QAbstractItemView::PositionAtCenter);
    });
    // Once the user works in the tree it stays where the user puts it.
    connect(DirBox, &QTreeView::pressed, this, [this] { revealing_.clear(); });
    connect(DirBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { ui::guarded([this] { DirBox_Change(); }); });
    ui::onClick(cmdOk, [this] { cmdOk_Click(); });
    ui::onClick(cmdCancel, [this] { cmdCancel_Click(); });
}

void frmDirLoc::Form_Load() {
    QDir().mkpath(homeFolder());
    setDirBoxPath(homeFolder() + QLatin1Char('/'));
    if (ui::forms().isLoaded<frmInit>()) ui::forms().get<frmInit>()->hide();
}

void frmDirLoc::setDirBoxPath(const QString& path) {
    const QModelIndex index = folders_->index(QDir::cleanPath(path));
    if (!index.isValid()) return;
    revealing_ = QDir::cleanPath(path);
    DirBox->setCurrentIndex(index);
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        DirBox->expand(parent);
    DirBox->scrollTo(index, QAbstractItemView::PositionAtCenter);
    DirBox_Change();
}

void frmDirLoc::DriveBox_Change() { setDirBoxPath(DriveBox->currentText()); }

void frmDirLoc::DirBox_Change() {
    const QModelIndex index = DirBox->currentIndex();
    if (!index.isValid()) return;
    if (folders_->filePath(index) != revealing_) revealing_.clear();
    txtDirectory->setText(folders_->filePath(index));
}

void frmDirLoc::cmdOk_Click() {
    if (txtDirectory->text().isEmpty()) return;
    gDbFolder = txtDirectory->text();
    if (!gDbFolder.endsWith(QLatin1Char('/'))) gDbFolder += QLatin1Char('/');
    const QString path = gDbFolder + kDatabaseName;

    if (ui::msgBox(QStringLiteral("The database \n\n") + path + QStringLiteral("\n\nwill be created"),
                   ui::Buttons::OKCancel) == ui::Answer::Cancel)
        return;
    if (QFileInfo::exists(path) &&
        ui::msgBox(QStringLiteral("Database Exists\n\nOverwrite?"), ui::Buttons::OKCancel) ==
            ui::Answer::Cancel)
        return;

    // An existing file is replaced only by a complete copy of the template.
    const QString failure =
        replaceWithCopy(installFolder() + QStringLiteral("/matchinfo.md_"), path);
    if (!failure.isEmpty()) {
        ui::msgBox(QStringLiteral("The database could not be created.\n\n") + failure,
                   ui::Buttons::OK, QStringLiteral("ERROR"));
        return;
    }
    // The blank template goes beside it, for the new database files made later.
    const QString blank = gDbFolder + QStringLiteral("Blank_MatchInfo.md_");
    if (!QFileInfo::exists(blank))
        replaceWithCopy(installFolder() + QStringLiteral("/Blank_MatchInfo.md_"), blank);

    gDbPath = path;
    writeIniFile();
    loadSettingsRow();
    ui::forms().unload<frmDirLoc>();
    showMenuAfresh();
}

void frmDirLoc::cmdCancel_Click() { endProgram(); }
