#include "core/common/textfile.h"
#include "platform/singleinstance.h"
#include "support/tempfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Points the runtime and temporary folders somewhere of the test's own, and back afterwards.
class SocketFolderTest : public ::testing::Test {
protected:
    TempFolder runtime;
    TempFolder temp;
    QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    QByteArray oldTemp = qgetenv("TMPDIR");

    SocketFolderTest() {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
    }
    ~SocketFolderTest() override {
        qputenv("XDG_RUNTIME_DIR", oldRuntime);
        qputenv("TMPDIR", oldTemp);
    }
    static int modeOf(const QString& path) {
        struct stat info {};
        return lstat(QFile::encodeName(path).constData(), &info) == 0 ? static_cast<int>(info.st_mode & 07777)
                                                                      : -1;
    }
    static void setMode(const QString& path, int mode) {
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), mode), 0);
    }
    QString fallback() const { return temp.file(QStringLiteral("velmaro-%1").arg(getuid())); }
};

TEST_F(SocketFolderTest, TheSocketLivesOnlyInAFolderNoOtherUserCanEnter) {
    setMode(runtime.path(), 0700);
    EXPECT_EQ(QFileInfo(SingleInstance::serverName(s("/home/u/.config/velmaro"))).absolutePath(),
              runtime.path());

    // A runtime folder open to others is passed over for a private folder of ours.
    setMode(runtime.path(), 0777);
    const QString name = SingleInstance::serverName(s("/home/u/.config/velmaro"));
    EXPECT_EQ(QFileInfo(name).absolutePath(), fallback());
    EXPECT_EQ(modeOf(fallback()), 0700);
    SingleInstance first(s("/home/u/.config/velmaro"));
    ASSERT_TRUE(first.listen()) << first.errorString().toStdString();
    EXPECT_TRUE(QFileInfo::exists(name));

    // A folder found open to others, or not a real folder, or another user's, is refused.
    qunsetenv("XDG_RUNTIME_DIR");
    setMode(fallback(), 0755);
    QString why;
    EXPECT_TRUE(SingleInstance::serverName(s("/elsewhere"), &why).isEmpty());
    EXPECT_TRUE(why.contains(s("Other users"))) << why.toStdString();
    SingleInstance refused(s("/elsewhere"));
    EXPECT_FALSE(refused.listen());
    EXPECT_EQ(refused.forward({}, nullptr), SingleInstance::Forwarding::NoInstance);
    setMode(fallback(), 0700);

    QDir(fallback()).removeRecursively();
    ASSERT_TRUE(QFile::link(runtime.path(), fallback()));
    setMode(runtime.path(), 0700);
    EXPECT_TRUE(SingleInstance::serverName(s("/elsewhere")).isEmpty());
    QFile::remove(fallback());

    if (getuid() == 0) {
        ASSERT_TRUE(QDir().mkdir(fallback()));
        setMode(fallback(), 0700);
        ASSERT_EQ(chown(QFile::encodeName(fallback()).constData(), 65534, 65534), 0);
        EXPECT_TRUE(SingleInstance::serverName(s("/elsewhere"), &why).isEmpty());
        EXPECT_TRUE(why.contains(s("another user"))) << why.toStdString();
    }
}

