#include "core/playlist/playlisteditor.h"

#include "core/common/activelists.h"
#include "core/common/medialist.h"
#include "core/cdaudio/cddatabase.h"
#include "core/common/busyindicator.h"
#include "core/common/prompter.h"
#include "core/playlist/playorder.h"
#include "core/common/itemref.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/playlist/playlistdocument.h"
#include "core/settings/preferences.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <numeric>

namespace {

// The text sorting compares: letter case folded. Full case folding is slow; references are mostly ASCII,
// where lowering the letters is the same. Both loops are plain enough for the compiler to vectorise.
QString foldedForSorting(const QString& ref) {
    const auto* source = reinterpret_cast<const char16_t*>(ref.utf16());
    const qsizetype n = ref.size();
    char16_t all = 0;
    for (qsizetype i = 0; i < n; ++i) {
        all |= source[i];
    }
    if (all >= 0x80) {
        return ref.toCaseFolded();
    }
    QString folded(n, Qt::Uninitialized);
    auto* target = reinterpret_cast<char16_t*>(folded.data());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = source[i];
        target[i] = static_cast<char16_t>(c + (static_cast<char16_t>(c - u'A') < 26 ? 32 : 0));
    }
    return folded;
}

}  // namespace

PlayListEditor::PlayListEditor(Context context, QObject* parent) : QObject(parent), m_c(context) {}

bool PlayListEditor::playing() const {
    return m_c.lists.playListPlays();
}

bool PlayListEditor::fileExists(const QString& path) const {
    return m_exists ? m_exists(path) : QFileInfo(path).isFile();
}

void PlayListEditor::markChanged() {
    m_c.document.setChanged(true);
    Q_EMIT totalsDirty();
}

// CurrentItem goes where its item went: new line i holds old line order[i].
void PlayListEditor::keepCurrentOnItem(const std::vector<qsizetype>& order) {
    const int current = m_c.playList.CurrentItem();
    for (size_t i = 0; current >= 0 && i < order.size(); ++i) {
        if (order[i] == current) {
            m_c.playList.setCurrentItem(static_cast<int>(i));
            return;
        }
    }
}

void PlayListEditor::AddSelectedItems(bool all) {
    const MediaList* source = m_c.lists.rightHand();
    if (!source || !source->isShown()) {
        return;
    }
    const QStringList refs = all ? source->allItems() : source->selectedItems();
    std::vector<PlayListEntry> entries;
    for (const QString& ref : refs) {
        entries.push_back({ref, 0});
    }
    PlayList& list = m_c.playList;
    const QString caption = all ? QStringLiteral("Add All Items") : QStringLiteral("Add Item(s)");
    if (insertItems(list.count(), std::move(entries), caption) == 0) {
        return;
    }
    list.selectOnly(list.lineCount() - 1);
    markChanged();
    updateControls();
}

void PlayListEditor::RemoveSelectedItems() {
    PlayList& list = m_c.playList;
    const std::vector<qsizetype> selected = list.selectedLines();
    if (selected.empty()) {
        return;
    }
    m_undo.RecordUndo(list.snapshot(), QStringLiteral("Remove Item(s)"));
    std::vector<char> flagged(static_cast<size_t>(list.count()), 0);
    QStringList removed;
    int below = 0;  // removed lines not above CurrentItem
    for (qsizetype line : selected) {
        flagged[static_cast<size_t>(line)] = 1;
        removed.append(list.item(line));
        if (line <= list.CurrentItem()) {
            ++below;
        }
    }
    if (list.CurrentItem() >= 0) {
        list.setCurrentItem(list.CurrentItem() - below);
    }
    list.removeFlagged(flagged);
    // An item still on another line stays in the pool.
    removed.removeIf([&list](const QString& ref) { return list.containsItem(ref); });
    m_c.unplayed.removeAll(removed);
    markChanged();
    if (list.lineCount() > 0) {
        const qsizetype line = std::min(selected.front(), list.lineCount() - 1);
        list.selectOnly(line);
        if (list.focusedLine() < 0) {
            list.setFocusedLine(line);
        }
    }
    updateControls();
}

void PlayListEditor::RemoveAll() {
    PlayList& list = m_c.playList;
    if (list.lineCount() == 0) {
        return;
    }
    m_undo.RecordUndo(list.snapshot(), QStringLiteral("Remove All Items"));
    markChanged();
    list.clearEntries();
    list.clearLines();
    m_c.unplayed.clear();
    // Playback itself goes on, and the played set is kept; the Play List is just no longer its source.
    if (playing()) {
        m_c.lists.setPlaying(nullptr);
        list.setPlayListPlaying(false);
    }
    updateControls();
}

