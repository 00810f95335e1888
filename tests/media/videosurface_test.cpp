#include "media/gstmediadevice.h"
#include "mediafiles.h"
#include "support/fakevideosurface.h"
#include "support/tempfolder.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The platform's own video sink instead of the test sink, for one test.
class DefaultVideoSink {
public:
    DefaultVideoSink() : m_saved(qgetenv("VELMARO_VIDEO_SINK")) { qunsetenv("VELMARO_VIDEO_SINK"); }
    ~DefaultVideoSink() { qputenv("VELMARO_VIDEO_SINK", m_saved); }

private:
    QByteArray m_saved;
};

bool isX11() {
    return QGuiApplication::platformName() == QStringLiteral("xcb");
}

// Whether a part of the screen shows the test picture's colour bars: a yellow one and a blue one.
bool showsColourBars(quintptr window, QRect area = QRect(0, 0, -1, -1)) {
    const QImage shot =
        QGuiApplication::primaryScreen()->grabWindow(window, area.x(), area.y(), area.width(), area.height()).toImage();
    bool yellow = false;
    bool blue = false;
    for (int y = 0; y < shot.height(); y += 4) {
        for (int x = 0; x < shot.width(); x += 4) {
            const QColor c = shot.pixelColor(x, y);
            yellow = yellow || (c.red() > 150 && c.green() > 150 && c.blue() < 60);
            blue = blue || (c.blue() > 150 && c.red() < 60 && c.green() < 60);
        }
    }
    return yellow && blue;
}

// Sound alone never makes a window, whatever video sink would be at hand.
TEST(VideoSurface, AFileWithoutPictureAsksForNone) {
    const DefaultVideoSink sink;
    TempFolder folder;
    FakeVideoSurface::Record record;
    GstMediaDevice device;
    device.setVideoSurfaceFactory(FakeVideoSurface::factory(record));
    for (const QString& file : {MediaFiles::wav(folder.file(QStringLiteral("tone.wav")), 0.5),
                                MediaFiles::midi(folder.file(QStringLiteral("tune.mid")))}) {
        device.setFileName(file);
        ASSERT_TRUE(OpenAndWait(device)) << device.errorText().toStdString();
        ASSERT_TRUE(device.play());
        QTest::qWait(200);
        EXPECT_FALSE(device.hasVideoWindow());
        device.sizeVideoWindow(2.0);
        device.close();
    }
    EXPECT_TRUE(record.titles.isEmpty());
    EXPECT_EQ(record.shown, 0);
}

// A file with a picture asks for one surface while it opens, and the platform's sink draws into it
// rather than into a window of its own.
TEST(VideoSurface, AVideoFileGetsOneSurfaceAndIsDrawnInIt) {
    if (!isX11()) {
        GTEST_SKIP() << "needs an X display: the platform's video sinks draw only there";
    }
    const DefaultVideoSink sink;
    TempFolder folder;
    const QString film = MediaFiles::encoded(folder.file(QStringLiteral("bars.avi")), QStringLiteral("avi"), 3.0);
    FakeVideoSurface::Record record;
    GstMediaDevice device;
    device.setVideoSurfaceFactory(FakeVideoSurface::factory(record));
    device.setFileName(film);
    ASSERT_TRUE(OpenAndWait(device)) << device.errorText().toStdString();
    EXPECT_EQ(record.titles, QStringList{film});
    EXPECT_EQ(record.handlesGiven, 1);
    EXPECT_TRUE(device.hasVideoWindow());

    device.sizeVideoWindow(2.0);
    EXPECT_EQ(record.size, QSize(320, 240));
    ASSERT_TRUE(device.play());
    EXPECT_EQ(record.shown, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return showsColourBars(record.handle); }, 5000));
    // Where a window of the sink's own would stand, there is none.
    EXPECT_FALSE(showsColourBars(0, QRect(0, 0, 640, 480)));

    device.close();
    EXPECT_EQ(record.destroyed, 1);
    EXPECT_EQ(record.titles.size(), 1);
}

}  // namespace
