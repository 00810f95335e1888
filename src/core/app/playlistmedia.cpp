#include "core/app/playlistmedia.h"

#include "core/app/filelistmedia.h"
#include "core/playlist/itemset.h"
#include "core/common/activelists.h"
#include "core/common/busyindicator.h"
#include "core/common/filetitle.h"
#include "core/files/filecommands.h"
#include "core/playback/lengthcalculator.h"
#include "core/playback/playlogs.h"
#include "core/playlist/playorder.h"
#include "core/playback/positionfinder.h"
#include "core/playback/progressindicators.h"
#include "core/playback/transportpreview.h"
#include "core/common/itemref.h"
#include "core/playlist/playlist.h"
#include "core/playlist/playlisteditor.h"
#include "core/settings/preferences.h"

#include <algorithm>

namespace {

// The file name of a line: the text after the last folder separator.
QString titleOfLine(const QString& line) {
    return line.mid(FileNameStart(line));
}

}  // namespace

SourceLines* PlayListMedia::lines() {
    return &m_c.playList;
}

QString PlayListMedia::menuText(qsizetype line) const {
    return m_c.playList.line(line);
}

bool PlayListMedia::linePlayed(qsizetype line) const {
    return m_c.played.contains(m_c.playList.item(line));
}

bool PlayListMedia::canPlay() const {
    return m_c.playList.count() > 0;
}

PlayItem PlayListMedia::itemAt(qsizetype line) const {
    const PlayList& list = m_c.playList;
    PlayItem item;
    if (line < 0 || line >= list.count()) {
        return item;
    }
    const QString& ref = list.item(line);
    item.line = line;
    // A title from tags may hold a "/" of its own ("Either/Or").
    const QString shown = line < list.lineCount() ? list.line(line) : ref;
    item.title = list.showsTagTitle(line) ? shown : titleOfLine(shown);
    if (IsCDItem(ref)) {
        item.kind = PlayItem::Kind::Track;
        bool number = false;
        const qint32 cdid = GetItemValue(ref, QStringLiteral("CDID")).toInt(&number);
        if (number) {
            item.cdid = cdid;
        }
        item.track = GetItemValue(ref, QStringLiteral("T")).toInt();
    } else {
        item.kind = PlayItem::Kind::File;
        item.path = GetItemValue(ref, QStringLiteral("FILE"));
    }
    return item;
}

PlayItem PlayListMedia::itemToStart(bool user) {
    PlayList& list = m_c.playList;
    if (list.isEmpty()) {
        return {};
    }
    const auto& modes = m_c.preferences.indicatorModes;
    if (std::any_of(modes.begin(), modes.end(), [](int mode) { return mode / 10 % 10 == 1; })) {
        m_c.lengths.PlayListLength(LengthCalculator::Kind::WholePlayList);
    }
    if (list.selectedCount() == 0) {
        qsizetype line = list.focusedLine() < 0 ? 0 : list.focusedLine();
        if (m_c.preferences.randomPlay && list.lineCount() > 1) {
            // Any line but the focused one; drawing among the others needs one draw only.
            const qsizetype drawn = m_c.order.draw(list.lineCount() - 1);
            line = drawn < line ? drawn : drawn + 1;
        } else if (m_c.preferences.randomPlay) {
            line = 0;
        }
        // The line drawn is the one that plays: it takes the focus as well as the selection.
        list.setFocusedLine(line);
        list.setSelected(line, true);
    }
    if (user) {
        list.setCurrentItem(static_cast<int>(std::max<qsizetype>(list.focusedLine(), 0)));
    }
    if (list.CurrentItem() < 0 || list.CurrentItem() >= list.count()) {
        list.setCurrentItem(0);
    }
    return itemAt(list.CurrentItem());
}

void PlayListMedia::itemStarted(const PlayItem& item, qint64 length) {
    PlayList& list = m_c.playList;
    m_c.lengths.markCurrentChanged();
    list.setPlayListPlaying(true);
    if (!m_continuing) {
        m_c.order.ResetPlayed();
    }
    m_c.order.MarkPlayed(list.item(item.line), true);
    if (length > 0) {
        list.setLength(item.line, length);
    }
    m_continuing = false;
    if (m_c.logs) {
        m_c.logs->itemStarted(logName(item));
    }
}

PlayItem PlayListMedia::itemAgain(const PlayItem& item) const {
    // The current item follows every edit; the line the item stood on may hold another item by now.
    PlayItem now = item;
    now.line = m_c.playList.CurrentItem();
    return MediaList::itemAgain(now);
}

void PlayListMedia::itemFailed(const PlayItem& item, const QString& reason) {
    m_c.order.ResetPlayed();
    m_continuing = false;
    if (m_c.logs && item.kind != PlayItem::Kind::None) {
        m_c.logs->itemFailed(logName(item), reason);
    }
}

QString PlayListMedia::logName(const PlayItem& item) const {
    if (item.kind == PlayItem::Kind::File) {
        return item.path;
    }
    return item.line >= 0 && item.line < m_c.playList.count() ? m_c.playList.item(item.line) : item.title;
}

void PlayListMedia::playingLeft() {
    m_c.playList.setPlayListPlaying(false);
    m_continuing = false;
}

qsizetype PlayListMedia::playingLine() const {
    return m_c.playList.CurrentItem();
}

ListStep PlayListMedia::step(int direction) {
    PlayList& list = m_c.playList;
    if (m_c.lists.playListFocused() && list.CurrentItem() == -1) {
        list.setCurrentItem(static_cast<int>(list.focusedLine()));
    }
    return m_c.lists.playListPlays() ? choose(direction) : stepFromFocus(direction);
}

