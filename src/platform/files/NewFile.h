#pragma once

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QIODevice;

namespace files {

// What a system error number of a file operation means, in plain words: "no space left on the
// disk", "the folder does not exist", "no permission", ...
QString reasonText(int error);

// Makes the folder `folder` and the folders above it that are missing. Returns "" when the folder
// is there, else the reason in plain words.
QString makeFolder(const QString& folder);

// A file the program writes. It is made new, exclusively and never through a link, in the folder
// of the name it is meant for, under a name of its own (that name, a dot, six random letters and
// digits, and ".partial"), with the mode 0666 less the user's umask. While it is written it holds
// a lock that tells removeStalePartials it is in use. Nothing shows under the meant name until
// `place` succeeds; a file never placed is removed when the object goes.
class NewFile {
public:
    explicit NewFile(const QString& target);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // "" while everything went well, else the first failure's reason in plain words.
    QString failure() const { return failure_; }

    // The file as a device, open for writing, for writers that take one: a write that fails
    // records its reason.
    QIODevice* device();
    bool write(const QByteArray& bytes);
    // Writes the whole content of the file `source` (read through a link, as any reader would).
    bool copyFrom(const QString& source);
    // The name the file has while it is written, for a writer that opens it by name (closing
    // what it opened before `place`); "" when it could not be made.
    QString partialName() const { return partial_; }
    // Records a failure of such a writer, `reason` in plain words; returns false.
    bool failWith(const QString& reason);

    enum class Existing {
        ReplaceOwn,  // a file of that name is replaced when it is the user's own and no folder
        Keep,        // a taken name is refused: nameTaken() is then true, and another may be tried
    };
    // Puts the file, its data on the disk, at `target`, in one step. `beforeRename`, when given,
    // runs once every check has passed, just before the file takes the name; a reason it returns
    // is a failure, and the file is not placed.
    bool place(const QString& target, Existing existing,
               const std::function<QString()>& beforeRename = {});
    // Whether the last `place` failed only because the name was taken.
    bool nameTaken() const { return nameTaken_; }

private:
    class Device;
    bool fail(int error);
    bool writeBytes(const char* data, qint64 size);

    int fd_ = -1;
    QString partial_;
    QString failure_;
    bool nameTaken_ = false;
    std::unique_ptr<Device> device_;
};

// The file that a write replacing `name` puts its new file in place of: `name` itself, or, when
// `name` is the user's own link to a regular file of the user's own, the file the link leads to,
// so that the link stays as the user made it.
QString fileToReplace(const QString& name);

// Removes from `folder` the partial files that a run of the program was stopped in the middle of
// writing: the user's own regular files (never through a link), locked by no run still writing
// them and unchanged for a minute, named as NewFile names them after one of `names` (wildcard
// patterns, any case): the name, a dot, six letters or digits, and ".partial". A file named
// only "<name>.partial" is none of the program's and stays.
void removeStalePartials(const QString& folder, const QStringList& names);
// The same, with the names as patterns of regular expressions (matched whole, any case).
void removeStalePartials(const QString& folder, const QList<QRegularExpression>& names);

}  // namespace files
