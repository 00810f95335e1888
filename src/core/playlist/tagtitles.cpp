#include "core/playlist/tagtitles.h"

#include "core/common/itemref.h"
#include "core/playlist/playlist.h"
#include "core/ports/tagreader.h"

namespace {

// One line: line breaks, tabs and other control or format characters become spaces, runs of spaces one.
QString oneLine(const QString& text) {
    QString line;
    line.reserve(std::min(text.size(), TagTitles::kMaxCharacters + 1));
    bool lastWasSpace = true;  // drops leading spaces
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        const bool space = c.isSpace() || category == QChar::Other_Control ||
                           category == QChar::Other_Format || category == QChar::Separator_Line ||
                           category == QChar::Separator_Paragraph;
        if (space) {
            if (!lastWasSpace) {
                line += u' ';
            }
        } else {
            line += c;
        }
        lastWasSpace = space;
        // Enough to know whether the result must be cut.
        if (line.size() > TagTitles::kMaxCharacters) {
            break;
        }
    }
    return line.trimmed();
}

}  // namespace

QString TagTitleLine(const QString& artist, const QString& title) {
    const QString shownTitle = oneLine(title);
    if (shownTitle.isEmpty()) {
        return {};
    }
    const QString shownArtist = oneLine(artist);
    QString line = shownArtist.isEmpty() ? shownTitle : shownArtist + QStringLiteral(" - ") + shownTitle;
    if (line.size() > TagTitles::kMaxCharacters) {
        qsizetype cut = TagTitles::kMaxCharacters - 3;
        // Never half a surrogate pair.
        if (line.at(cut - 1).isHighSurrogate()) {
            --cut;
        }
        line = line.left(cut) + QStringLiteral("...");
    }
    return line;
}

TagTitles::TagTitles(PlayList& list, TagReader* reader) : m_list(list), m_reader(reader) {
    if (!m_reader) {
        return;
    }
    m_reader->setReceiver([this](const std::vector<FileTags>& tags) { received(tags); });
    m_reset = QObject::connect(&m_list, &PlayList::linesReset, [this] { requestFor(0, m_list.count() - 1); });
    m_inserted = QObject::connect(&m_list, &PlayList::linesInserted,
                                  [this](qsizetype first, qsizetype last) { requestFor(first, last); });
}

TagTitles::~TagTitles() {
    if (m_reader) {
        m_reader->setReceiver({});
        QObject::disconnect(m_reset);
        QObject::disconnect(m_inserted);
    }
}

void TagTitles::requestFor(qsizetype first, qsizetype last) {
    if (!m_list.displayOptions().showTagTitles) {
        return;
    }
    QStringList paths;
    for (qsizetype i = std::max<qsizetype>(first, 0); i <= last && i < m_list.count(); ++i) {
        const QString& ref = m_list.item(i);
        if (IsCDItem(ref)) {
            continue;
        }
        QString path = GetItemValue(ref, QStringLiteral("FILE"));
        if (!m_asked.contains(path)) {
            m_asked.insert(path);
            paths.append(std::move(path));
        }
    }
    if (!paths.isEmpty()) {
        m_reader->request(paths);
    }
}

void TagTitles::received(const std::vector<FileTags>& tags) {
    QSet<QString> titled;
    for (const FileTags& file : tags) {
        const QString line = TagTitleLine(file.artist, file.title);
        if (!line.isEmpty()) {
            m_titles.insert(file.path, line);
            titled.insert(file.path);
        }
    }
    m_list.retitleFiles(titled);
}
