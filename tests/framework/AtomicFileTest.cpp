// The one atomic writer and the regular-file reader: a failed write never
// costs the old file, devices and links are not replaced, leftovers of killed
// writers (and only they) are swept, and no reader ever opens a FIFO or device.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "framework/desktop/PropertyList.h"
#include "framework/files/AtomicFile.h"
#include "framework/files/FolderItem.h"
#include "framework/files/RegularFile.h"
#include "framework/shell/XmlDocument.h"
#include "framework/shell/XmlException.h"
#include "tests/framework/FileSizeLimit.h"
#include "tests/support/TestFiles.h"

namespace {

// The process id of a process that has ended.
qint64 endedPid() {
    const pid_t pid = fork();
    if (pid == 0) _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}

class AtomicWrites : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    QStringList names() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
};

}  // namespace

TEST_F(AtomicWrites, AFailedWriteLeavesTheOldFileWholeAndNothingBehind) {
    const QString target = path(QStringLiteral("record.plist"));
    const struct {
        const char* what;
        qsizetype size;
        bool abandon;
        rlim_t limit;
    } cases[] = {
        {"a full disk on a large write", 256 * 1024, false, 4096},
        {"a full disk on the final flush", 300, false, 16},
        {"the writer gives up", 10, true, RLIM_INFINITY},
    };
    for (const auto& c : cases) {
        PutFile(target, "old");
        bool written = true;
        {
            const FileSizeLimit limit(c.limit);
            written = WriteFileAtomically(target, [&](QIODevice& out) {
                out.write(QByteArray(c.size, 'n'));
                return !c.abandon;
            });
        }
        EXPECT_FALSE(written) << c.what;
        EXPECT_EQ(FileBytes(target, "<unreadable>"), QByteArray("old")) << c.what;
        EXPECT_EQ(names(), QStringList{QStringLiteral("record.plist")}) << c.what;
    }
    ASSERT_TRUE(QDir().mkdir(path(QStringLiteral("folder"))));
    EXPECT_FALSE(WriteFileAtomically(path(QStringLiteral("folder")), QByteArray("x")));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("folder"))).isDir());
}

TEST_F(AtomicWrites, DevicesAreWrittenInPlaceLinksFollowedAndModesKept) {
    EXPECT_FALSE(WriteFileAtomically(QStringLiteral("/dev/full"), QByteArray("x")));
    EXPECT_TRUE(WriteFileAtomically(QStringLiteral("/dev/null"), QByteArray("x")));
    struct stat st;
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode)) << "/dev/null must never be replaced";

    const QString real = path(QStringLiteral("real"));
    const QString link = path(QStringLiteral("link"));
    PutFile(real, "old");
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(real, link));
    EXPECT_TRUE(WriteFileAtomically(link, QByteArray("new")));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(FileBytes(real, "<unreadable>"), QByteArray("new"));
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(AtomicWrites, ARegularFileTargetReplacesALinkOrFifoInsteadOfWritingThrough) {
    PutFile(path(QStringLiteral("real")), "old");
    ASSERT_TRUE(QFile::link(path(QStringLiteral("real")), path(QStringLiteral("link.jpg"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("fifo.jpg"))).constData(), 0600), 0);
    for (const QString& target : {path(QStringLiteral("link.jpg")), path(QStringLiteral("fifo.jpg"))}) {
        EXPECT_TRUE(WriteFileAtomically(target, [](QIODevice& out) { return out.write("new") == 3; },
                                        AtomicTarget::RegularFile));
        // Read only once it is a regular file: reading a FIFO would block.
        ASSERT_TRUE(QFileInfo(target).isFile() && !QFileInfo(target).isSymLink()) << target.toStdString();
        EXPECT_EQ(FileBytes(target), QByteArray("new"));
    }
    EXPECT_EQ(FileBytes(path(QStringLiteral("real"))), QByteArray("old"));
}

TEST_F(AtomicWrites, OnlyLeftoversOfOurNamingFromEndedWritersAreRemoved) {
    const QString dead = QString::number(endedPid());
    const QString alive = QString::number(::getpid());
    const struct {
        QString name;
        bool removed;
    } cases[] = {
        {QStringLiteral(".Zentravelle Prefs.") + dead + QStringLiteral(".aB3dE9.partial"), true},
        {QStringLiteral(".com.apple.desktop.plist.") + dead + QStringLiteral(".zzzzzz.partial"), true},
        {QStringLiteral(".Zentravelle Prefs.") + alive + QStringLiteral(".aB3dE9.partial"), false},  // still writing
        {QStringLiteral(".Zentravelle Prefs.1.aB3dE9.partial"), false},                              // a live process
        {QStringLiteral("Zentravelle Prefs.") + dead + QStringLiteral(".aB3dE9.partial"), false},   // not hidden
        {QStringLiteral(".otherapp.rc.") + dead + QStringLiteral(".Qw3rty.partial"), false},        // not a name of ours
        {QStringLiteral(".photo.") + dead + QStringLiteral(".aB3dE9.part"), false},
        {QStringLiteral(".photo.") + dead + QStringLiteral(".aB3dE.partial"), false},
        {QStringLiteral("Zentravelle Prefs.dPviBu"), false},
        {QStringLiteral("holiday.jpg"), false},
    };
    for (const auto& c : cases) PutFile(path(c.name), "x");
    const QString folderName = QStringLiteral(".f.") + dead + QStringLiteral(".aB3dE9.partial");
    ASSERT_TRUE(QDir().mkdir(path(folderName)));

    EXPECT_EQ(RemoveAtomicLeftovers(dir.path(), [](const QString& target) { return target != "otherapp.rc"; }), 2);
    for (const auto& c : cases) EXPECT_EQ(QFileInfo::exists(path(c.name)), !c.removed) << c.name.toStdString();
    EXPECT_TRUE(QFileInfo(path(folderName)).isDir());
}

TEST_F(AtomicWrites, ReadersOpenRegularFilesOnlyAndNeverBlock) {
    const QString fifo = path(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& special : {fifo, QStringLiteral("/dev/zero")}) {
        const std::string what = special.toStdString();
        EXPECT_EQ(GetFolderItem(special)->OpenAsBinaryFile(false), nullptr) << what;
        PropertyList::Status status = PropertyList::Status::Ok;
        EXPECT_EQ(PropertyList::readFile(special, &status), nullptr) << what;
        EXPECT_EQ(status, PropertyList::Status::Unreadable) << what;
        EXPECT_THROW(XmlDocument doc(GetFolderItem(special)), XmlException) << what;
    }
    const QString big = path(QStringLiteral("big"));
    PutFile(big, QByteArray(101, 'x'));
    ReadProblem problem = ReadProblem::None;
    EXPECT_TRUE(ReadRegularFile(big, 100, &problem).isEmpty());
    EXPECT_EQ(problem, ReadProblem::TooLarge);
    EXPECT_EQ(ReadRegularFile(big, 101, &problem).size(), 101);
    EXPECT_EQ(problem, ReadProblem::None);
}
