#include "core/files/filemove.h"

#include "support/tempfolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString write(const TempFolder& folder, const QString& name, qsizetype bytes) {
    return folder.write(name, QByteArray(bytes, 'x'));
}

// A copy that fails on its way leaves no partial copy and the source whole.
void expectUntouched(const QString& source, const QStringList& names, const QString& destination) {
    for (const QString& name : names) {
        EXPECT_TRUE(QFileInfo::exists(source + u'/' + name)) << name.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(destination));
}

TEST(FileMove, CopyThatFailsHalfWayLeavesTheSourceAndNoPartialCopy) {
    TempFolder folder;
    write(folder, QStringLiteral("album/a.mid"), 100);
    write(folder, QStringLiteral("album/sub/b.mid"), 100);
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.file(QStringLiteral("album/pipe"))).constData(), 0600), 0);

    const FileMoveResult result = CopyAndRemove(folder.file(QStringLiteral("album")), folder.file(QStringLiteral("copy")));
    EXPECT_EQ(result.status, FileMoveResult::Status::Failed);
    EXPECT_TRUE(result.message.contains(folder.file(QStringLiteral("album/pipe"))));
    expectUntouched(folder.file(QStringLiteral("album")), {QStringLiteral("a.mid"), QStringLiteral("sub/b.mid"),
                    QStringLiteral("pipe")}, folder.file(QStringLiteral("copy")));

    // An existing destination is never written into.
    const QString existing = write(folder, QStringLiteral("existing/a.mid"), 3);
    EXPECT_EQ(CopyAndRemove(folder.file(QStringLiteral("album/a.mid")), existing).status,
              FileMoveResult::Status::DestinationExists);
    EXPECT_EQ(readFileBytes(existing), "xxx");
}

// A small tmpfs in a mount namespace of this process alone: another file system to move to.
class OtherFileSystem {
public:
    OtherFileSystem(const QString& at, const char* size) : m_at(QFile::encodeName(at)) {
        const QByteArray options = QByteArray("size=") + size;
        m_mounted = ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                    ::mount("tmpfs", m_at.constData(), "tmpfs", 0, options.constData()) == 0;
        m_error = errno;
    }
    ~OtherFileSystem() {
        if (m_mounted) {
            ::umount2(m_at.constData(), MNT_DETACH);
        }
    }
    bool mounted() const { return m_mounted; }
    const char* error() const { return std::strerror(m_error); }

private:
    QByteArray m_at;
    bool m_mounted = false;
    int m_error = 0;
};

TEST(FileMove, AcrossFileSystemsCopiesLinksPermissionsAndTimesOrLeavesEverythingAsItWas) {
    TempFolder here;
    TempFolder there;
    OtherFileSystem tmpfs(there.path(), "256k");
    if (!tmpfs.mounted()) {
        GTEST_SKIP() << "no tmpfs could be mounted here (" << tmpfs.error() << "): moves across file systems untested";
    }
    const QString a = write(here, QStringLiteral("album/a.mid"), 1000);
    write(here, QStringLiteral("album/sub/b.mid"), 10);
    ASSERT_TRUE(QFile::link(QStringLiteral("a.mid"), here.file(QStringLiteral("album/link.mid"))));
    ASSERT_TRUE(QFile::setPermissions(a, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QDateTime old = QDateTime::fromSecsSinceEpoch(1000000000);
    {
        QFile touched(a);
        ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
        ASSERT_TRUE(touched.setFileTime(old, QFileDevice::FileModificationTime));
    }

    const QString moved = there.file(QStringLiteral("album"));
    const FileMoveResult result = MoveFileOrFolder(here.file(QStringLiteral("album")), moved);
    ASSERT_TRUE(result.moved()) << result.message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(here.file(QStringLiteral("album"))));
    const QFileInfo copy(moved + QStringLiteral("/a.mid"));
    EXPECT_EQ(copy.size(), 1000);
    struct stat mode {};
    ASSERT_EQ(::stat(QFile::encodeName(copy.absoluteFilePath()).constData(), &mode), 0);
    EXPECT_EQ(mode.st_mode & 07777, 0640u);
    EXPECT_EQ(copy.lastModified(), old);
    EXPECT_EQ(QFileInfo(moved + QStringLiteral("/link.mid")).symLinkTarget(), copy.absoluteFilePath());
    EXPECT_TRUE(QFileInfo(moved + QStringLiteral("/link.mid")).isSymLink());
    EXPECT_EQ(readFileBytes(moved + QStringLiteral("/sub/b.mid")), QByteArray(10, 'x'));

    // The disk fills half-way: the source stays whole and nothing of the copy is left.
    write(here, QStringLiteral("big/small.mid"), 1000);
    write(here, QStringLiteral("big/large.mid"), 512 * 1024);
    const FileMoveResult full = MoveFileOrFolder(here.file(QStringLiteral("big")), there.file(QStringLiteral("big")));
    EXPECT_EQ(full.status, FileMoveResult::Status::Failed);
    EXPECT_TRUE(full.message.contains(QString::fromLocal8Bit(std::strerror(ENOSPC)))) << full.message.toStdString();
    expectUntouched(here.file(QStringLiteral("big")), {QStringLiteral("small.mid"), QStringLiteral("large.mid")},
                    there.file(QStringLiteral("big")));
}

}  // namespace
