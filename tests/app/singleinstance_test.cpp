#include "core/common/textfile.h"
#include "core/common/itemref.h"
#include "platform/singleinstance.h"
#include "support/runninginstance.h"
#include "support/tempfolder.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets an environment variable for the life of the object, and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QString& value)
        : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name)) {
        if (value.isNull()) {
            qunsetenv(name);
        } else {
            qputenv(name, QFile::encodeName(value));
        }
    }
    ~ScopedVariable() {
        if (m_had) {
            qputenv(m_name, m_old);
        } else {
            qunsetenv(m_name);
        }
    }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

// A folder named as the socket folder once was, made in the shared temporary folder by another user
// (or, without the rights to make it another's, open to everyone).
void makeForeignFolder(const QString& path) {
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0777), 0);
    if (getuid() == 0) {
        ASSERT_EQ(chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    }
}

// Points the runtime, temporary and cache folders somewhere of the test's own, and back afterwards.
class SocketFolderTest : public ::testing::Test {
protected:
    TempFolder runtime;
    TempFolder temp;
    TempFolder cache;
    ScopedVariable runtimeVariable{"XDG_RUNTIME_DIR", runtime.path()};
    ScopedVariable tempVariable{"TMPDIR", temp.path()};
    ScopedVariable cacheVariable{"XDG_CACHE_HOME", cache.path()};

    static int modeOf(const QString& path) {
        struct stat info {};
        return lstat(QFile::encodeName(path).constData(), &info) == 0 ? static_cast<int>(info.st_mode & 07777)
                                                                      : -1;
    }
    static void setMode(const QString& path, int mode) {
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), mode), 0);
    }
    QString fallback() const {
        return cache.file(QStringLiteral("velmaro/sockets-") + QSysInfo::machineHostName());
    }
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

// Settings that neither reopen nor play a list, nor greet with the Welcome box a command would wait for.
constexpr const char* kQuietSettings =
    "[General]\r\nShowWelcomeScreen=0\r\n[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n";

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

    bool waitForInstance() const { return WaitForInstance(home.path()); }

    // Silence the real player can play: 8 kHz, 16-bit mono.
    QString writeWave(const QString& name, int seconds) const {
        const quint32 samples = 8000U * static_cast<quint32>(seconds);
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData("RIFF", 4);
        out << quint32(36 + samples * 2);
        out.writeRawData("WAVEfmt ", 8);
        out << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(16000) << quint16(2)
            << quint16(16);
        out.writeRawData("data", 4);
        out << quint32(samples * 2);
        bytes.append(QByteArray(static_cast<qsizetype>(samples) * 2, '\0'));
        return work.write(name, bytes);
    }

    QString writeList(const QString& name, const QStringList& items) const {
        return work.write(name, TextFile::encode(TextFile::joinLines(
                                    QStringList{s("[General]"), s("LastPlayed="), QString(), s("[Items]")} + items)));
    }
};

TEST_F(ProgramTest, ASecondStartHandsItsParametersToTheRunningInstance) {
    home.write(s("velmaro.ini"), kQuietSettings);
    // Files that play: a file that cannot would show its error box, which a command waits for.
    const QString a = writeWave(s("a.wav"), 30);
    const QString other =
        writeList(s("other.vlp"), {MakeFileItem(a), MakeFileItem(writeWave(s("b.wav"), 30))});

    QProcess first;
    startProgram(first, {});
    ASSERT_TRUE(waitForInstance()) << first.readAllStandardError().toStdString();

    // Relative to the second start's own folder, with "/play" before it.
    EXPECT_EQ(runToEnd({s("/play"), s("other.vlp")}), 0);
    QString refused;
    EXPECT_EQ(runToEnd({s("--command"), s("previous")}, &refused), 1);
    EXPECT_TRUE(refused.contains(s("previous"))) << refused.toStdString();

    EXPECT_EQ(runToEnd({s("--command"), s("exit")}), 0);
    ASSERT_TRUE(first.waitForFinished(30000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();

    // The running instance opened the list: it is the last list now. It played the first item, where
    // the list opens anyway: closing wrote only the length it measured.
    const QStringList settings = TextFile::readLines(home.file(s("velmaro.ini"))).lines;
    EXPECT_TRUE(settings.contains(s("LastPL=") + other)) << settings.join(u'\n').toStdString();
    EXPECT_TRUE(readFileBytes(home.file(s("share/recently-used.xbel"))).contains("other.vlp"));
    const QStringList list = TextFile::readLines(other).lines;
    EXPECT_EQ(list.at(1), s("LastPlayed="));
    EXPECT_EQ(list.at(4), SetItemValue(MakeFileItem(a), s("L"), s("30000")));
}

// Without a runtime folder, a folder another user made under the old shared name does not make every
// start a second instance on the same settings: a second start still finds the running one.
TEST_F(ProgramTest, WithoutARuntimeFolderASecondStartStillFindsTheRunningOne) {
    TempFolder temp;
    makeForeignFolder(temp.file(QStringLiteral("velmaro-%1").arg(getuid())));
    const ScopedVariable runtime("XDG_RUNTIME_DIR", QString());
    const ScopedVariable tempVariable("TMPDIR", temp.path());
    const ScopedVariable cache("XDG_CACHE_HOME", home.file(s("cache")));
    home.write(s("velmaro.ini"), kQuietSettings);

    QProcess first;
    startProgram(first, {});
    ASSERT_TRUE(waitForInstance()) << first.readAllStandardError().toStdString();
    EXPECT_EQ(runToEnd({s("--command"), s("exit")}), 0);
    ASSERT_TRUE(first.waitForFinished(30000));
    const QString said = QString::fromLocal8Bit(first.readAllStandardError());
    EXPECT_FALSE(said.contains(s("socket"))) << said.toStdString();
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
