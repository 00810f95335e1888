#pragma once

#include "core/ports/videosurface.h"

#include <QSize>
#include <QWidget>

// The top-level window video is drawn in, titled with the file name.
class VideoWindow : public QWidget, public VideoSurface {
    Q_OBJECT

public:
    explicit VideoWindow(const QString& title);

    quintptr nativeWindow() override;
    void showRaised() override;
    // Resizes to the video's own size times the factor, keeping the position.
    void scaleTo(QSize videoSize, double factor) override;
};
