#pragma once

#include "core/ports/lengthprobe.h"

#include <QHash>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Lengths read from the files' headers where they state them exactly, on a small pool of threads that
// works ahead through the files the caller expects; every other file goes to the slower probe behind.
class HeaderLengthProbe : public LengthProbe {
public:
    static constexpr int kThreads = 2;

    explicit HeaderLengthProbe(LengthProbe& fallback);
    ~HeaderLengthProbe() override;
    HeaderLengthProbe(const HeaderLengthProbe&) = delete;
    HeaderLengthProbe& operator=(const HeaderLengthProbe&) = delete;

    qint64 measure(const QString& path, QString* error) override;
    void expect(const QStringList& paths) override;

private:
    using HeaderResult = std::optional<qint64>;

    std::optional<qint64> headerLength(const QString& path);
    void startThreads();
    void work();

    LengthProbe& m_fallback;
    std::mutex m_mutex;
    std::condition_variable m_queued;    // a path waits for a thread, or the pool stops
    std::condition_variable m_finished;  // a header was read
    std::deque<QString> m_queue;
    QHash<QString, int> m_reading;  // paths queued or being read, with how many times
    QHash<QString, HeaderResult> m_results;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};