void PlayListEditor::MoveUp() {
    PlayList& list = m_c.playList;
    const std::vector<qsizetype> selected = list.selectedLines();
    if (selected.empty()) {
        return;
    }
    m_undo.RecordUndo(list.snapshot(), QStringLiteral("Move Up"));
    if (selected.front() == 0) {
        return;
    }
    std::vector<qsizetype> order(static_cast<size_t>(list.lineCount()));
    std::iota(order.begin(), order.end(), 0);
    for (qsizetype line : selected) {
        std::swap(order[static_cast<size_t>(line - 1)], order[static_cast<size_t>(line)]);
    }
    keepCurrentOnItem(order);
    list.permute(order);
    list.setFocusedLine(selected.back() - 1);
    markChanged();
    updateControls();
}

void PlayListEditor::MoveDown() {
    PlayList& list = m_c.playList;
    const std::vector<qsizetype> selected = list.selectedLines();
    if (selected.empty()) {
        return;
    }
    m_undo.RecordUndo(list.snapshot(), QStringLiteral("Move Down"));
    if (selected.back() == list.lineCount() - 1) {
        return;
    }
    std::vector<qsizetype> order(static_cast<size_t>(list.lineCount()));
    std::iota(order.begin(), order.end(), 0);
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        std::swap(order[static_cast<size_t>(*it)], order[static_cast<size_t>(*it + 1)]);
    }
    keepCurrentOnItem(order);
    list.permute(order);
    list.setFocusedLine(selected.front() + 1);
    markChanged();
    updateControls();
}

void PlayListEditor::SortAlphabetically() {
    PlayList& list = m_c.playList;
    if (list.isEmpty()) {
        return;
    }
    m_undo.RecordUndo(list.snapshot(), QStringLiteral("Sort Alphabetically"));
    // Locale-aware and ignoring case, on the references: CD tracks ("[CDID=") come before files.
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<size_t>(list.count()));
    // With titles from tags shown, the order is the one the user reads.
    const bool byLines = list.displayOptions().showTagTitles && list.lineCount() == list.count();
    for (qsizetype i = 0; i < list.count(); ++i) {
        // Folded first: in the C locale the collator's keys ignore the case setting.
        keys.push_back(collator.sortKey(foldedForSorting(byLines ? list.line(i) : list.item(i))));
    }
    std::vector<qsizetype> order(static_cast<size_t>(list.count()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](qsizetype a, qsizetype b) {
        return keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]) < 0;
    });
    keepCurrentOnItem(order);
    list.reorder(order, true);
    if (playing() && list.CurrentItem() >= 0) {
        list.setSelected(list.CurrentItem(), true);
    }
    if (list.CurrentItem() >= 0) {
        list.centreLine(list.CurrentItem());
    }
    markChanged();
    updateControls();
}

void PlayListEditor::SortRandomly() {
    PlayList& list = m_c.playList;
    if (list.isEmpty()) {
        return;
    }
    m_undo.RecordUndo(list.snapshot(), QStringLiteral("Sort Randomly"));
    BusyScope busy(list.count() > PlayList::kLongListLines ? m_c.busy : nullptr,
                   QStringLiteral(" Please wait while Velmaro sorts the items in the Play List..."));
    // Each remaining entry equally likely at every step: a uniform shuffle.
    std::vector<qsizetype> order(static_cast<size_t>(list.count()));
    std::iota(order.begin(), order.end(), 0);
    for (size_t i = order.size(); i > 1; --i) {
        const auto bound = static_cast<qsizetype>(i);
        const qsizetype j = m_random ? m_random(bound)
                                     : static_cast<qsizetype>(QRandomGenerator::global()->bounded(static_cast<quint64>(bound)));
        std::swap(order[i - 1], order[static_cast<size_t>(j)]);
    }
    keepCurrentOnItem(order);
    list.reorder(order, false);
    markChanged();
    if (playing() && list.CurrentItem() >= 0) {
        list.setSelected(list.CurrentItem(), true);
    }
    if (list.CurrentItem() >= 0) {
        list.centreLine(list.CurrentItem());
    }
    updateControls();
}

