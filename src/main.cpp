#include "core/app/appsession.h"
#include "core/app/commandline.h"
#include "core/app/remoteplayer.h"
#include "gui/playback/videowindow.h"
#include "gui/ports/qtclipboard.h"
#include "gui/ports/qtprompter.h"
#include "gui/shell/mainwindow.h"
#include "media/gstlengthprobe.h"
#include "media/gstmediadevice.h"
#include "media/gststartup.h"
#include "media/headerlengthprobe.h"
#include "media/taglibtagreader.h"
#include "platform/apppaths.h"
#include "platform/desktopshell.h"
#include "platform/filetyperegistration.h"
#include "platform/mprisservice.h"
#include "platform/recentdocuments.h"
#include "platform/singleinstance.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDir>

#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

const QString kNoDisplay = QStringLiteral(
    "Velmaro needs a graphical session, and none was found (DISPLAY and WAYLAND_DISPLAY are not set).\n"
    "Start it from your desktop, or try it on a virtual display:\n"
    "    xvfb-run -a velmaro\n");

// Hands the request to a running Velmaro. Returns the exit code when this start is done, or -1 when
// it should become the running instance.
int forwardToRunningInstance(SingleInstance& instance, const ForwardedRequest& request) {
    QString reply;
    switch (instance.forward(request, &reply)) {
        case SingleInstance::Forwarding::Delivered:
            return 0;
        case SingleInstance::Forwarding::Refused:
            print(stderr, reply + u'\n');
            return 1;
        case SingleInstance::Forwarding::NoAnswer:
            print(stderr, QStringLiteral("Velmaro is running but did not answer.\n"));
            return 1;
        case SingleInstance::Forwarding::NoInstance:
            break;
    }
    if (!request.command.isEmpty()) {
        print(stderr, QStringLiteral("Velmaro is not running.\n"));
        return 1;
    }
    return -1;
}

int runInstance(SingleInstance& instance, const CommandLine& commandLine) {
    // The plug-in registry is read (or built, on a first start) while the window comes up.
    GstStartup::beginInBackground();
    const QDir resources(AppPaths::resourceFolder());
    GstMediaDevice device;
    device.setVideoSurfaceFactory([](const QString& title) { return std::make_unique<VideoWindow>(title); });
    GstLengthProbe gstreamerProbe;  // for the files whose headers do not state their lengths
    HeaderLengthProbe probe(gstreamerProbe);
    GstMediaDevice cdReader;  // reads discs while the player holds something else
    TagLibTagReader tagReader;
    DesktopShell shell;
    QtPrompter prompter;
    QtClipboard clipboard;
    FileTypeRegistration fileTypes(FileTypeLocations::fromEnvironment(
                                       AppPaths::userDataFolder(), QCoreApplication::applicationFilePath()),
                                   prompter, shell);
    AppSession session({AppPaths::userDataFolder(), resources.filePath(QStringLiteral("Samples")),
                        AppPaths::defaultDocumentsFolder(), AppPaths::mixerDefault(),
                        resources.filePath(QStringLiteral("Backgrounds/BACKGR1.BMP"))},
                       {prompter, device, clipboard, probe, nullptr, nullptr, &shell,
                        AppPaths::soundSettingsCommand(), &cdReader, &fileTypes, &tagReader});
    MainWindow window(session, {commandLine.parameters, QDir::currentPath(),
                                resources.filePath(QStringLiteral("help")), /*welcomeBox=*/true});
    prompter.setParentWidget(&window);
    instance.setValidator([&session](const ForwardedRequest& request) {
        return request.command.isEmpty()
                   ? QString()
                   : session.dispatcher().availability(request.command, CommandOrigin::Outside);
    });
    QObject::connect(&instance, &SingleInstance::requestReceived, &window,
                     [&window, &session](const ForwardedRequest& request) {
                         window.bringToFront();
                         if (!request.command.isEmpty()) {
                             session.dispatcher().execute(request.command, CommandOrigin::Outside);
                         } else {
                             session.processForwardedParameters(request.parameters, request.baseFolder);
                         }
                     });
    // A command that waited for a long operation may no longer make sense when its turn comes.
    QObject::connect(
        &session.dispatcher(), &CommandDispatcher::refused, [](const QString& name, const QString& reason) {
            print(stderr, QStringLiteral("Velmaro did not carry out \"%1\": %2\n").arg(name, reason));
        });
    QObject::connect(&session.document(), &PlayListDocument::loaded, &window,
                     [](const QString& path) { RecentDocuments::add(path); });
    // Media keys and the desktop's player widgets; without a session bus the program goes on without.
    RemotePlayer remote(session);
    MprisService mpris(remote, [&window] { window.bringToFront(); }, VelmaroMimeTypes());
    mpris.registerOn(QDBusConnection::sessionBus());
    window.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine commandLine = CommandLine::parse(argumentsOf(argc, argv));
    if (!commandLine.error.isEmpty()) {
        print(stderr, commandLine.error + u'\n' + CommandLine::usage());
        return 2;
    }
    if (commandLine.help) {
        print(stdout, CommandLine::usage());
        return 0;
    }
    if (commandLine.version) {
        print(stdout, AppSession::title() + u'\n');
        return 0;
    }

    const ForwardedRequest request{QDir::currentPath(), commandLine.parameters, commandLine.command};
    if (!hasDisplay()) {
        // Without a display this start can still hand its request to a Velmaro that runs elsewhere.
        QCoreApplication app(argc, argv);
        SingleInstance instance(AppPaths::userDataFolder());
        const int code = forwardToRunningInstance(instance, request);
        if (code >= 0) {
            return code;
        }
        print(stderr, kNoDisplay);
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmaro"));
    QApplication::setApplicationVersion(AppSession::version());
    SingleInstance instance(AppPaths::userDataFolder());
    int code = forwardToRunningInstance(instance, request);
    if (code >= 0) {
        return code;
    }
    if (!instance.listen()) {
        // Another start became the running instance a moment ago.
        code = forwardToRunningInstance(instance, request);
        if (code >= 0) {
            return code;
        }
        if (instance.hasSocketFolder()) {
            print(
                stderr,
                QStringLiteral("Velmaro could not open its local socket. %1\n").arg(instance.errorString()));
            return 1;
        }
        // No folder of the user's own was to be had for the socket: this start runs on its own rather
        // than not at all.
        print(stderr,
              QStringLiteral("Velmaro runs without its local socket, so a second start will not find it. "
                             "%1\n")
                  .arg(instance.errorString()));
    }
    return runInstance(instance, commandLine);
}
