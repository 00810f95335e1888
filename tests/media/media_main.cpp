#include "media/gstmediadevice.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

// Real pipelines into sinks that keep time but make no sound and show nothing.
int main(int argc, char** argv) {
    qputenv("VELMARO_AUDIO_SINK", "fakesink sync=true");
    qputenv("VELMARO_VIDEO_SINK", "fakesink sync=true");
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    GstMediaDevice::initialise();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
