#include "core/help/helpindex.h"

#include <algorithm>

namespace {

// Weights of a matching query word; a title match outweighs any amount of text.
constexpr int kTitleWord = 50;
constexpr int kTitleStart = 30;
constexpr int kTextWord = 3;
constexpr int kTextStart = 1;
constexpr int kTextCap = 30;

QStringList sortedWords(const QString& text, bool unique) {
    QStringList list = HelpIndex::words(text);
    std::sort(list.begin(), list.end());
    if (unique) {
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    return list;
}

// The words of a sorted list that start with a word, as a range; the whole word first.
std::pair<QStringList::const_iterator, QStringList::const_iterator> startingWith(const QStringList& sorted,
                                                                               const QString& word) {
    const auto first = std::lower_bound(sorted.cbegin(), sorted.cend(), word);
    const auto last = std::partition_point(first, sorted.cend(), [&word](const QString& w) { return w.startsWith(word); });
    return {first, last};
}

}  // namespace

void HelpIndex::addTopic(const HelpTopic& topic, const QString& text) {
    m_entries.push_back({topic, sortedWords(topic.title, true), sortedWords(text, false)});
}

std::vector<HelpTopic> HelpIndex::topics() const {
    std::vector<HelpTopic> all;
    all.reserve(m_entries.size());
    for (const Entry& entry : m_entries) {
        all.push_back(entry.topic);
    }
    return all;
}

const HelpTopic* HelpIndex::find(const QString& anchor) const {
    for (const Entry& entry : m_entries) {
        if (entry.topic.anchor == anchor) {
            return &entry.topic;
        }
    }
    return nullptr;
}

std::vector<HelpTopic> HelpIndex::search(const QString& query) const {
    QStringList wanted = words(query);
    wanted.removeDuplicates();
    if (wanted.isEmpty()) {
        return {};
    }
    std::vector<std::pair<int, size_t>> ranked;  // score, entry
    for (size_t n = 0; n < m_entries.size(); ++n) {
        const Entry& entry = m_entries[n];
        int score = 0;
        bool all = true;
        for (const QString& word : wanted) {
            const auto [titleFirst, titleLast] = startingWith(entry.titleWords, word);
            const auto [textFirst, textLast] = startingWith(entry.textWords, word);
            if (titleFirst == titleLast && textFirst == textLast) {
                all = false;
                break;
            }
            if (titleFirst != titleLast) {
                score += *titleFirst == word ? kTitleWord : kTitleStart;
            }
            const auto whole = std::partition_point(textFirst, textLast, [&word](const QString& w) { return w == word; });
            const auto wholeCount = static_cast<int>(whole - textFirst);
            const auto startCount = static_cast<int>(textLast - whole);
            score += std::min(wholeCount * kTextWord + startCount * kTextStart, kTextCap);
        }
        if (all) {
            ranked.emplace_back(score, n);
        }
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<HelpTopic> found;
    found.reserve(ranked.size());
    for (const auto& [score, n] : ranked) {
        found.push_back(m_entries[n].topic);
    }
    return found;
}

QStringList HelpIndex::words(const QString& text) {
    // Decomposed, an accented letter is its base letter and a mark that is dropped: "Für" is "fur".
    const QList<uint> points = text.normalized(QString::NormalizationForm_KD).toUcs4();
    QStringList list;
    QString word;
    const auto flush = [&] {
        if (!word.isEmpty()) {
            list.append(word.toCaseFolded());
            word.clear();
        }
    };
    for (const uint point : points) {
        const auto code = static_cast<char32_t>(point);
        const QChar::Category category = QChar::category(code);
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing) {
            continue;
        }
        if (QChar::isLetterOrNumber(code)) {
            word += QString::fromUcs4(&code, 1);
        } else {
            flush();
        }
    }
    flush();
    return list;
}
