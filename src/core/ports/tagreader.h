#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

// The artist and title a file's tags hold, as read: either may be empty, and either may hold anything
// the file held (line breaks, control characters, megabytes cut short by the reader).
struct FileTags {
    QString path;
    QString artist;
    QString title;
};

// Reads files' tags away from the caller's thread. Every requested file is answered once, tags or not,
// in batches on the caller's thread, in no particular order; the caller never waits for an answer.
class TagReader {
public:
    using Receiver = std::function<void(const std::vector<FileTags>&)>;

    virtual ~TagReader() = default;
    // Adds the files to those being read.
    virtual void request(const QStringList& paths) = 0;
    void setReceiver(Receiver receiver) { m_receiver = std::move(receiver); }

protected:
    void deliver(const std::vector<FileTags>& tags) const {
        if (m_receiver) {
            m_receiver(tags);
        }
    }

private:
    Receiver m_receiver;
};