TEST_F(SocketFolderTest, APeerThatSendsNoRequestIsCutOffAndOthersStillGetThrough) {
    setMode(runtime.path(), 0700);
    SingleInstance instance(s("/home/u/.config/velmaro"));
    ASSERT_TRUE(instance.listen());
    instance.setValidator([](const ForwardedRequest&) { return QString(); });
    QSignalSpy received(&instance, &SingleInstance::requestReceived);

    QLocalSocket silent;
    silent.connectToServer(SingleInstance::serverName(s("/home/u/.config/velmaro")));
    ASSERT_TRUE(silent.waitForConnected(1000));
    QElapsedTimer clock;
    clock.start();
    while (silent.state() == QLocalSocket::ConnectedState && clock.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        silent.waitForDisconnected(50);
    }
    EXPECT_EQ(silent.state(), QLocalSocket::UnconnectedState);

    // The forwarding start blocks on its socket; the instance answers from another thread's loop here.
    QThread sender;
    QString reply;
    SingleInstance::Forwarding result = SingleInstance::Forwarding::NoInstance;
    QObject worker;
    worker.moveToThread(&sender);
    QObject::connect(&sender, &QThread::started, &worker, [&] {
        SingleInstance second(s("/home/u/.config/velmaro"));
        result = second.forward({s("/w"), {s("a.vlp")}, QString()}, &reply);
        sender.quit();
    });
    sender.start();
    while (!sender.wait(10)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_EQ(result, SingleInstance::Forwarding::Delivered) << reply.toStdString();
    EXPECT_TRUE(received.size() == 1 || received.wait(5000));
}

// Runs the real program. Sanitized builds start slowly, hence the generous waits.
class ProgramTest : public ::testing::Test {
protected:
    TempFolder home;
    TempFolder work;

    QProcessEnvironment environment(bool withDisplay = true) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(s("VELMARO_HOME"), home.path());
        env.insert(s("XDG_DATA_HOME"), home.file(s("share")));
        // The program under test is sanitized too; its third-party leaks are not ours.
        env.insert(s("LSAN_OPTIONS"), s("suppressions=" VELMARO_LSAN_SUPPRESSIONS));
        env.insert(s("VELMARO_AUDIO_SINK"), s("fakesink sync=true"));
        env.insert(s("VELMARO_VIDEO_SINK"), s("fakesink sync=true"));
        env.remove(s("DISPLAY"));
        env.remove(s("WAYLAND_DISPLAY"));
        if (withDisplay) {
            env.insert(s("QT_QPA_PLATFORM"), s("offscreen"));
        } else {
            env.remove(s("QT_QPA_PLATFORM"));
        }
        return env;
    }

    void startProgram(QProcess& process, const QStringList& arguments, bool withDisplay = true) const {
        process.setProcessEnvironment(environment(withDisplay));
        process.setWorkingDirectory(work.path());
        process.setProgram(s(VELMARO_BINARY));
        process.setArguments(arguments);
        process.start();
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    // Runs a start that should end by itself; returns its exit code.
    int runToEnd(const QStringList& arguments, QString* output = nullptr, bool withDisplay = true) const {
        QProcess process;
        startProgram(process, arguments, withDisplay);
        EXPECT_TRUE(process.waitForFinished(30000)) << "the start did not end";
        if (output) {
            *output = QString::fromLocal8Bit(process.readAllStandardError() + process.readAllStandardOutput());
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    bool waitForInstance() const {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 30000) {
            QLocalSocket probe;
            probe.connectToServer(SingleInstance::serverName(home.path()));
            if (probe.waitForConnected(500)) {
                return true;
            }
            QThread::msleep(100);
        }
        return false;
    }

    QString writeList(const QString& name, const QStringList& items) const {
        return work.write(name, TextFile::encode(TextFile::joinLines(
                                    QStringList{s("[General]"), s("LastPlayed="), QString(), s("[Items]")} + items)));
    }
};

TEST_F(ProgramTest, ASecondStartHandsItsParametersToTheRunningInstance) {
    home.write(s("velmaro.ini"), "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n");
    const QString other = writeList(s("other.vlp"), {s(R"([FILE="/m/a.mid", L=0])"), s(R"([FILE="/m/b.mid", L=0])")});

    QProcess first;
    startProgram(first, {});
    ASSERT_TRUE(waitForInstance()) << first.readAllStandardError().toStdString();

    // Relative to the second start's own folder, with "/play" before it.
    EXPECT_EQ(runToEnd({s("/play"), s("other.vlp")}), 0);
    QString refused;
    EXPECT_EQ(runToEnd({s("--command"), s("select-list")}, &refused), 1);
    EXPECT_TRUE(refused.contains(s("select-list"))) << refused.toStdString();

    EXPECT_EQ(runToEnd({s("--command"), s("exit")}), 0);
    ASSERT_TRUE(first.waitForFinished(30000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();

    // The running instance opened the list: it is the last list now. It played the first item, where
    // the list opens anyway, and learnt no length: closing left the file as it was.
    const QStringList settings = TextFile::readLines(home.file(s("velmaro.ini"))).lines;
    EXPECT_TRUE(settings.contains(s("LastPL=") + other)) << settings.join(u'\n').toStdString();
    EXPECT_TRUE(readFileBytes(home.file(s("share/recently-used.xbel"))).contains("other.vlp"));
    const QStringList list = TextFile::readLines(other).lines;
    EXPECT_EQ(list.at(1), s("LastPlayed="));
    EXPECT_EQ(list.at(4), s(R"([FILE="/m/a.mid", L=0])"));
}

TEST_F(ProgramTest, WithoutADisplayItSaysWhatToDo) {
    QString output;
    EXPECT_EQ(runToEnd({}, &output, false), 1);
    EXPECT_TRUE(output.contains(s("graphical session"))) << output.toStdString();
    EXPECT_TRUE(output.contains(s("xvfb-run"))) << output.toStdString();
}

TEST_F(ProgramTest, CommandsNeedARunningInstance) {
    QString output;
    EXPECT_EQ(runToEnd({s("--command"), s("exit")}, &output, false), 1);
    EXPECT_TRUE(output.contains(s("not running"))) << output.toStdString();
}

TEST_F(ProgramTest, BadOptionsAreRefusedWithTheUsage) {
    QString output;
    EXPECT_EQ(runToEnd({s("--frobnicate")}, &output, false), 2);
    EXPECT_TRUE(output.contains(s("Usage:"))) << output.toStdString();
    EXPECT_EQ(runToEnd({s("--version")}, &output, false), 0);
    EXPECT_TRUE(output.contains(s("Velmaro 4.02")));
}

}  // namespace
