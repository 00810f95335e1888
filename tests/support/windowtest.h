#pragma once

#include "core/common/textfile.h"
#include "gui/app/tvlpmain.h"
#include "support/fakemediadevice.h"
#include "support/fakes.h"
#include "support/tempfolder.h"

#include <QApplication>
#include <QSize>

#include <gtest/gtest.h>

#include <memory>

// The main window over fakes of its ports, with a user data folder and a music folder of its own.
class WindowTest : public ::testing::Test {
protected:
    TempFolder home;   // the user data folder, where the settings live
    TempFolder music;  // the documents folder and the working folder
    FakePrompter prompter;
    FakeMediaDevice device;
    FakeLengthProbe probe{device};
    FakeShell shell;
    std::unique_ptr<TVLPMain> window;

    // Settings that neither open the last Play List nor start playing.
    void writeQuietSettings() { home.write(QStringLiteral("velmaro.ini"), "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n"); }

    // Makes and shows the window; an empty size keeps the one the settings give.
    void startWindow(QSize size = QSize(900, 500), const QString& samples = QString()) {
        window = std::make_unique<TVLPMain>(TVLPMain::Options{
            {home.path(), samples, music.path()}, {}, music.path(), &prompter, &device, &probe, &shell});
        window->show();
        if (!size.isEmpty()) {
            window->resize(size);
        }
        QApplication::processEvents();
    }

    // A Play List file in the music folder holding these item lines.
    QString writePlayList(const QString& name, const QStringList& items) {
        const QStringList header{QStringLiteral("[General]"), QStringLiteral("LastPlayed="), QString(),
                                 QStringLiteral("[Items]")};
        return music.write(name, TextFile::encode(TextFile::joinLines(header + items)));
    }
};
