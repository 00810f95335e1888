#include "media/taglibtagreader.h"

#include <QFile>
#include <QTimer>

#include <taglib/fileref.h>
#include <taglib/tag.h>

namespace {

QString boundedText(const TagLib::String& text) {
    // Cut before converting: a title of megabytes is never copied whole.
    const TagLib::String kept =
        text.size() > static_cast<unsigned int>(TagLibTagReader::kMaxTagCharacters)
            ? text.substr(0, static_cast<unsigned int>(TagLibTagReader::kMaxTagCharacters))
            : text;
    return QString::fromStdWString(kept.toWString());
}

}  // namespace

TagLibTagReader::TagLibTagReader(QObject* parent) : QObject(parent) {}

TagLibTagReader::~TagLibTagReader() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_queued.notify_all();
    for (std::thread& thread : m_threads) {
        thread.join();
    }
}

FileTags TagLibTagReader::read(const QString& path) {
    FileTags tags{path, {}, {}};
    // Without the audio properties: only the tags are wanted, and they are found without a scan.
    const TagLib::FileRef file(QFile::encodeName(path).constData(), false);
    if (!file.isNull() && file.tag()) {
        tags.artist = boundedText(file.tag()->artist());
        tags.title = boundedText(file.tag()->title());
    }
    return tags;
}

void TagLibTagReader::request(const QStringList& paths) {
    {
        const std::lock_guard lock(m_mutex);
        // Made on the first request, so that a run that shows no titles starts no thread.
        if (m_threads.empty()) {
            for (int i = 0; i < kThreads; ++i) {
                m_threads.emplace_back([this] { work(); });
            }
        }
        m_queue.insert(m_queue.end(), paths.begin(), paths.end());
    }
    m_queued.notify_all();
}

void TagLibTagReader::work() {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_queued.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping) {
            return;
        }
        const QString path = m_queue.front();
        m_queue.pop_front();
        lock.unlock();
        FileTags tags = read(path);
        lock.lock();
        m_read.push_back(std::move(tags));
        if (!m_deliveryDue) {
            m_deliveryDue = true;
            // The timer must start on this object's thread.
            QMetaObject::invokeMethod(
                this, [this] { QTimer::singleShot(kDeliveryIntervalMs, this, [this] { deliverRead(); }); },
                Qt::QueuedConnection);
        }
    }
}

void TagLibTagReader::deliverRead() {
    std::vector<FileTags> read;
    {
        const std::lock_guard lock(m_mutex);
        read.swap(m_read);
        m_deliveryDue = false;
    }
    deliver(read);
}
