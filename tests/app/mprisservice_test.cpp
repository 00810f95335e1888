// The desktop's media-player remote control, through a session bus of the test's own: what playerctl,
// media keys and a panel's player widget send arrives as the program's commands.
#include "platform/mprisservice.h"

#include "core/app/remoteplayer.h"
#include "core/common/itemref.h"
#include "core/settings/preferences.h"
#include "support/sessionfixture.h"

#include <QDBusInterface>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusVariant>
#include <QProcess>
#include <QTest>

#include <memory>

namespace {

const QString kService = QStringLiteral("org.mpris.MediaPlayer2.velmaro");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");

// dbus-daemon on an address of its own for the length of a test.
class PrivateBus {
public:
    PrivateBus() {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (m_daemon.waitForStarted(5000) && m_daemon.waitForReadyRead(5000)) {
            m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        }
    }
    ~PrivateBus() {
        m_daemon.terminate();
        m_daemon.waitForFinished(3000);
    }
    const QString& address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

// The signals a remote control listens to, as they arrive.
class SignalRecorder : public QObject {
    Q_OBJECT

public:
    std::vector<QVariantMap> changes;  // PropertiesChanged of the Player interface
    std::vector<qlonglong> seeks;

public Q_SLOTS:
    void propertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList&) {
        if (interface == kPlayer) {
            changes.push_back(changed);
        }
    }
    void seeked(qlonglong position) { seeks.push_back(position); }
};

class MprisTest : public SessionFixture {
protected:
    void SetUp() override {
        ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
        start();
        remote = std::make_unique<RemotePlayer>(*session);
        service = std::make_unique<MprisService>(*remote, [this] { ++raised; }, QStringList{s("audio/midi")});
        ASSERT_TRUE(service->registerOn(QDBusConnection::connectToBus(bus.address(), s("velmaro-service"))));
        client = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(bus.address(), s("velmaro-client")));
        ASSERT_TRUE(client->isConnected());
    }
    void TearDown() override {
        service.reset();
        QDBusConnection::disconnectFromBus(s("velmaro-service"));
        QDBusConnection::disconnectFromBus(s("velmaro-client"));
    }

    void load(std::initializer_list<const char*> names) {
        std::vector<PlayListEntry> entries;
        for (const char* name : names) {
            entries.push_back({MakeFileItem(s("/m/") + s(name)), 0});
            device.files[s("/m/") + s(name)].length = 10000;
        }
        session->playList().setEntries(std::move(entries));
        session->playList().RedrawPlayList(false);
        session->playList().setFocusedLine(0);
        session->controller().listChanged();
    }

    // A method call as a remote control makes it; the error's text, empty when it ran.
    QString call(const QString& interface, const QString& method, const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, interface, method);
        message.setArguments(arguments);
        QDBusPendingCall pending = client->asyncCall(message);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 5000)) << method.toStdString();
        nextTurn();
        return pending.isError() ? pending.error().message() : QString();
    }
    QString callPlayer(const QString& method, const QVariantList& arguments = {}) {
        return call(kPlayer, method, arguments);
    }
    QVariant property(const QString& name, const QString& interface = kPlayer) {
        QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, s("org.freedesktop.DBus.Properties"), s("Get"));
        message << interface << name;
        QDBusPendingReply<QDBusVariant> reply = client->asyncCall(message);
        EXPECT_TRUE(QTest::qWaitFor([&] { return reply.isFinished(); }, 5000)) << name.toStdString();
        return reply.isError() ? QVariant() : reply.value().variant();
    }
    void setProperty(const QString& name, const QVariant& value) {
        QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, s("org.freedesktop.DBus.Properties"), s("Set"));
        message << kPlayer << name << QVariant::fromValue(QDBusVariant(value));
        QDBusPendingCall pending = client->asyncCall(message);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 5000)) << name.toStdString();
        nextTurn();
    }
    QVariantMap metadata() { return qdbus_cast<QVariantMap>(property(s("Metadata"))); }
    QString trackId() { return qdbus_cast<QDBusObjectPath>(metadata().value(s("mpris:trackid"))).path(); }

    PrivateBus bus;
    std::unique_ptr<RemotePlayer> remote;
    std::unique_ptr<MprisService> service;
    std::unique_ptr<QDBusConnection> client;
    int raised = 0;
};

