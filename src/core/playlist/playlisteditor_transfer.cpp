// The clipboard and the drops on the Play List.
#include "core/app/runstate.h"
#include "core/common/clipboard.h"
#include "core/common/prompter.h"
#include "core/playlist/clipboardtext.h"
#include "core/playlist/itemref.h"
#include "core/playlist/itemsource.h"
#include "core/playlist/playlist.h"
#include "core/playlist/playlistdocument.h"
#include "core/playlist/playlisteditor.h"

#include <QFileInfo>

#include <algorithm>
#include <numeric>

void PlayListEditor::Copy() {
    // Every selected line goes whole, however many there are.
    if (m_c.run.focusList == ActiveList::PlayList && m_c.playList.selectedCount() > 0) {
        const PlayList& list = m_c.playList;
        std::vector<PlayListEntry> selected;
        for (qsizetype line : list.selectedLines()) {
            selected.push_back(list.entries()[static_cast<size_t>(line)]);
        }
        m_c.clipboard.setText(ClipboardText::compose(selected));
    } else if ((m_c.run.focusList == ActiveList::FileList || m_c.run.focusList == ActiveList::CDList) && m_source &&
               m_source->isVisible()) {
        // The File List's selected files as file items, the CD Audio List's tracks as CD-track items.
        std::vector<PlayListEntry> selected;
        for (const QString& ref : m_source->selectedItems()) {
            selected.push_back({ref, 0});
        }
        if (!selected.empty()) {
            m_c.clipboard.setText(ClipboardText::compose(selected));
        }
    }
}

void PlayListEditor::Cut() {
    if (m_c.run.focusList != ActiveList::PlayList || m_c.playList.selectedCount() == 0) {
        return;
    }
    m_undo.RecordUndo(m_c.playList.snapshot(), QStringLiteral("Cut"));
    Copy();
    RemoveSelectedItems();
    Q_EMIT totalsDirty();
}

void PlayListEditor::Paste() {
    if (m_c.run.focusList != ActiveList::PlayList) {
        return;
    }
    PlayList& list = m_c.playList;
    m_undo.RecordUndo(list.snapshot(), QStringLiteral("Paste"));
    const std::vector<PlayListEntry> entries =
        ClipboardText::parse(m_c.clipboard.text(), [this](const QString& path) { return fileExists(path); });
    if (entries.empty()) {
        m_c.prompter.showMessage(Prompter::Kind::Error,
                                 QStringLiteral("The information contained in the clipboard\r\ndoes not appear to "
                                                "be valid Velmaro data."));
        return;
    }
    const qsizetype at = list.lineCount() > 0 ? list.focusedLine() + 1 : 0;
    insertAt(at, entries);
    list.clearSelection();
    list.setSelectedRange(at, at + static_cast<qsizetype>(entries.size()) - 1, true);
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
    QStringList refused;
    for (const QString& path : paths) {
        if (QFileInfo(path).isDir()) {
            continue;
        }
        if (!IsStorablePath(path)) {
            refused.append(path);
            continue;
        }
        entries.push_back({MakeFileItem(path), 0});
    }
    if (!refused.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Error,
                                 QStringLiteral("These files cannot be stored in a Play List, because their names "
                                                "contain a quotation mark or a line break:\r\n\r\n") +
                                     refused.join(QStringLiteral("\r\n")));
    }
    if (entries.empty()) {
        return;
    }
    PlayList& list = m_c.playList;
    insertAt(list.count(), entries);
    list.RedrawPlayList(true);
    markChanged();
    updateControls();
}

void PlayListEditor::insertDroppedItems(qsizetype target, bool belowLast) {
    if (!m_source) {
        return;
    }
    PlayList& list = m_c.playList;
    const QStringList refs = m_source->selectedItems();
    if (refs.isEmpty()) {
        return;
    }
    m_undo.RecordUndo(list.snapshot(), QStringLiteral("Add Item(s)"));
    const qsizetype at = belowLast ? list.lineCount() : std::clamp<qsizetype>(target, 0, list.lineCount());
    std::vector<PlayListEntry> entries;
    for (const QString& ref : refs) {
        entries.push_back({ref, 0});
    }
    list.clearSelection();
    insertAt(at, entries);
    list.setSelectedRange(at, at + static_cast<qsizetype>(entries.size()) - 1, true);
    markChanged();
    updateControls();
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
