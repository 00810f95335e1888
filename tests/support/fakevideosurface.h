#pragma once

#include "core/ports/videosurface.h"

#include <QSize>
#include <QStringList>
#include <QWindow>

// A video surface over a bare native window that records what the device asked of it.
class FakeVideoSurface : public VideoSurface {
public:
    struct Record {
        QStringList titles;  // one per surface made
        int handlesGiven = 0;
        int shown = 0;
        int destroyed = 0;
        QSize size;
        quintptr handle = 0;
    };

    // Makes surfaces that record into `record`, which must outlive them.
    static VideoSurfaceFactory factory(Record& record) {
        return [&record](const QString& title) {
            record.titles.append(title);
            return std::make_unique<FakeVideoSurface>(record);
        };
    }

    // The window stands away from the screen's top left corner, where a sink's window of its own goes.
    explicit FakeVideoSurface(Record& record) : m_record(record) { m_window.setGeometry(640, 480, 320, 240); }
    ~FakeVideoSurface() override { ++m_record.destroyed; }

    quintptr nativeWindow() override {
        ++m_record.handlesGiven;
        m_record.handle = static_cast<quintptr>(m_window.winId());
        return m_record.handle;
    }
    void showRaised() override {
        ++m_record.shown;
        m_window.show();
        m_window.raise();
    }
    void scaleTo(QSize videoSize, double factor) override {
        m_record.size = (QSizeF(videoSize) * factor).toSize();
        m_window.resize(m_record.size);
    }

private:
    Record& m_record;
    QWindow m_window;
};
