#pragma once

#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

// The handshake between a video sink, which asks for its window on a streaming thread, and the GUI
// thread, the only one that may make a window. The GUI thread may itself be blocked in open()'s
// preroll wait for that very sink, so the sink's thread never waits on it without bound: it raises the
// request, wakes the GUI thread (a message on the bus, which the preroll wait and the bus watch both
// read) and waits a bounded time. The GUI thread answers from wherever it reads the bus. A request
// nobody answers in time leaves the sink to a window of its own; closing the file ends every wait.
class VideoWindowRequest {
public:
    // Streaming thread: the window's handle, asked for (wake() tells the GUI thread) and waited for at
    // most `wait` when none was given yet; 0 when none comes.
    quintptr awaitWindow(const std::function<void()>& wake, std::chrono::milliseconds wait);
    // GUI thread: makes the window with make() when one is wanted and none was given yet.
    void answer(const std::function<quintptr()>& make);
    // GUI thread: the file is closing; a waiting sink goes on at once, without a window.
    void close();

private:
    std::mutex m_mutex;
    std::condition_variable m_answered;
    bool m_wanted = false;
    bool m_given = false;
    bool m_closed = false;
    quintptr m_handle = 0;
};
