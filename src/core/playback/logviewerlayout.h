#pragma once

#include <QRect>

// Where the log viewer's controls stand for a client area of width w and height h: a frame with the
// text inside it, and the two buttons side by side below it, each half as wide as the frame.
struct LogViewerLayout {
    static constexpr int kMinWidth = 337;
    static constexpr int kMinHeight = 209;
    static constexpr int kButtonHeight = 25;

    QRect bevel;
    QRect info;
    QRect memo;
    QRect done;
    QRect remove;

    static LogViewerLayout forSize(int w, int h) {
        LogViewerLayout layout;
        layout.bevel = QRect(8, 8, w - 16, h - 48);
        layout.info = QRect(16, 14, w - 32, 16);
        layout.memo = QRect(16, 32, w - 32, h - 80);
        const int buttonWidth = (w - 16) / 2;
        const int top = layout.bevel.y() + layout.bevel.height() + 8;
        layout.done = QRect(8, top, buttonWidth, kButtonHeight);
        layout.remove = QRect(layout.done.x() + buttonWidth, top, buttonWidth, kButtonHeight);
        return layout;
    }
};
