#pragma once

#include "core/ports/tagreader.h"

#include <QObject>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// Tags read with TagLib on a small pool of threads. The answers gather while the event loop is busy and
// reach the receiver together, at most every kDeliveryInterval, on the thread that owns this object.
class TagLibTagReader : public QObject, public TagReader {
    Q_OBJECT

public:
    static constexpr int kThreads = 2;
    static constexpr int kDeliveryIntervalMs = 100;
    // What is kept of a tag's text: more would only be cut when shown, and a hostile file's megabytes
    // should not travel between threads.
    static constexpr qsizetype kMaxTagCharacters = 4096;

    explicit TagLibTagReader(QObject* parent = nullptr);
    ~TagLibTagReader() override;
    TagLibTagReader(const TagLibTagReader&) = delete;
    TagLibTagReader& operator=(const TagLibTagReader&) = delete;

    void request(const QStringList& paths) override;

    // Reads one file's tags now, on the caller's thread.
    static FileTags read(const QString& path);

private:
    void startThreads();
    void work();
    void deliverRead();

    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::deque<QString> m_queue;
    std::vector<FileTags> m_read;  // waiting for the next delivery
    bool m_deliveryDue = false;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};
