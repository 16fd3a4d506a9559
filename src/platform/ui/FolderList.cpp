#include "platform/ui/FolderList.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>

#include "platform/ui/Controls.h"

namespace ui {

FolderList::FolderList(QWidget* parent, const QString& name) : QTreeView(parent) {
    setObjectName(name);
    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setRootPath(QString());
    setModel(folders_);
    setHeaderHidden(true);
    for (int column = 1; column < folders_->columnCount(); ++column) hideColumn(column);

    connect(folders_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (!revealing_.isEmpty()) reveal(folders_->index(revealing_));
    });
    // Once the user works in the tree it stays where the user puts it.
    connect(this, &QTreeView::pressed, this, [this] { revealing_.clear(); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (folders_->filePath(current) != revealing_) revealing_.clear();
                emit folderChanged();
            });
}

void FolderList::setFolder(const QString& path) {
    const QString folder = QDir::cleanPath(path);
    const QModelIndex index = folders_->index(folder);
    if (!index.isValid()) return;
    revealing_ = folder;
    setCurrentIndex(index);
    reveal(index);
}

QString FolderList::folder() const {
    const QModelIndex index = currentIndex();
    return index.isValid() ? folders_->filePath(index) : QString();
}

void FolderList::reveal(const QModelIndex& index) {
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        expand(parent);
    scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void onChange(FolderList* list, Handler handler) {
    QObject::connect(list, &FolderList::folderChanged, list, [handler] { guarded(handler); });
}

QComboBox* driveList(QWidget* parent, const QString& name) {
    QComboBox* drives = comboBox(parent, name, false);
    for (const QFileInfo& drive : QDir::drives()) drives->addItem(drive.absoluteFilePath());
    drives->setCurrentIndex(0);
    return drives;
}

}  // namespace ui
