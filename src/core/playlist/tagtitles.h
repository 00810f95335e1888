#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

class PlayList;
class TagReader;
struct FileTags;

// The line a file's tags give it: "Artist - Title", or "Title" alone; empty without a title. Tag text
// is made one line (line breaks and control characters become spaces) and kept to kMaxCharacters.
QString TagTitleLine(const QString& artist, const QString& title);

// The titles of the Play List's files, read from their tags while the option to show them is on and kept
// for the run. Files are asked for as they join the list; the lines change as the answers arrive.
class TagTitles {
public:
    static constexpr qsizetype kMaxCharacters = 256;

    // reader may be null: then no file has a title.
    TagTitles(PlayList& list, TagReader* reader);
    ~TagTitles();
    TagTitles(const TagTitles&) = delete;
    TagTitles& operator=(const TagTitles&) = delete;

    // Empty while unknown or when the tags give no title.
    QString titleOf(const QString& path) const { return m_titles.value(path); }

private:
    void requestFor(qsizetype first, qsizetype last);
    void received(const std::vector<FileTags>& tags);

    PlayList& m_list;
    TagReader* m_reader;
    QHash<QString, QString> m_titles;
    QSet<QString> m_asked;  // answered or on their way
    QMetaObject::Connection m_reset;
    QMetaObject::Connection m_inserted;
};
