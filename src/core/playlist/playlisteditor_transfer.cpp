// The clipboard and the drops on the Play List.
#include "core/common/activelists.h"
#include "core/common/clipboard.h"
#include "core/common/medialist.h"
#include "core/common/prompter.h"
#include "core/playlist/clipboardtext.h"
#include "core/common/itemref.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/playlist/playlistdocument.h"
#include "core/playlist/playlisteditor.h"

#include <QFileInfo>

#include <algorithm>
#include <numeric>

void PlayListEditor::Copy() {
    // Every selected line goes whole, however many there are.
    const PlayList& list = m_c.playList;
    std::vector<PlayListEntry> selected;
    for (qsizetype line : list.selectedLines()) {
        selected.push_back(list.entries()[static_cast<size_t>(line)]);
    }
    if (!selected.empty()) {
        m_c.clipboard.setText(ClipboardText::compose(selected));
    }
}

void PlayListEditor::copyReferences(const QStringList& refs) {
    std::vector<PlayListEntry> entries;
    for (const QString& ref : refs) {
        entries.push_back({ref, 0});
    }
    if (!entries.empty()) {
        m_c.clipboard.setText(ClipboardText::compose(entries));
    }
}

void PlayListEditor::Cut() {
    if (!m_c.lists.playListFocused() || m_c.playList.selectedCount() == 0) {
        return;
    }
    m_undo.RecordUndo(m_c.playList.snapshot(), QStringLiteral("Cut"));
    Copy();
    RemoveSelectedItems();
    Q_EMIT totalsDirty();
}

void PlayListEditor::Paste() {
    if (!m_c.lists.playListFocused()) {
        return;
    }
    PlayList& list = m_c.playList;
    m_undo.RecordUndo(list.snapshot(), QStringLiteral("Paste"));
    std::vector<PlayListEntry> entries =
        ClipboardText::parse(m_c.clipboard.text(), [this](const QString& path) { return fileExists(path); });
    if (entries.empty()) {
        m_c.prompter.showMessage(Prompter::Kind::Error,
                                 QStringLiteral("The information contained in the clipboard\r\ndoes not appear to "
                                                "be valid Velmaro data."));
        return;
    }
    const qsizetype at = list.lineCount() > 0 ? list.focusedLine() + 1 : 0;
    const qsizetype inserted = insertItems(at, std::move(entries), QString());
    if (inserted == 0) {
        return;
    }
    list.clearSelection();
    list.setSelectedRange(at, at + inserted - 1, true);
    updateControls();
    markChanged();
}

void PlayListEditor::dropFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        if (QFileInfo(path).suffix().toLower() == QStringLiteral("vlp")) {
            m_c.document.OpenPlayList(path, true, false);
            return;
        }
    }
    std::vector<PlayListEntry> entries;
    for (const QString& path : paths) {
        if (!QFileInfo(path).isDir()) {
            entries.push_back({MakeFileItem(path), 0});
        }
    }
    PlayList& list = m_c.playList;
    if (insertItems(list.count(), std::move(entries), QStringLiteral("Add Item(s)")) == 0) {
        return;
    }
    list.RedrawPlayList(true);
    markChanged();
    updateControls();
}

void PlayListEditor::insertDroppedItems(qsizetype target, bool belowLast) {
    const MediaList* source = m_c.lists.rightHand();
    if (!source) {
        return;
    }
    PlayList& list = m_c.playList;
    std::vector<PlayListEntry> entries;
    for (const QString& ref : source->selectedItems()) {
        entries.push_back({ref, 0});
    }
    const qsizetype at = belowLast ? list.lineCount() : std::clamp<qsizetype>(target, 0, list.lineCount());
    const qsizetype inserted = insertItems(at, std::move(entries), QStringLiteral("Add Item(s)"));
    if (inserted == 0) {
        return;
    }
    list.clearSelection();
    list.setSelectedRange(at, at + inserted - 1, true);
    markChanged();
    updateControls();
}

