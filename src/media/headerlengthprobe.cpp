#include "media/headerlengthprobe.h"

#include "media/headerlength.h"

#include <algorithm>
#include <chrono>

namespace {

// How often the caller hears that a header is still being read (a slow disk, a network folder).
constexpr std::chrono::milliseconds kWaitStep(20);

}  // namespace

HeaderLengthProbe::HeaderLengthProbe(LengthProbe& fallback) : m_fallback(fallback) {
    m_fallback.setWhileWaiting([this] { whileWaiting(); });
}

HeaderLengthProbe::~HeaderLengthProbe() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_queued.notify_all();
    for (std::thread& thread : m_threads) {
        thread.join();
    }
}

// Made on the first use, so that a run that never measures starts no thread.
void HeaderLengthProbe::startThreads() {
    if (m_threads.empty()) {
        for (int i = 0; i < kThreads; ++i) {
            m_threads.emplace_back([this] { work(); });
        }
    }
}

void HeaderLengthProbe::work() {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_queued.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping) {
            return;
        }
        const QString path = m_queue.front();
        m_queue.pop_front();
        lock.unlock();
        const HeaderResult length = HeaderLength::read(path);
        lock.lock();
        // A replaced list may have dropped the path meanwhile: then nobody waits for it.
        if (m_reading.contains(path)) {
            m_results.insert(path, length);
            if (--m_reading[path] == 0) {
                m_reading.remove(path);
            }
        }
        m_finished.notify_all();
    }
}

void HeaderLengthProbe::expect(const QStringList& paths) {
    {
        const std::lock_guard lock(m_mutex);
        startThreads();
        m_queue.clear();
        m_reading.clear();
        m_results.clear();
        for (const QString& path : paths) {
            m_queue.push_back(path);
            ++m_reading[path];
        }
    }
    m_queued.notify_all();
}

// The header's answer for the path: read ahead, being read, or read now on the pool. The caller's
// thread only waits, and hears about it while it does.
std::optional<qint64> HeaderLengthProbe::headerLength(const QString& path) {
    std::unique_lock lock(m_mutex);
    if (!m_results.contains(path)) {
        // Asked for out of the expected order, or not expected at all: it goes next. One that a thread
        // reads already is only waited for.
        const auto queued = std::find(m_queue.begin(), m_queue.end(), path);
        const bool beingRead = queued == m_queue.end() && m_reading.contains(path);
        if (!beingRead) {
            if (queued != m_queue.end()) {
                m_queue.erase(queued);
            } else {
                ++m_reading[path];
            }
            startThreads();
            m_queue.push_front(path);
            m_queued.notify_one();
        }
    }
    while (!m_results.contains(path)) {
        if (!m_finished.wait_for(lock, kWaitStep, [&] { return m_results.contains(path); })) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }
    return m_results.take(path);
}

qint64 HeaderLengthProbe::measure(const QString& path, QString* error) {
    if (const std::optional<qint64> length = headerLength(path)) {
        error->clear();
        return *length;
    }
    return m_fallback.measure(path, error);
}