TEST_F(MprisTest, PlayPauseNextAndTheMetadataOfTheItemThatPlays) {
    load({"a.mid", "b.wav", "c.mp3"});
    EXPECT_EQ(property(s("PlaybackStatus")).toString(), s("Stopped"));
    EXPECT_EQ(trackId(), s("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    EXPECT_EQ(property(s("Identity"), s("org.mpris.MediaPlayer2")).toString(), s("Velmaro"));

    EXPECT_EQ(callPlayer(s("Play")), QString());
    EXPECT_EQ(device.fileName(), s("/m/a.mid"));
    EXPECT_EQ(property(s("PlaybackStatus")).toString(), s("Playing"));
    QVariantMap data = metadata();
    EXPECT_EQ(data.value(s("xesam:title")).toString(), s("a.mid"));
    EXPECT_EQ(data.value(s("xesam:url")).toString(), s("file:///m/a.mid"));
    EXPECT_EQ(data.value(s("mpris:length")).toLongLong(), 10000 * 1000);
    const QString first = trackId();
    EXPECT_TRUE(property(s("CanGoNext")).toBool());
    EXPECT_FALSE(property(s("CanGoPrevious")).toBool());

    EXPECT_EQ(callPlayer(s("Pause")), QString());
    EXPECT_EQ(property(s("PlaybackStatus")).toString(), s("Paused"));
    EXPECT_EQ(callPlayer(s("PlayPause")), QString());
    EXPECT_EQ(device.mode(), MediaDevice::Playing);

    EXPECT_EQ(callPlayer(s("Next")), QString());
    EXPECT_EQ(device.fileName(), s("/m/b.wav"));
    EXPECT_EQ(metadata().value(s("xesam:title")).toString(), s("b.wav"));
    EXPECT_NE(trackId(), first);

    EXPECT_EQ(call(s("org.mpris.MediaPlayer2"), s("Raise")), QString());
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(callPlayer(s("Stop")), QString());
    EXPECT_EQ(property(s("PlaybackStatus")).toString(), s("Stopped"));
}

TEST_F(MprisTest, ShuffleAndLoopFollowThePlayOptionsBothWays) {
    load({"a.mid", "b.wav"});
    setProperty(s("Shuffle"), true);
    EXPECT_TRUE(session->preferences().randomPlay);
    session->runCommand(s("RandomPlayM"));
    EXPECT_FALSE(property(s("Shuffle")).toBool());

    setProperty(s("LoopStatus"), s("Track"));
    EXPECT_TRUE(session->controller().loopForever());
    EXPECT_FALSE(session->preferences().loopPlayList);
    setProperty(s("LoopStatus"), s("Playlist"));
    EXPECT_FALSE(session->controller().loopForever());
    EXPECT_TRUE(session->preferences().loopPlayList);
    EXPECT_EQ(property(s("LoopStatus")).toString(), s("Playlist"));
    session->runCommand(s("LoopPlayListM"));
    EXPECT_EQ(property(s("LoopStatus")).toString(), s("None"));
    session->runCommand(s("LoopSongForeverM"));
    EXPECT_EQ(property(s("LoopStatus")).toString(), s("Track"));
    setProperty(s("LoopStatus"), s("Sideways"));  // not a name of the standard: nothing changes
    EXPECT_EQ(property(s("LoopStatus")).toString(), s("Track"));
}

// A call whose command is disabled is refused with the command's own reason, as a second start is.
TEST_F(MprisTest, ACallIsRefusedWhileItsCommandIsDisabled) {
    load({"a.mid", "b.wav"});
    EXPECT_EQ(callPlayer(s("PlayPause")), QString());
    EXPECT_EQ(callPlayer(s("Stop")), QString());
    EXPECT_EQ(callPlayer(s("Pause")), s("Nothing is playing."));
    EXPECT_FALSE(callPlayer(s("Previous")).isEmpty());
    EXPECT_EQ(session->lists().playing(), nullptr);
}

TEST_F(MprisTest, BadCallsGetAnErrorOrAreClamped) {
    load({"a.mid", "b.wav"});
    ASSERT_EQ(callPlayer(s("Play")), QString());
    const QString id = trackId();

    EXPECT_FALSE(callPlayer(s("SetPosition"), {QVariant::fromValue(QDBusObjectPath(s("/org/velmaro/track/999"))), qlonglong(1000)}).isEmpty());
    EXPECT_FALSE(callPlayer(s("SetPosition"), {QVariant::fromValue(QDBusObjectPath(id)), qlonglong(-5)}).isEmpty());
    EXPECT_FALSE(callPlayer(s("SetPosition"), {QVariant::fromValue(QDBusObjectPath(id)), qlonglong(11000000)}).isEmpty());
    EXPECT_EQ(callPlayer(s("SetPosition"), {QVariant::fromValue(QDBusObjectPath(id)), qlonglong(4000000)}), QString());
    EXPECT_EQ(device.position(), 4000);
    EXPECT_EQ(callPlayer(s("Seek"), {qlonglong(std::numeric_limits<qlonglong>::max())}), QString());
    EXPECT_EQ(device.position(), 10000);
    EXPECT_EQ(callPlayer(s("Seek"), {qlonglong(std::numeric_limits<qlonglong>::min())}), QString());
    EXPECT_EQ(device.position(), 0);

    EXPECT_FALSE(callPlayer(s("OpenUri"), {s("http://example.org/a.mp3")}).isEmpty());
    EXPECT_TRUE(callPlayer(s("OpenUri"), {s("file:///nowhere/gone.wav")}).contains(s("gone.wav")));
    setProperty(s("Volume"), 5.0);
    EXPECT_EQ(device.volume(), 1.0);
    setProperty(s("Volume"), -1.0);
    EXPECT_EQ(device.volume(), 0.0);
    setProperty(s("Volume"), 0.25);
    EXPECT_DOUBLE_EQ(property(s("Volume")).toDouble(), 0.25);

    // A burst of calls is answered, one after the other.
    for (int i = 0; i < 200; ++i) {
        callPlayer(s("PlayPause"));
    }
    EXPECT_EQ(device.mode(), MediaDevice::Playing);
}

// A remote control learns of each change without asking: what changed, and where a seek went.
TEST_F(MprisTest, ChangesAndSeeksAreAnnounced) {
    load({"a.mid", "b.wav"});
    SignalRecorder recorder;
    ASSERT_TRUE(client->connect(kService, kPath, s("org.freedesktop.DBus.Properties"), s("PropertiesChanged"),
                                &recorder, SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
    ASSERT_TRUE(client->connect(kService, kPath, kPlayer, s("Seeked"), &recorder, SLOT(seeked(qlonglong))));
    ASSERT_EQ(callPlayer(s("Play")), QString());
    QVariantMap announced;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (const QVariantMap& change : recorder.changes) {
                announced.insert(change);
            }
            return announced.value(s("PlaybackStatus")).toString() == s("Playing");
        },
        3000));
    EXPECT_EQ(qdbus_cast<QVariantMap>(announced.value(s("Metadata"))).value(s("xesam:title")).toString(), s("a.mid"));
    EXPECT_FALSE(announced.contains(s("Position")));  // asked for, never announced

    ASSERT_EQ(callPlayer(s("Seek"), {qlonglong(2500000)}), QString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder.seeks.empty(); }, 3000));
    EXPECT_EQ(recorder.seeks.back(), 2500000);
}

