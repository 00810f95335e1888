#include "gui/playback/videowindow.h"

#include <cmath>

VideoWindow::VideoWindow(const QString& title) {
    setObjectName(QStringLiteral("VideoWindow"));
    setWindowTitle(title);
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    resize(320, 240);
}

quintptr VideoWindow::nativeWindow() {
    return static_cast<quintptr>(winId());
}

void VideoWindow::showRaised() {
    show();
    raise();
}

void VideoWindow::scaleTo(QSize videoSize, double factor) {
    if (!videoSize.isValid()) {
        return;
    }
    resize(std::max(1L, std::lround(videoSize.width() * factor)), std::max(1L, std::lround(videoSize.height() * factor)));
}
