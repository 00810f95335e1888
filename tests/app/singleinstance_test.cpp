#include "core/common/textfile.h"
#include "platform/singleinstance.h"
#include "support/tempfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

namespace {

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

    // The running instance opened the list: it is the last list now, and closing wrote it back.
    const QStringList settings = TextFile::readLines(home.file(s("velmaro.ini"))).lines;
    EXPECT_TRUE(settings.contains(s("LastPL=") + other)) << settings.join(u'\n').toStdString();
    EXPECT_TRUE(readFileBytes(home.file(s("share/recently-used.xbel"))).contains("other.vlp"));
    const QStringList list = TextFile::readLines(other).lines;
    EXPECT_EQ(list.at(1), s(R"(LastPlayed=[FILE="/m/a.mid"])"));
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
