#pragma once

#include "core/app/appsession.h"
#include "core/common/textfile.h"
#include "support/fakemediadevice.h"
#include "support/fakes.h"
#include "support/faketagreader.h"
#include "support/tempfolder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

// The whole program without its window, over fakes of its ports: the composition the window shows.
class SessionFixture : public ::testing::Test {
protected:
    SessionFixture() {
        // Announcements and queued commands wait for the next turn of an event loop, which needs an application.
        static int argc = 1;
        static char name[] = "velmaro_core_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) {
            static QCoreApplication application(argc, argv);
        }
    }

    TempFolder home;     // the user data folder
    TempFolder shipped;  // the program's read-only resources
    TempFolder music;    // the user's own files
    FakePrompter prompter;
    FakeMediaDevice device;
    FakeMediaDevice reader;  // reads discs while the player holds something else
    FakeLengthProbe probe{device};
    FakeClipboard clipboard;
    FixedWidthMeasurer measurer;
    RecordingBusyIndicator busy;
    FakeShell shell;
    FakeTagReader tags;
    std::unique_ptr<AppSession> session;

    QString samplesFolder() const { return shipped.file(QStringLiteral("Samples")); }

    // A new run of the program: creation, then the first show with these parameters.
    void start(const QStringList& parameters = {}, const QString& samples = QString()) {
        session = std::make_unique<AppSession>(
            AppSession::Folders{home.path(), samples.isNull() ? samplesFolder() : samples, music.path()},
            AppSession::Ports{prompter, device, clipboard, probe, &busy, &measurer, &shell, {}, &reader,
                              nullptr, &tags});
        session->beginRun();
        session->windowShown(parameters, music.path());
    }
    void stop() {
        ASSERT_TRUE(session->confirmClose());
        session->endRun(WindowPlacement());
        session.reset();
    }
    void writeSettings(const QStringList& lines) {
        home.write(QStringLiteral("velmaro.ini"), TextFile::encode(TextFile::joinLines(lines)));
    }
    QString writeList(const QString& name, const QStringList& items) {
        const QStringList header{QStringLiteral("[General]"), QStringLiteral("LastPlayed="), QString(),
                                 QStringLiteral("[Items]")};
        return music.write(name, TextFile::encode(TextFile::joinLines(header + items)));
    }
    // Runs what waits for the next turn of the event loop (announcements, queued commands).
    static void nextTurn() { QCoreApplication::sendPostedEvents(); }
};
