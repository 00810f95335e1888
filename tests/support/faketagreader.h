#pragma once

#include "core/ports/tagreader.h"

#include <QHash>
#include <QStringList>

#include <utility>

// Tags kept by path; nothing is answered until the test says so, as a slow disk would.
class FakeTagReader : public TagReader {
public:
    void request(const QStringList& paths) override {
        requested.append(paths);
        m_waiting.append(paths);
    }
    void setTags(const QString& path, const QString& artist, const QString& title) {
        m_tags.insert(path, {path, artist, title});
    }
    // Answers every file asked for so far, in one batch.
    void answerAll() {
        std::vector<FileTags> answers;
        for (const QString& path : std::exchange(m_waiting, {})) {
            answers.push_back(m_tags.value(path, FileTags{path, {}, {}}));
        }
        deliver(answers);
    }
    QStringList requested;

private:
    QHash<QString, FileTags> m_tags;
    QStringList m_waiting;
};
