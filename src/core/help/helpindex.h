#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One topic of the help: a heading that carries an anchor, and the text up to the next such heading.
struct HelpTopic {
    QString anchor;  // the name links and the program use ("File_Types")
    QString title;   // the heading's text
    QString page;    // the file the topic stands in ("filetypes.html")
};

// The keyword index behind Topic Search: the topics of the help pages with the text a reader sees.
class HelpIndex {
public:
    // Topics added earlier come first among equally good matches.
    void addTopic(const HelpTopic& topic, const QString& text);

    // In the order of the pages.
    std::vector<HelpTopic> topics() const;
    // Anchors are compared exactly, as links compare them; nullptr when there is no such topic.
    const HelpTopic* find(const QString& anchor) const;

    // The topics that hold every word of the query as the start of one of their words, best first: a
    // word of the title counts more than the text, a whole word more than a word's start, and a word
    // the text uses often more than one it uses once. A query without words finds nothing.
    std::vector<HelpTopic> search(const QString& query) const;

    // The words of a text as the index compares them: lower case, without accents, split at every
    // character that is neither a letter nor a digit.
    static QStringList words(const QString& text);

private:
    struct Entry {
        HelpTopic topic;
        QStringList titleWords;  // sorted, without repeats
        QStringList textWords;   // sorted, with repeats, so that a range gives a count
    };
    std::vector<Entry> m_entries;
};
