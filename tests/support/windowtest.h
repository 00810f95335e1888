#pragma once

#include "core/common/textfile.h"
#include "gui/ports/qtclipboard.h"
#include "gui/shell/mainwindow.h"
#include "platform/filetyperegistration.h"
#include "support/fakemediadevice.h"
#include "support/fakes.h"
#include "support/faketagreader.h"
#include "support/tempfolder.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QSize>

#include <gtest/gtest.h>

#include <memory>

// The first column's text of every row a list box shows, top to bottom.
inline QStringList ShownTexts(const QAbstractItemView* view) {
    QStringList texts;
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        texts.append(model->index(row, 0).data().toString());
    }
    return texts;
}

// The main window over fakes of its ports, with a user data folder and a music folder of its own.
class WindowTest : public ::testing::Test {
protected:
    TempFolder home;   // the user data folder, where the settings live
    TempFolder music;  // the documents folder and the working folder
    FakePrompter prompter;
    FakeMediaDevice device;
    FakeLengthProbe probe{device};
    FakeTagReader tags;
    FakeShell shell;
    QtClipboard clipboard;
    std::unique_ptr<AppSession> session;
    std::unique_ptr<FileTypeRegistration> fileTypes;
    std::unique_ptr<MainWindow> window;
    QStringList parameters;  // the start's command line
    QString helpFolder;      // the help pages; none when empty
    bool welcomeBox = false; // the start may show the Welcome box, as the program's own start does

    // Runs between making the window and showing it.
    virtual void beforeShow() {}

    // Settings that neither open the last Play List nor start playing.
    void writeQuietSettings() {
        home.write(QStringLiteral("velmaro.ini"), "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n");
    }

    // Makes and shows the window; an empty size keeps the one the settings give.
    void startWindow(QSize size = QSize(900, 500), const QString& samples = QString()) {
        window.reset();
        // The desktop's file types, where the environment of this start says they are.
        fileTypes = std::make_unique<FileTypeRegistration>(
            FileTypeLocations::fromEnvironment(home.path(), QCoreApplication::applicationFilePath()),
            prompter, shell);
        session = std::make_unique<AppSession>(
            AppSession::Folders{home.path(), samples, music.path()},
            AppSession::Ports{
                prompter, device, clipboard, probe, nullptr, nullptr, &shell, {}, nullptr, fileTypes.get(),
                &tags});
        window =
            std::make_unique<MainWindow>(*session, MainWindow::Options{parameters, music.path(), helpFolder, welcomeBox});
        beforeShow();
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
