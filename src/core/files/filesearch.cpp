#include "core/files/filesearch.h"

#include "core/common/prompter.h"
#include "core/common/itemref.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/playlist/playlistdocument.h"
#include "core/playlist/playlisteditor.h"

#include <utility>

namespace {

QString countText(int count, const QString& one, const QString& many) {
    return count == 1 ? one : many.arg(count);
}

}  // namespace

FileSearch::FileSearch(Context context, QObject* parent) : QObject(parent), m_c(context) {
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, [this] { runSlice(m_slice); });
}

FileSearch::~FileSearch() = default;

void FileSearch::start(const QString& folder, const QString& masks) {
    if (isRunning()) {
        return;
    }
    // Recorded with the first files added: a search that adds nothing leaves Undo as it was.
    m_before = m_c.playList.snapshot();
    m_undoRecorded = false;
    m_leftOut.clear();
    m_added = 0;
    m_walk = std::make_unique<FolderTreeWalk>(folder, ParseSearchMasks(masks));
    m_slices.start();
}

void FileSearch::stop() {
    if (isRunning()) {
        finish(true);
    }
}

void FileSearch::runToEnd() {
    if (isRunning()) {
        runSlice(std::chrono::nanoseconds::max() / 4);
    }
}

void FileSearch::runSlice(std::chrono::nanoseconds budget) {
    const bool ended = m_walk->step(budget);
    // The first mask's files may join the list as they come; the others must wait for it to end.
    appendFound(0);
    Q_EMIT progress(m_walk->currentFolder(), m_walk->foundCount());
    if (ended && isRunning()) {  // a receiver of progress may have stopped it
        finish(false);
    }
}

void FileSearch::appendFound(size_t mask) {
    if (mask >= m_walk->maskCount()) {
        return;
    }
    QStringList& paths = m_walk->found(mask);
    if (paths.isEmpty()) {
        return;
    }
    std::vector<PlayListEntry> entries;
    entries.reserve(static_cast<size_t>(paths.size()));
    for (const QString& path : std::as_const(paths)) {
        entries.push_back({MakeFileItem(path), 0});
    }
    paths.clear();
    const qsizetype added =
        m_c.editor.insertItems(m_c.playList.count(), std::move(entries), QString(), &m_leftOut);
    if (added > 0 && !m_undoRecorded) {
        m_c.editor.undoHistory().RecordUndo(std::exchange(m_before, PlayListSnapshot()),
                                            QStringLiteral("Search"));
        m_undoRecorded = true;
    }
    m_added += added;
}

void FileSearch::finish(bool stopped) {
    m_slices.stop();
    for (size_t mask = 0; mask < m_walk->maskCount(); ++mask) {
        appendFound(mask);
    }
    // Taken before the messages: a box runs the event loop, and nothing may see a half-ended search.
    const std::unique_ptr<FolderTreeWalk> walk = std::move(m_walk);
    m_lastFound = walk->foundCount();
    if (m_added > 0) {
        // Also when stopped: the files kept are a change that must not go unsaved.
        m_c.document.setChanged(true);
        Q_EMIT m_c.editor.totalsDirty();
    } else if (!stopped) {
        m_c.prompter.showMessage(Prompter::Kind::Information, noFilesMessage());
    }
    QStringList skipped;
    if (walk->unreadableFolders() > 0) {
        skipped.append(countText(walk->unreadableFolders(),
                                 QStringLiteral("1 folder could not be read and was not searched."),
                                 QStringLiteral("%1 folders could not be read and were not searched.")));
    }
    if (!m_leftOut.isEmpty()) {
        skipped.append(PlayListEditor::leftOutMessage(m_leftOut));
        m_leftOut.clear();
    }
    if (!skipped.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Warning, skipped.join(QStringLiteral("\r\n")));
    }
    m_c.editor.updateControls();
    Q_EMIT finished(stopped);
}
