// The MIDI reset files shipped in data/Reset: each opens and plays to its end through the real device,
// so a MIDI item after it is never kept waiting by a reset that hangs or fails.
#include "media/gstmediadevice.h"
#include "mediafiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>

#include <gtest/gtest.h>

#ifndef VELMARO_DATA_DIR
#error "VELMARO_DATA_DIR must name the data folder"
#endif

namespace {

class ResetFilePlays : public ::testing::TestWithParam<const char*> {};

TEST_P(ResetFilePlays, ToItsEndWithinASecond) {
    const QString file =
        QDir(QStringLiteral(VELMARO_DATA_DIR "/Reset")).filePath(QString::fromLatin1(GetParam()));
    ASSERT_TRUE(QFileInfo::exists(file)) << file.toStdString();
    GstMediaDevice device;
    device.setFileName(file);
    ASSERT_TRUE(OpenAndWait(device)) << device.errorText().toStdString();
    EXPECT_LT(device.length(), 1000);
    QSignalSpy ended(&device, &MediaDevice::modeChanged);
    ASSERT_TRUE(device.play());
    ASSERT_TRUE(ended.wait(10000));
    EXPECT_EQ(device.mode(), MediaDevice::Stopped);
    EXPECT_TRUE(device.errorText().isEmpty()) << device.errorText().toStdString();
    EXPECT_TRUE(device.playbackFailure().isEmpty()) << device.playbackFailure().toStdString();
    device.close();
}

INSTANTIATE_TEST_SUITE_P(Shipped, ResetFilePlays,
                         ::testing::Values("GSRESET.MID", "GMRESET.MID", "PARESET.MID", "XGRESET.MID"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param, 2);
                         });

}  // namespace
