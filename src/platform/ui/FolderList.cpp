#include "platform/ui/FolderList.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QScrollBar>

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

    // The folders of a folder read come in as rows after it is reported read, sorted later.
    const auto keepRevealed = [this] {
        if (!revealing_.isEmpty()) reveal(folders_->index(revealing_));
    };
    connect(folders_, &QFileSystemModel::directoryLoaded, this, keepRevealed);
    connect(folders_, &QAbstractItemModel::rowsInserted, this, keepRevealed);
    connect(folders_, &QAbstractItemModel::layoutChanged, this, keepRevealed);
    // Once the user works in the tree it stays where the user puts it.
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
        connect(bar, &QAbstractSlider::actionTriggered, this, [this] { revealing_.clear(); });
        connect(bar, &QAbstractSlider::sliderPressed, this, [this] { revealing_.clear(); });
    }
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

void FolderList::mousePressEvent(QMouseEvent* event) {
    revealing_.clear();
    QTreeView::mousePressEvent(event);
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    revealing_.clear();
    QTreeView::keyPressEvent(event);
}

void FolderList::wheelEvent(QWheelEvent* event) {
    revealing_.clear();
    QTreeView::wheelEvent(event);
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
