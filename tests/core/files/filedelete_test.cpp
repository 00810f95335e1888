#include "core/files/filedelete.h"

#include "support/tempfolder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// The variable the desktop's Trash is found by, for one test.
class DataHome {
public:
    explicit DataHome(const QString& path) : m_old(qgetenv("XDG_DATA_HOME")), m_had(qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(path));
    }
    ~DataHome() {
        if (m_had) {
            qputenv("XDG_DATA_HOME", m_old);
        } else {
            qunsetenv("XDG_DATA_HOME");
        }
    }

private:
    QByteArray m_old;
    bool m_had;
};

TEST(FileDelete, TrashHoldsTheFileWithItsInfoAlsoWhenTheDataFolderDoesNotExistYet) {
    TempFolder folder;
    QDir(folder.path()).mkdir(QStringLiteral("data"));
    for (const QString& data : {folder.file(QStringLiteral("data")), folder.file(QStringLiteral("not/yet/data"))}) {
        SCOPED_TRACE(data.toStdString());
        DataHome home(data);
        const QString file = folder.write(QStringLiteral("music/a b.mid"), "a");

        const FileDeleteResult result = DeleteFile(file, true);
        ASSERT_EQ(result.status, FileDeleteResult::Status::Deleted) << result.message.toStdString();
        EXPECT_FALSE(QFileInfo::exists(file));
        EXPECT_EQ(readFileBytes(data + QStringLiteral("/Trash/files/a b.mid")), "a");
        EXPECT_TRUE(QFileInfo::exists(data + QStringLiteral("/Trash/info/a b.mid.trashinfo")));
    }

    // A folder is no file, and a file not on disk is reported as such: neither is deleted.
    DataHome home(folder.file(QStringLiteral("data")));
    EXPECT_EQ(DeleteFile(folder.file(QStringLiteral("music")), true).status, FileDeleteResult::Status::Failed);
    EXPECT_EQ(DeleteFile(folder.file(QStringLiteral("music")), false).status, FileDeleteResult::Status::Failed);
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("music"))).isDir());
    const FileDeleteResult missing = DeleteFile(folder.file(QStringLiteral("music/gone.mid")), true);
    EXPECT_EQ(missing.status, FileDeleteResult::Status::Missing);
    EXPECT_TRUE(missing.message.contains(QStringLiteral("no longer on disk")));
}

// Other Trash tools restore a file to the path its note holds, read percent-encoded.
TEST(FileDelete, TheTrashNoteHoldsThePathPercentEncoded) {
    TempFolder folder;
    const QString data = folder.file(QStringLiteral("data"));
    DataHome home(data);
    for (const char* name : {"mix 100%41.mid", "Caf\xC3\xA9 #1 [live]?.mid", "plain-name_1.mid"}) {
        SCOPED_TRACE(name);
        const QString file = folder.write(QStringLiteral("my music/") + QString::fromUtf8(name), "a");
        ASSERT_TRUE(DeleteFile(file, true).deleted());

        const QString note =
            data + QStringLiteral("/Trash/info/") + QString::fromUtf8(name) + QStringLiteral(".trashinfo");
        const QList<QByteArray> lines = readFileBytes(note).split('\n');
        ASSERT_GE(lines.size(), 3);
        EXPECT_EQ(lines.at(0), "[Trash Info]");
        ASSERT_TRUE(lines.at(1).startsWith("Path=")) << lines.at(1).toStdString();
        const QByteArray value = lines.at(1).mid(5);
        EXPECT_EQ(QByteArray::fromPercentEncoding(value), QFile::encodeName(file));
        EXPECT_EQ(value, QFile::encodeName(file).toPercentEncoding("/"));
        EXPECT_TRUE(lines.at(2).startsWith("DeletionDate=")) << lines.at(2).toStdString();
    }
}

}  // namespace
