#pragma once

#include <QString>
#include <QTreeView>

#include "platform/ui/Events.h"

class QComboBox;
class QFileSystemModel;

namespace ui {

// A folder list: the folders of the file system as a tree, one of them chosen. The user chooses
// by clicking, code by setFolder. The folders are read in the background (and read again when one
// changes on disk); a folder chosen by code is kept in view while they arrive, until the user
// works in the tree: a click, a key, the wheel or the scroll bars leave it where he puts it.
class FolderList : public QTreeView {
    Q_OBJECT
public:
    FolderList(QWidget* parent, const QString& name);

    // Chooses the folder `path` and shows it; a path that names no folder changes nothing.
    void setFolder(const QString& path);
    // The chosen folder, without a final "/" (but "/" itself); "" when none is chosen.
    QString folder() const;

signals:
    // The chosen folder changed, by the user or by code.
    void folderChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void reveal(const QModelIndex& index);

    QFileSystemModel* folders_;
    QString revealing_;  // the folder chosen by code, kept in view while the tree is read
};

// Change of a folder list: its chosen folder changed, by the user or by code.
void onChange(FolderList* list, Handler handler);

// A drive list: the roots of the file system, the first one chosen.
QComboBox* driveList(QWidget* parent, const QString& name);

}  // namespace ui
