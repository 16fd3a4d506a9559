// Files the program writes: made new and whole beside their name, never through a link or into
// another user's file, with the mode the user's umask gives; partial files of a stopped run go.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include <QDir>
#include <QFile>

#include "platform/files/FileCopy.h"
#include "platform/files/NewFile.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

constexpr uid_t kCoach = 65534;  // the user "nobody", as which dropRootPrivileges goes on

// The three ways the program writes a file, each with what it says when the name is taken.
struct Writer {
    const char* what;
    std::function<QString(const QString& to)> write;
    bool copies;
    const char* whenTaken;
};

std::vector<Writer> writers(const QString& source) {
    return {
        {"copy replacing", [=](const QString& to) { return files::copyFileReplacing(source, to); }, true,
         ": the file of that name belongs to another user."},
        {"copy as new", [=](const QString& to) { return files::copyFileAsNew(source, to); }, true,
         ": the name is taken."},
        {"text replacing",
         [](const QString& to) { return files::writeFileReplacing(to, "the coach's text\r\n"); },
         false, ": the file of that name belongs to another user."},
    };
}

// A shared folder, sticky as /tmp, in which another user (the test's own, root) plants links to
// the coach's private file and files of its own at the names the coach's program writes. The
// coach's program runs in a child process as an ordinary user. Nothing is ever written through
// a link or into the other user's file: a taken name is refused, a link at the old fixed partial
// name is passed by.
TEST(FileWrites, NothingPlantedAtANameIsWrittenThrough) {
    if (geteuid() != 0) GTEST_SKIP() << "planting as another user needs root";
    TestHome home;
    const QString shared = home.file("shared");
    const QString coach = home.file("coach");
    QDir(home.path()).mkdir("shared");
    QDir(home.path()).mkdir("coach");
    ASSERT_EQ(chmod(QFile::encodeName(home.path()).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(shared).constData(), 01777), 0);
    const QString secret = coach + "/secret";
    const QString source = coach + "/source.mdb";
    writeFile(secret, "private");
    writeFile(source, "the coach's database");
    for (const QString& path : {coach, secret, source})
        ASSERT_EQ(chown(QFile::encodeName(path).constData(), kCoach, kCoach), 0);
    ASSERT_EQ(chmod(QFile::encodeName(coach).constData(), 0700), 0);
    ASSERT_EQ(chmod(QFile::encodeName(secret).constData(), 0600), 0);

    struct Plant {
        const char* what;
        std::function<void(const QString& name)> plant;
        bool taken;  // the name itself is taken
    };
    const std::vector<Plant> plants = {
        {"link to the coach's file", [&](const QString& n) { QFile::link(secret, n); }, true},
        {"link leading nowhere", [&](const QString& n) { QFile::link(coach + "/none", n); }, true},
        {"the other user's file, open to all",
         [&](const QString& n) {
             writeFile(n, "planted");
             chmod(QFile::encodeName(n).constData(), 0666);
         },
         true},
        {"link at the old partial name",
         [&](const QString& n) { QFile::link(secret, n + ".partial"); }, false},
    };
    for (const Writer& writer : writers(source)) {
        for (const Plant& plant : plants) {
            SCOPED_TRACE(std::string(writer.what) + ", " + plant.what);
            const QString name = shared + "/MatchInfo.ini";
            plant.plant(name);
            const QByteArray planted = readFile(name);
            const int child = runInChildProcess([&] {
                dropRootPrivileges();
                const QString failure = writer.write(name);
                if (plant.taken)
                    EXPECT_EQ(failure, (writer.copies ? source + " could not be copied to " + name
                                                      : name + " could not be written") +
                                           writer.whenTaken);
                else
                    EXPECT_EQ(failure, "");
            });
            EXPECT_EQ(child, 0);
            EXPECT_EQ(readFile(secret), "private");
            if (plant.taken) {
                EXPECT_EQ(readFile(name), planted);
            } else {
                EXPECT_EQ(modeOf(name) & 0600, 0600);
                struct stat st {};
                ASSERT_EQ(lstat(QFile::encodeName(name).constData(), &st), 0);
                EXPECT_TRUE(S_ISREG(st.st_mode));
                EXPECT_EQ(st.st_uid, kCoach) << "the coach's own new file";
            }
            for (const QString& left : QDir(shared).entryList(QDir::AllEntries | QDir::System |
                                                              QDir::Hidden | QDir::NoDotAndDotDot))
                QFile::remove(shared + "/" + left);
        }
    }
}