void PlayListEditor::filterItems(const std::function<bool(const PlayListEntry&, qsizetype)>& keep, const QString& busyText,
                                 const QString& caption, const QString& nothingMessage, bool redrawAlways) {
    PlayList& list = m_c.playList;
    std::vector<char> dropped(static_cast<size_t>(list.count()), 0);
    qsizetype droppedCount = 0;
    {
        BusyScope busy(m_c.busy, busyText);
        for (qsizetype i = 0; i < list.count(); ++i) {
            if (!keep(list.entries()[static_cast<size_t>(i)], i)) {
                dropped[static_cast<size_t>(i)] = 1;
                ++droppedCount;
            }
        }
    }
    // CurrentItem moves to the index of its item (its first line), wherever that now stands.
    const int current = list.CurrentItem();
    qsizetype first = current >= 0 && current < list.count() ? list.indexOfItem(list.item(current)) : -1;
    if (first >= 0) {
        first = dropped[static_cast<size_t>(first)] ? -1 : first - std::count(dropped.begin(), dropped.begin() + first, 1);
    }
    if (droppedCount == 0) {
        m_c.prompter.showMessage(Prompter::Kind::Information, nothingMessage);
        if (redrawAlways) {
            list.clearSelection();  // the lines stay as they are, unselected
        }
    } else {
        m_undo.RecordUndo(list.snapshot(), caption);
        list.removeFlagged(dropped);
        list.clearSelection();
        m_c.unplayed.clear();
        QStringList refs;
        refs.reserve(list.count());
        for (const PlayListEntry& entry : list.entries()) {
            refs.append(entry.ref);
        }
        m_c.unplayed.addAll(refs);
        markChanged();
    }
    if (current >= 0) {
        list.setCurrentItem(static_cast<int>(first));
    }
    updateControls();
    Q_EMIT totalsDirty();
}

void PlayListEditor::RemoveDuplicateItems() {
    // The first line of each item stays: the Play List's own index of first lines says which that is.
    const std::vector<char> firsts = m_c.playList.firstOccurrences();
    filterItems([&firsts](const PlayListEntry&, qsizetype line) { return firsts[static_cast<size_t>(line)] != 0; },
                QStringLiteral(" Please wait while Velmaro removes all duplicate items..."),
                QStringLiteral("Remove Duplicate Items"), noDuplicatesMessage(), true);
}

void PlayListEditor::RemoveNonExistentItems() {
    filterItems(
        [this](const PlayListEntry& entry, qsizetype) {
            return IsCDItem(entry.ref) || fileExists(GetItemValue(entry.ref, QStringLiteral("FILE")));
        },
        QStringLiteral(" Please wait while Velmaro removes all items which no longer exist..."),
        QStringLiteral("Remove Non-Existent Items"), QStringLiteral("No non-existent items were found in the Play List."),
        false);
}

void PlayListEditor::SelectAll() {
    m_c.playList.selectAll();
    updateControls();
}

void PlayListEditor::UnselectAll() {
    m_c.playList.clearSelection();
    updateControls();
}

void PlayListEditor::InvertSelection() {
    m_c.playList.invertSelection();
    updateControls();
}

void PlayListEditor::SelectPlayingItem() {
    PlayList& list = m_c.playList;
    const int current = list.CurrentItem();
    if (!playing() || current < 0 || current >= list.lineCount()) {
        return;
    }
    list.selectOnly(current);
    list.setFocusedLine(current);
    list.centreLine(current);
    updateControls();
}

void PlayListEditor::EditItem() {
    const PlayList& list = m_c.playList;
    if (list.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information,
                                 QStringLiteral("There are currently no items in the Play List"));
        return;
    }
    const qsizetype focused = std::max<qsizetype>(list.focusedLine(), 0);
    if (IsCDItem(list.item(focused))) {
        m_c.prompter.showMessage(Prompter::Kind::Error, QStringLiteral("You cannot edit CD Audio tracks."));
        return;
    }
    Q_EMIT editRequested(GetItemValue(list.item(focused), QStringLiteral("FILE")));
}

void PlayListEditor::ResetPlayedStatusAll() {
    m_c.order.ResetPlayed();
    const int current = m_c.playList.CurrentItem();
    if (playing() && current >= 0 && current < m_c.playList.count()) {
        m_c.order.MarkPlayed(m_c.playList.item(current), true);
    }
}

void PlayListEditor::TogglePlayedStatusSelected() {
    PlayList& list = m_c.playList;
    for (qsizetype line : list.selectedLines()) {
        const QString& ref = list.item(line);
        if (m_c.order.isPlayed(ref)) {
            m_c.order.MarkUnplayed(ref, false);
        } else {
            m_c.order.MarkPlayed(ref, false);
        }
    }
    list.refreshLines(0, list.lineCount() - 1);
}

