#include "core/app/commandline.h"
#include "core/common/textfile.h"
#include "platform/singleinstance.h"
#include "support/runninginstance.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// The build installed into a prefix of its own, and the installed program started from there. The
// program is sanitized, and starts slowly, hence the generous waits.
class InstalledVelmaro : public ::testing::Test {
protected:
    TempFolder prefix;
    TempFolder home;

    void SetUp() override {
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(s(VELMARO_CMAKE), {s("--install"), s(VELMARO_BUILD_DIR), s("--prefix"), prefix.path()});
        ASSERT_TRUE(install.waitForFinished(120000));
        ASSERT_EQ(install.exitCode(), 0) << install.readAll().toStdString();
    }

    QString installed(const QString& name) const { return prefix.file(name); }

    void start(QProcess& process, const QStringList& arguments) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(s("VELMARO_HOME"), home.path());
        env.insert(s("XDG_DATA_HOME"), home.file(s("share")));
        env.insert(s("LSAN_OPTIONS"), s("suppressions=" VELMARO_LSAN_SUPPRESSIONS));
        env.insert(s("VELMARO_AUDIO_SINK"), s("fakesink sync=true"));
        env.insert(s("VELMARO_VIDEO_SINK"), s("fakesink sync=true"));
        env.insert(s("QT_QPA_PLATFORM"), s("offscreen"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(home.path());
        process.start(installed(s("bin/velmaro")), arguments);
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    bool waitForInstance() const { return WaitForInstance(home.path()); }
};

TEST_F(InstalledVelmaro, StartsOnTheResourcesInstalledBesideIt) {
    ASSERT_TRUE(QFileInfo(installed(s("share/velmaro/help/index.html"))).isFile());
    // The desktop's files go where the desktop looks, not among the program's resources.
    EXPECT_FALSE(QFileInfo::exists(installed(s("share/velmaro/desktop"))));

    // The first start writes the sample list and greets with the Welcome box, which an exit command
    // would wait for: it is stopped once the list is there. The next start, told not to greet, ends by
    // the command.
    QProcess first;
    start(first, {});
    ASSERT_TRUE(waitForInstance()) << first.readAllStandardError().toStdString();
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(home.file(s("Samples/Sample.vlp"))) && clock.elapsed() < 30000) {
        QThread::msleep(100);
    }
    first.terminate();
    ASSERT_TRUE(first.waitForFinished(30000));
    home.write(s("velmaro.ini"), "[General]\r\nShowWelcomeScreen=0\r\n");
    QProcess next;
    start(next, {});
    ASSERT_TRUE(waitForInstance()) << next.readAllStandardError().toStdString();
    QProcess exit;
    start(exit, {s("--command"), s("exit")});
    ASSERT_TRUE(exit.waitForFinished(30000));
    EXPECT_EQ(exit.exitCode(), 0) << exit.readAllStandardError().toStdString();
    ASSERT_TRUE(next.waitForFinished(30000));
    EXPECT_EQ(next.exitCode(), 0) << next.readAllStandardError().toStdString();

    // The first start listed the samples it found: the installed ones.
    const QStringList items =
        TextFile::readLines(home.file(s("Samples/Sample.vlp"))).lines.filter(s("[FILE="));
    ASSERT_EQ(items.size(), 6) << first.readAllStandardError().toStdString();
    const QString samples = QDir(installed(s("share/velmaro/Samples"))).canonicalPath() + u'/';
    for (const QString& item : items) {
        EXPECT_TRUE(item.contains(samples)) << item.toStdString();
    }
}

TEST_F(InstalledVelmaro, PutsItsDesktopFilesWhereTheDesktopLooks) {
    for (const char* size : {"16", "22", "24", "32", "48", "64", "128", "256"}) {
        const QString icon =
            installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/velmaro.png").arg(s(size)));
        QImageReader reader(icon);
        EXPECT_EQ(reader.size(), QSize(QString::fromLatin1(size).toInt(), QString::fromLatin1(size).toInt()))
            << icon.toStdString() << ": " << reader.errorString().toStdString();
    }
    EXPECT_TRUE(QFileInfo(installed(s("share/icons/hicolor/scalable/apps/velmaro.svg"))).isFile());
    EXPECT_TRUE(QFileInfo(installed(s("share/applications/velmaro.desktop"))).isFile());
    EXPECT_TRUE(QFileInfo(installed(s("share/man/man1/velmaro.1"))).isFile());

    // The AppStream release is the version the program reports.
    QProcess version;
    version.start(installed(s("bin/velmaro")), {s("--version")});
    ASSERT_TRUE(version.waitForFinished(30000));
    const QString reported = QString::fromLocal8Bit(version.readAllStandardOutput()).trimmed();
    const QString metainfo =
        QString::fromUtf8(readFileBytes(installed(s("share/metainfo/" VELMARO_METAINFO_ID ".metainfo.xml"))));
    const QRegularExpressionMatch release =
        QRegularExpression(s("<release version=\"([^\"]+)\"")).match(metainfo);
    ASSERT_TRUE(release.hasMatch()) << metainfo.toStdString();
    EXPECT_EQ(reported, s("Velmaro ") + release.captured(1));
}

// The names of the man page's COMMANDS section: each is the bold line after a ".TP".
QStringList manPageCommands(const QString& page) {
    const QStringList lines = page.split(u'\n');
    QStringList names;
    bool inCommands = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).startsWith(s(".SH "))) {
            inCommands = lines.at(i) == s(".SH COMMANDS");
        } else if (inCommands && lines.at(i) == s(".TP") && i + 1 < lines.size() &&
                   lines.at(i + 1).startsWith(s(".B "))) {
            names.append(lines.at(i + 1).mid(3));
        }
    }
    return names;
}

TEST(ManPage, NamesTheCommandsASecondStartCanSend) {
    const QString page = QString::fromUtf8(readFileBytes(s(VELMARO_MAN_PAGE)));
    ASSERT_FALSE(page.isEmpty());
    EXPECT_EQ(manPageCommands(page), CommandLine::carriedOutCommandNames());
}

}  // namespace