ListStep PlayListMedia::stepFromFocus(int direction) {
    PlayList& list = m_c.playList;
    const qsizetype focused = list.focusedLine();
    const qsizetype target = focused + direction;
    if (list.selectedCount() == 1 && target >= 0 && target < list.lineCount()) {
        list.setCurrentItem(static_cast<int>(target));
    } else if (m_c.preferences.loopPlayList) {
        list.setCurrentItem(static_cast<int>(direction > 0 ? 0 : list.lineCount() - 1));
    } else {
        return ListStep::Stay;
    }
    if (list.selectedCount() > 1) {
        list.setCurrentItem(static_cast<int>(focused));
    }
    if (direction < 0) {
        focusCurrentItem(false);
        m_continuing = true;
    } else if (list.lineCount() > 0) {
        focusCurrentItem(true);
    }
    return ListStep::Start;
}

ListStep PlayListMedia::choose(int direction) {
    PlayList& list = m_c.playList;
    if (list.lineCount() == 0) {
        return ListStep::End;
    }
    PlayOrder& order = m_c.order;
    const bool back = direction < 0;
    const PlayOrder::Choice choice = m_c.preferences.randomPlay
                                         ? (back ? order.previousAtRandom() : order.nextAtRandom())
                                         : (back ? order.previousInOrder() : order.nextInOrder());
    switch (choice) {
        case PlayOrder::Choice::SequentialEnd:
            return ListStep::End;
        case PlayOrder::Choice::RandomEnd:
            return ListStep::EndAndForget;
        case PlayOrder::Choice::Dropped:
            return ListStep::Stay;  // the current item plays on
        case PlayOrder::Choice::Chosen:
            break;
    }
    m_continuing = true;
    focusCurrentItem(!back);
    return ListStep::Start;
}

ListStep PlayListMedia::afterItem() {
    return m_c.preferences.autoPlay ? choose(+1) : ListStep::Idle;
}

PlayItem PlayListMedia::itemToQueue() const {
    // A random choice is drawn when the item ends, so it is not known before.
    if (!m_c.preferences.autoPlay || m_c.preferences.randomPlay || !m_c.lists.playListPlays()) {
        return {};
    }
    return itemAt(m_c.order.lineAfterCurrent());
}

void PlayListMedia::focusCurrentItem(bool selectWhenSingle) {
    PlayList& list = m_c.playList;
    if (list.selectedCount() <= 1 && list.focusedLine() >= 0 && list.focusedLine() < list.lineCount()) {
        list.setSelected(list.focusedLine(), false);
    }
    list.setFocusedLine(list.CurrentItem());
    if (!selectWhenSingle || list.selectedCount() <= 1) {
        list.setSelected(list.CurrentItem(), true);
    }
    list.centreLine(list.CurrentItem());
}

TransportPreview PlayListMedia::preview(bool playing) const {
    const PlayList& list = m_c.playList;
    const int current = list.CurrentItem();
    const bool currentShown = current >= 0 && current < list.lineCount();
    const qsizetype index = playing && currentShown ? current : list.focusedLine();
    return PreviewPlayList(list, m_c.order, m_c.played, m_c.preferences, index);
}

QString PlayListMedia::titlePrefix() const {
    return QString::number(m_c.order.playNumber()) + QStringLiteral(". ");
}

bool PlayListMedia::pausesBetweenItems() const {
    return m_c.preferences.delayEnabled;
}

bool PlayListMedia::jumpToTotal(qint64 position, qint64& offset) {
    PlayList& list = m_c.playList;
    FoundPosition found;
    {
        // Only the random walk can take long enough to need telling.
        BusyScope busy(
            m_c.preferences.randomPlay ? m_c.busy : nullptr,
            QStringLiteral(" Please wait while Velmaro finds the new position in the Play List..."));
        found = FindPositionInPlayList(list, m_c.order, m_c.played, m_c.preferences.randomPlay,
                                       m_c.indicators.playingSelection(), position,
                                       [this](qsizetype bound) { return m_c.order.draw(bound); });
    }
    if (found.line < 0) {
        return false;
    }
    list.setCurrentItem(static_cast<int>(found.line));
    if (list.selectedCount() == 1) {
        list.clearSelection();
    }
    list.setSelected(found.line, true);
    list.setFocusedLine(found.line);
    list.centreLine(found.line);
    m_continuing = true;
    offset = found.offset;
    return true;
}

void PlayListMedia::copy() {
    m_c.editor.Copy();
}

void PlayListMedia::rename() {
    m_c.files.renamePlayListFiles();
}

void PlayListMedia::remove() {
    m_c.files.deletePlayListFiles();
}

bool PlayListMedia::canSelectPlayingLine() const {
    const int current = m_c.playList.CurrentItem();
    return m_c.lists.playListFocused() && m_c.lists.playListPlays() && current >= 0 &&
           current < m_c.playList.lineCount();
}

void PlayListMedia::selectPlayingLine() {
    m_c.editor.SelectPlayingItem();
}

void PlayListMedia::editItem() {
    m_c.editor.EditItem();
}

QString PlayListMedia::propertiesFile() const {
    const PlayList& list = m_c.playList;
    const qsizetype line = list.selectedCount() > 0 ? list.singleLine() : -1;
    if (line >= 0 && line < list.count() && !IsCDItem(list.item(line))) {
        return GetItemValue(list.item(line), QStringLiteral("FILE"));
    }
    return QString();
}

MediaList::CommandTexts PlayListMedia::renameTexts() const {
    return FileRenameTexts();
}

MediaList::CommandTexts PlayListMedia::deleteTexts() const {
    return FileDeleteTexts();
}

void PlayListMedia::linesClicked() {
    m_c.editor.updateControls();
}
