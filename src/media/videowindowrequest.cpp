#include "media/videowindowrequest.h"

quintptr VideoWindowRequest::awaitWindow(const std::function<void()>& wake, std::chrono::milliseconds wait) {
    std::unique_lock lock(m_mutex);
    if (m_given || m_closed) {
        return m_closed ? 0 : m_handle;
    }
    if (!m_wanted) {
        m_wanted = true;
        lock.unlock();
        wake();
        lock.lock();
    }
    if (!m_answered.wait_for(lock, wait, [this] { return m_given || m_closed; })) {
        // Too late from here on: a window made now would stay empty beside the sink's own.
        m_wanted = false;
    }
    return m_given && !m_closed ? m_handle : 0;
}

void VideoWindowRequest::answer(const std::function<quintptr()>& make) {
    // Made under the lock, so that a sink giving up meanwhile cannot miss a window that exists.
    const std::lock_guard lock(m_mutex);
    if (!m_wanted || m_given || m_closed) {
        return;
    }
    m_handle = make();
    m_given = true;
    m_answered.notify_all();
}

void VideoWindowRequest::close() {
    const std::lock_guard lock(m_mutex);
    m_closed = true;
    m_answered.notify_all();
}