qsizetype PlayListEditor::insertItems(qsizetype index, std::vector<PlayListEntry> entries,
                                      const QString& undoCaption, QStringList* leftOut) {
    // A line break would split the item over two lines of the file, and a quotation mark would end
    // its FILE value early: such a file stays in the File List, and out of the Play List.
    QStringList refused;
    std::vector<PlayListEntry> storable;
    storable.reserve(entries.size());
    for (PlayListEntry& entry : entries) {
        const QString name =
            IsCDItem(entry.ref) ? QString() : GetItemValue(entry.ref, QStringLiteral("FILE"));
        if (entry.ref.contains(u'\n') || entry.ref.contains(u'\r') || !IsStorablePath(name)) {
            refused.append(name.isEmpty() ? entry.ref : name);
        } else {
            storable.push_back(std::move(entry));
        }
    }
    entries = std::move(storable);
    if (!refused.isEmpty()) {
        if (leftOut) {
            leftOut->append(refused);
        } else {
            m_c.prompter.showMessage(Prompter::Kind::Error, leftOutMessage(refused));
        }
    }
    if (entries.empty()) {
        return 0;
    }
    PlayList& list = m_c.playList;
    if (!undoCaption.isEmpty()) {
        m_undo.RecordUndo(list.snapshot(), undoCaption);
    }
    const int current = list.CurrentItem();
    if (current >= 0 && index <= current) {
        list.setCurrentItem(current + static_cast<int>(entries.size()));
    }
    list.insertEntries(index, entries);
    for (const PlayListEntry& entry : entries) {
        m_c.unplayed.add(entry.ref);
    }
    return static_cast<qsizetype>(entries.size());
}

QString PlayListEditor::leftOutMessage(QStringList names) {
    // A name is shown once, on one line, its line breaks as a visible mark; a long list is cut with its
    // count.
    names.removeDuplicates();
    constexpr qsizetype kNamesShown = 10;
    QStringList shown;
    for (qsizetype i = 0; i < std::min(names.size(), kNamesShown); ++i) {
        const QChar mark(0x21B5);  // a return arrow
        QString name = names.at(i);
        shown.append(
            name.replace(QStringLiteral("\r\n"), QString(mark)).replace(u'\n', mark).replace(u'\r', mark));
    }
    if (names.size() > kNamesShown) {
        shown.append(QStringLiteral("... and %1 more.").arg(names.size() - kNamesShown));
    }
    return QStringLiteral(
               "These files were not added to the Play List, because their names contain a quotation "
               "mark or a line break, which a Play List file cannot hold:\r\n\r\n") +
           shown.join(QStringLiteral("\r\n"));
}

void PlayListEditor::moveDroppedLines(qsizetype target, bool belowLast) {
    PlayList& list = m_c.playList;
    if (list.lineCount() == 0) {
        return;
    }
    m_undo.RecordUndo(list.snapshot(), QStringLiteral("Add Item(s)"));
    target = belowLast ? list.lineCount() - 1 : std::clamp<qsizetype>(target, 0, list.lineCount() - 1);
    const qsizetype focused = list.focusedLine();
    if (list.isSelected(target) || focused == target || focused < 0) {
        return;
    }
    // Moves one line at a time as the lines of a list box move, so the result is the same for any
    // selection, also one spread on both sides of the target.
    std::vector<qsizetype> order(static_cast<size_t>(list.lineCount()));
    std::iota(order.begin(), order.end(), 0);
    auto moveLine = [&order](qsizetype from, qsizetype to) {
        const qsizetype line = order[static_cast<size_t>(from)];
        order.erase(order.begin() + from);
        order.insert(order.begin() + to, line);
    };
    auto positionOf = [&order](qsizetype line) {
        return static_cast<qsizetype>(std::find(order.begin(), order.end(), line) - order.begin());
    };
    const std::vector<qsizetype> selected = list.selectedLines();
    qsizetype moved = 0;
    if (focused < target) {
        for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
            const qsizetype from = positionOf(*it);
            const qsizetype to = target - moved;
            ++moved;  // a line already in its slot still takes it
            if (from != to) {
                moveLine(from, to);
            }
        }
    } else {
        for (qsizetype line : selected) {
            const qsizetype from = positionOf(line);
            const qsizetype to = target + moved;
            ++moved;
            if (from != to) {
                moveLine(from, to);
            }
        }
    }
    keepCurrentOnItem(order);
    list.permute(order);
    const auto count = static_cast<qsizetype>(selected.size());
    list.clearSelection();
    if (focused < target) {
        list.setSelectedRange(target - count + 1, target, true);
    } else {
        list.setSelectedRange(target, target + count - 1, true);
    }
    markChanged();
    updateControls();
}
