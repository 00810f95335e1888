#pragma once

#include <QSize>
#include <QWidget>

// The top-level window video is drawn in, titled with the file name.
class VideoWindow : public QWidget {
    Q_OBJECT

public:
    explicit VideoWindow(const QString& title);

    // Resizes to the video's own size times the factor, keeping the position.
    void scaleTo(QSize videoSize, double factor);
};
