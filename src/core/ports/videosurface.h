#pragma once

#include <QSize>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

// A window of the gui that the media device draws video into. The device makes one per opened file
// that has a picture, uses it on the GUI thread only, and destroys it (closing the window) when it
// closes the file.
class VideoSurface {
public:
    virtual ~VideoSurface() = default;

    // The native window (an X11 window id) the video sink draws into; made on the first call.
    virtual quintptr nativeWindow() = 0;
    // Shows the window above the others.
    virtual void showRaised() = 0;
    // Resizes to the video's own size times the factor, keeping the position.
    virtual void scaleTo(QSize videoSize, double factor) = 0;
};

// Makes the surface for one file; the title is the file's name as the device was given it.
using VideoSurfaceFactory = std::function<std::unique_ptr<VideoSurface>(const QString& title)>;
