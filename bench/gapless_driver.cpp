// Plays the files named on the command line as one Play List through the program's own controller
// and GStreamer device, into the default sound output, and ends after the last item (bench/gapless.sh
// records what it hears). With --no-handover the device refuses every queued file, so each item ends
// and the next one opens as it did before items were handed over without a gap.
#include "benchsupport.h"
#include "core/app/appsession.h"
#include "core/common/activelists.h"
#include "core/common/itemref.h"
#include "media/gstlengthprobe.h"
#include "media/gstmediadevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

namespace {

class DeviceWithoutHandover : public GstMediaDevice {
public:
    bool queueNext(const QString&) override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList files = app.arguments().mid(1);
    const bool handover = files.removeAll(QStringLiteral("--no-handover")) == 0;
    if (files.isEmpty()) {
        qWarning("usage: gapless_driver [--no-handover] FILE...");
        return 2;
    }
    GstMediaDevice::initialise();
    const std::unique_ptr<GstMediaDevice> device =
        handover ? std::make_unique<GstMediaDevice>() : std::make_unique<DeviceWithoutHandover>();
    QTemporaryDir home;
    SilentPrompter prompter;
    MemoryClipboard clipboard;
    GstLengthProbe probe;
    AppSession session({home.path(), QString(), QDir::currentPath()}, {prompter, *device, clipboard, probe});
    std::vector<PlayListEntry> entries;
    for (const QString& file : files) {
        entries.push_back({MakeFileItem(QFileInfo(file).absoluteFilePath()), 0});
    }
    PlayList& playList = session.playList();
    playList.setEntries(entries);
    playList.RedrawPlayList(false);
    playList.setFocusedLine(0);
    playList.selectOnly(0);
    session.controller().playFrom(session.playListMedia());

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        if (session.lists().playing() == nullptr && !session.controller().isOpening()) {
            app.quit();
        }
    });
    poll.start(50);
    return app.exec();
}
