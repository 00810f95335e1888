// How long the window takes to open damaged, very large Play Lists, from the file to the painted box.
#include "benchsupport.h"
#include "core/common/textfile.h"
#include "gui/ports/qtclipboard.h"
#include "gui/shell/mainwindow.h"
#include "gui/playlist/playlistbox.h"
#include "media/gstlengthprobe.h"
#include "media/gstmediadevice.h"
#include "platform/desktopshell.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Random bytes in lines of 1 to 255 bytes, as a file of noise named ".vlp" reads.
QByteArray randomLines(int lines) {
    QRandomGenerator random(1234);
    QByteArray bytes;
    bytes.reserve(qsizetype{lines} * 130);
    for (int i = 0; i < lines; ++i) {
        const int length = static_cast<int>(random.bounded(1, 256));
        for (int j = 0; j < length; ++j) {
            char c = static_cast<char>(random.bounded(256));
            bytes.append(c == '\r' || c == '\n' ? 'x' : c);
        }
        bytes.append("\r\n");
    }
    return bytes;
}

struct Window {
    QTemporaryDir home;
    SilentPrompter prompter;
    GstMediaDevice device;
    GstLengthProbe probe;
    DesktopShell shell;
    QtClipboard clipboard;
    std::unique_ptr<AppSession> session;
    std::unique_ptr<MainWindow> window;

    Window() {
        QFile settings(QDir(home.path()).filePath(QStringLiteral("velmaro.ini")));
        settings.open(QIODevice::WriteOnly);
        settings.write(
            "[Playlist]\r\nStartPlaying=0\r\nOpenLastPL=0\r\n[General]\r\nShowWelcomeScreen=0\r\n");
        settings.close();
        session = std::make_unique<AppSession>(AppSession::Folders{home.path(), QString(), home.path()},
                                               AppSession::Ports{prompter, device, clipboard, probe, nullptr, nullptr, &shell});
        window = std::make_unique<MainWindow>(*session, MainWindow::Options{{}, home.path()});
        window->resize(900, 500);
        window->show();
        QApplication::processEvents();
    }

    QString write(const QString& name, const QByteArray& bytes) const {
        const QString path = QDir(home.path()).filePath(name);
        TextFile::replaceFile(path, bytes);
        return path;
    }

    // Opens the list and lets the window lay out and paint it. The list before it is emptied first,
    // untimed, so that opening does not write that one back.
    void open(benchmark::State& state, const QString& path) {
        state.PauseTiming();
        window->session().document().NewPlayList();
        QApplication::processEvents();
        state.ResumeTiming();
        window->session().document().OpenPlayList(path, false, false);
        window->playListBox()->viewport()->repaint();
        QApplication::processEvents();
    }
};

void BM_OpenNoiseOf400000Lines(benchmark::State& state) {
    Window w;
    const QString path = w.write(QStringLiteral("noise.vlp"), randomLines(400000));
    for (auto _ : state) {
        w.open(state, path);
        benchmark::DoNotOptimize(w.window->session().playList().lineCount());
    }
    state.SetItemsProcessed(state.iterations() * 400000);
}
BENCHMARK(BM_OpenNoiseOf400000Lines)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenOneLineOf10MB(benchmark::State& state) {
    Window w;
    const QString path = w.write(QStringLiteral("huge.vlp"),
                                 "[FILE=\"/m/" + QByteArray(10 * 1024 * 1024, 'x') + ".mid\", L=0]\r\n");
    for (auto _ : state) {
        w.open(state, path);
        benchmark::DoNotOptimize(w.window->session().playList().lineCount());
    }
}
BENCHMARK(BM_OpenOneLineOf10MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// 100,000 items as a user's music collection names them.
QByteArray collection() {
    QByteArray bytes = "[General]\r\nLastPlayed=\r\n\r\n[Items]\r\n";
    for (int i = 0; i < 100000; ++i) {
        bytes += QStringLiteral("[FILE=\"/home/user/Music/Artist %1/Album %2/Track %3.mp3\", L=%4]\r\n")
                     .arg(i % 97)
                     .arg(i % 13)
                     .arg(i)
                     .arg(200000 + i)
                     .toUtf8();
    }
    return bytes;
}

// An Organize command on 100,000 items from the menu item to the window painted again and idle.
void editThroughTheWindow(benchmark::State& state, const char* command, const char* before = nullptr) {
    Window w;
    const QString path = w.write(QStringLiteral("collection.vlp"), collection());
    for (auto _ : state) {
        state.PauseTiming();
        w.window->session().document().OpenPlayList(path, false, false);
        if (before) {
            w.window->action(QString::fromLatin1(before))->trigger();
        }
        QApplication::processEvents();
        state.ResumeTiming();
        w.window->action(QString::fromLatin1(command))->trigger();
        w.window->playListBox()->viewport()->repaint();
        QApplication::processEvents();
    }
}

void BM_SortAlphabeticallyThroughTheWindow(benchmark::State& state) {
    editThroughTheWindow(state, "SortAlphabeticallyM");
}
BENCHMARK(BM_SortAlphabeticallyThroughTheWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_UndoOfASortThroughTheWindow(benchmark::State& state) {
    editThroughTheWindow(state, "UndoM", "SortAlphabeticallyM");
}
BENCHMARK(BM_UndoOfASortThroughTheWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SortRandomlyThroughTheWindow(benchmark::State& state) {
    editThroughTheWindow(state, "SortRandomlyM");
}
BENCHMARK(BM_SortRandomlyThroughTheWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// The first line, selected when the list opens.
void BM_RemoveOneLineThroughTheWindow(benchmark::State& state) {
    editThroughTheWindow(state, "RemoveM");
}
BENCHMARK(BM_RemoveOneLineThroughTheWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("VELMARO_AUDIO_SINK", "fakesink");
    qputenv("VELMARO_VIDEO_SINK", "fakesink");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