// As a second start's file: shown in the File List and played from there.
TEST_F(MprisTest, AFileOpenedByAddressIsHandledAsASecondStartsFile) {
    load({"a.mid"});
    const QString file = music.write(s("new song.wav"), "RIFF");
    EXPECT_EQ(callPlayer(s("OpenUri"), {QUrl::fromLocalFile(file).toString()}), QString());
    EXPECT_TRUE(QTest::qWaitFor([&] { return device.fileName() == file && device.mode() == MediaDevice::Playing; }, 3000));
    EXPECT_EQ(metadata().value(s("xesam:url")).toString(), QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded));
}

// Without a session bus the program goes on as before: nothing is registered and nothing is said.
class MprisWithoutBusTest : public SessionFixture {};

TEST_F(MprisWithoutBusTest, RegisteringWithoutABusFailsQuietly) {
    start();
    RemotePlayer remote(*session);
    MprisService service(remote, [] {}, {});
    EXPECT_FALSE(service.registerOn(QDBusConnection::connectToBus(s("unix:path=/nonexistent/bus"), s("velmaro-none"))));
    EXPECT_TRUE(service.serviceName().isEmpty());
    EXPECT_TRUE(prompter.messages.empty());
    QDBusConnection::disconnectFromBus(s("velmaro-none"));
}

}  // namespace

#include "mprisservice_test.moc"
