// The help index query: the topics found are exactly those holding every word of the query as the
// start of one of their words, each once; and a topic is found by its own title.
#include "fuzzcheck.h"

#include "core/common/textfile.h"
#include "core/help/helpindex.h"

#include <QSet>

namespace {

bool holdsWordStart(const QStringList& words, const QString& wanted) {
    for (const QString& word : words) {
        if (word.startsWith(wanted)) {
            return true;
        }
    }
    return false;
}

}  // namespace

// The first line is the query; the others are topics, a title line and a text line each.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = TextFile::splitLines(TextFile::decode(bytes));
    if (lines.isEmpty()) {
        return 0;
    }
    HelpIndex index;
    std::vector<QStringList> topicWords;
    std::vector<QStringList> titleWords;
    for (qsizetype i = 1; i < lines.size(); i += 2) {
        const QString title = lines.at(i);
        const QString text = i + 1 < lines.size() ? lines.at(i + 1) : QString();
        index.addTopic({QStringLiteral("t%1").arg(i), title, QStringLiteral("page.html")}, text);
        titleWords.push_back(HelpIndex::words(title));
        topicWords.push_back(HelpIndex::words(title) + HelpIndex::words(text));
    }

    QStringList wanted = HelpIndex::words(lines.at(0));
    for (const QString& word : wanted) {
        FUZZ_CHECK(!word.isEmpty());
        FUZZ_CHECK_EQUAL(HelpIndex::words(word), QStringList{word});
    }
    QSet<QString> found;
    for (const HelpTopic& topic : index.search(lines.at(0))) {
        FUZZ_CHECK(!found.contains(topic.anchor));
        FUZZ_CHECK(index.find(topic.anchor) != nullptr);
        found.insert(topic.anchor);
    }
    const std::vector<HelpTopic> topics = index.topics();
    for (size_t n = 0; n < topics.size(); ++n) {
        bool holdsAll = !wanted.isEmpty();
        for (const QString& word : wanted) {
            holdsAll = holdsAll && holdsWordStart(topicWords[n], word);
        }
        FUZZ_CHECK_EQUAL(found.contains(topics[n].anchor), holdsAll);

        if (!titleWords[n].isEmpty()) {
            bool byTitle = false;
            for (const HelpTopic& topic : index.search(topics[n].title)) {
                byTitle = byTitle || topic.anchor == topics[n].anchor;
            }
            FUZZ_CHECK(byTitle);
        }
    }
    return 0;
}