bool PlayListEditor::ReplaceFocusedItem(const QString& path) {
    PlayList& list = m_c.playList;
    const qsizetype focused = list.focusedLine();
    if (focused < 0 || focused >= list.count()) {
        return false;
    }
    if (!fileExists(path)) {
        m_c.prompter.showMessage(Prompter::Kind::Information,
                                 QStringLiteral("The specified file does not exist. Please \rcheck the path and "
                                                "filename again."));
        return false;
    }
    if (!IsStorablePath(path)) {
        m_c.prompter.showMessage(Prompter::Kind::Error,
                                 QStringLiteral("The file name \"%1\" contains a quotation mark or a line break, "
                                                "so it cannot be stored in a Play List.")
                                     .arg(path));
        return false;
    }
    list.replaceItem(focused, MakeFileItem(path));
    m_c.unplayed.add(list.item(focused));
    markChanged();
    updateControls();
    return true;
}

void PlayListEditor::browseForItem() {
    const qsizetype focused = m_c.playList.focusedLine();
    if (focused < 0 || focused >= m_c.playList.count()) {
        return;
    }
    const QString chosen = m_c.prompter.chooseMediaFile(browseFolder());
    if (!chosen.isEmpty()) {
        ReplaceFocusedItem(chosen);
    }
}

QString PlayListEditor::browseFolder() const {
    const PlayList& list = m_c.playList;
    const qsizetype focused = list.focusedLine();
    if (focused < 0 || focused >= list.count() || IsCDItem(list.item(focused))) {
        return {};
    }
    const QString folder = QFileInfo(GetItemValue(list.item(focused), QStringLiteral("FILE"))).absolutePath();
    return QFileInfo(folder).isDir() ? folder : QString();
}

void PlayListEditor::restore(PlayListSnapshot snapshot) {
    PlayList& list = m_c.playList;
    const int current = list.CurrentItem();
    const QString noted = current >= 0 && current < list.count() ? list.item(current) : QString();
    m_c.unplayed.clear();
    QStringList refs;
    refs.reserve(static_cast<qsizetype>(snapshot.entries.size()));
    for (const PlayListEntry& entry : snapshot.entries) {
        refs.append(entry.ref);
    }
    m_c.unplayed.addAll(refs);
    // CurrentItem follows its item before the lines are rebuilt, as they centre on it.
    if (!noted.isEmpty()) {
        const auto found = std::find_if(snapshot.entries.begin(), snapshot.entries.end(),
                                        [&noted](const PlayListEntry& entry) { return SameItem(entry.ref, noted); });
        if (found != snapshot.entries.end()) {
            list.setCurrentItem(static_cast<int>(found - snapshot.entries.begin()));
        }
    }
    if (list.CurrentItem() >= static_cast<qsizetype>(snapshot.entries.size())) {
        list.setCurrentItem(-1);  // its item is not in the restored list
    }
    markChanged();
    list.restore(std::move(snapshot));
    updateControls();
}

void PlayListEditor::Undo() {
    if (m_undo.canUndo()) {
        restore(m_undo.takeUndo(m_c.playList.snapshot()));
    }
}

void PlayListEditor::Redo() {
    if (m_undo.canRedo()) {
        restore(m_undo.takeRedo(m_c.playList.snapshot()));
    }
}

void PlayListEditor::updateControls() {
    const PlayList& list = m_c.playList;
    PlayListControls controls;
    const bool hasLines = list.lineCount() > 0;
    controls.removeAll = hasLines;
    controls.remove = hasLines && list.selectedCount() > 0;
    controls.info = UpdatePlayListInfo(-1);
    controls.infoVisible = hasLines && m_c.preferences.components[0] && m_c.preferences.components[7];
    if (!list.isEmpty()) {
        const qsizetype focused = std::clamp<qsizetype>(list.focusedLine(), 0, list.count() - 1);
        const QString& ref = list.item(focused);
        if (IsCDItem(ref)) {
            QString disc = m_c.cdDatabase.discName(GetItemValue(ref, QStringLiteral("CDID"))).left(80);
            if (disc.isEmpty()) {
                disc = QStringLiteral("Unknown CD");
            }
            controls.path = QStringLiteral("Track: ") + GetItemValue(ref, QStringLiteral("T")) +
                            QStringLiteral(", CD: ") + disc;
            controls.pathReadOnly = true;
        } else {
            controls.path = GetItemValue(ref, QStringLiteral("FILE"));
            controls.pathReadOnly = false;
        }
        controls.play = controls.move = controls.browse = true;
    }
    m_controls = controls;
    Q_EMIT clicked();
}

QString PlayListEditor::UpdatePlayListInfo(qsizetype position) const {
    const PlayList& list = m_c.playList;
    const qsizetype shown = position >= 0 ? position : list.focusedLine() + 1;
    return QStringLiteral("&PL: %1 of %2, %3 selected").arg(shown).arg(list.lineCount()).arg(list.selectedCount());
}