// Every file made has the mode 0666 less the umask, also a copy of a file of another mode; the
// copy of a read-only file can be written by its owner.
TEST(FileWrites, NewFilesFollowTheUmask) {
    TestHome home;
    const QString source = home.file("template.md_");
    writeFile(source, "template");
    const mode_t before = umask(077);
    for (mode_t mask : {mode_t(077), mode_t(022)}) {
        umask(mask);
        for (mode_t sourceMode : {mode_t(0644), mode_t(0444)}) {
            chmod(QFile::encodeName(source).constData(), sourceMode);
            for (const Writer& writer : writers(source)) {
                SCOPED_TRACE(writer.what);
                const QString made = home.file("made");
                QFile::remove(made);
                EXPECT_EQ(writer.write(made), "");
                EXPECT_EQ(modeOf(made), int(0666 & ~mask)) << "umask " << mask << ", source " << sourceMode;
            }
        }
    }
    umask(before);
}

// Failures name the file asked for and the reason in plain words, and leave nothing behind.
TEST(FileWrites, FailuresSayWhyAndLeaveNothing) {
    TestHome home;
    const QString source = home.file("source.mdb");
    writeFile(source, QByteArray(64 * 1024, 'x'));
    const QString missing = home.file("nowhere/copy.mdb");
    EXPECT_EQ(files::copyFileReplacing(source, missing),
              source + " could not be copied to " + missing + ": the folder does not exist.");
    EXPECT_EQ(files::writeFileReplacing(missing, "x"),
              missing + " could not be written: the folder does not exist.");
    EXPECT_EQ(files::copyFileReplacing(home.file("gone.mdb"), home.file("copy.mdb")),
              "The file " + home.file("gone.mdb") + " is missing.");
    QDir(home.path()).mkdir("copy.mdb");
    EXPECT_EQ(files::copyFileReplacing(source, home.file("copy.mdb")),
              source + " could not be copied to " + home.file("copy.mdb") + ": a folder has that name.");
    QDir(home.path()).rmdir("copy.mdb");

    if (smallDisksCanBeMade()) {
        QDir(home.path()).mkdir("small");
        const int child = runInChildProcess([&] {
            ASSERT_TRUE(mountSmallDisk(home.path() + "/small", 1024));
            leaveFree(home.path() + "/small", 40 * 1024);
            const QString full = home.file("small/copy.mdb");
            EXPECT_EQ(files::copyFileReplacing(source, full),
                      source + " could not be copied to " + full + ": no space left on the disk.");
            EXPECT_EQ(QDir(home.file("small")).entryList(QDir::Files | QDir::Hidden),
                      QStringList{"filler"});
        });
        EXPECT_EQ(child, 0);
    }
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"source.mdb"});
}

// What a stopped run left: the user's own partial files, named as the program names them after
// one of the names given, go once they have been left unchanged for a minute; a file being written
// now, one made a moment ago, another user's file, a link (and what it leads to), a folder, a
// "<name>.partial" of the user's own and names the program does not write stay.
TEST(FileWrites, StalePartialFilesOfTheProgramGo) {
    TestHome home;
    const QString dir = home.path() + "/";
    const QStringList stale = {"matchinfo 2026 12 7 11 32.bak.x1Y2z3.partial",
                               "team.mdb.Ab12Cd.partial", "MATCHINFO.INI.zzzzzz.partial"};
    const QStringList kept = {"MatchInfo.ini.partial", "notes.mdb.partial", "notes.txt.partial",
                              "team.mdb.toolong7.partial", "team.mdb", "other.partial", "secret"};
    for (const QString& name : stale + kept) writeFileChangedAgo(dir + name, "left", 120);
    writeFileChangedAgo(dir + "young.mdb.Qw3rty.partial", "just made", 10);
    QFile::link(dir + "secret", dir + "linked.mdb.partial");
    QDir(home.path()).mkdir("folder.mdb.partial");
    files::NewFile writing(dir + "busy.mdb");
    ASSERT_EQ(writing.failure(), "");
    const QStringList busy = QDir(home.path()).entryList({"busy.mdb.*.partial"}, QDir::Files);
    ASSERT_EQ(busy.size(), 1);
    writeFileChangedAgo(dir + busy.first(), "", 120);

    auto names = [&] {
        return QDir(home.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                           QDir::NoDotAndDotDot);
    };
    if (geteuid() == 0) {
        // Run as an ordinary user, every file here is another user's.
        ASSERT_EQ(chmod(QFile::encodeName(home.path()).constData(), 01777), 0);
        const QStringList before = names();
        EXPECT_EQ(runInChildProcess([&] {
                      dropRootPrivileges();
                      files::removeStalePartials(home.path(), {"MatchInfo.ini", "*.mdb", "matchinfo*.bak"});
                  }),
                  0);
        EXPECT_EQ(names(), before);
    }
    files::removeStalePartials(home.path(), {"MatchInfo.ini", "*.mdb", "matchinfo*.bak"});
    QStringList expected = kept + busy + QStringList{"linked.mdb.partial", "folder.mdb.partial",
                                                     "young.mdb.Qw3rty.partial"};
    expected.sort(Qt::CaseInsensitive);
    EXPECT_EQ(names(), expected);
    EXPECT_EQ(readFile(dir + "secret"), "left");
}

}  // namespace
