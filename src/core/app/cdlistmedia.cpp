#include "core/app/cdlistmedia.h"

#include "core/cdaudio/cdaudiomode.h"
#include "core/cdaudio/cddialogs.h"
#include "core/cdaudio/cdidentifier.h"
#include "core/common/activelists.h"
#include "core/common/prompter.h"
#include "core/playback/transportpreview.h"
#include "core/playlist/playlisteditor.h"

SourceLines* CDListMedia::lines() {
    return &m_c.mode.list();
}

QString CDListMedia::menuText(qsizetype line) const {
    const CDAudioList& list = m_c.mode.list();
    return list.name(line) + QStringLiteral(" (") + list.lengthText(line) + u')';
}

bool CDListMedia::isShown() const {
    return m_c.mode.isShown();
}

// Only the disc in the drive plays; a stored disc shown by its name has no lengths to play.
bool CDListMedia::canPlay() const {
    return isShown() && m_c.mode.showingDriveCD() && !m_c.mode.list().isEmpty();
}

PlayItem CDListMedia::itemAt(qsizetype line) const {
    const CDAudioList& tracks = m_c.mode.list();
    PlayItem item;
    if (line >= 0 && line < tracks.count()) {
        item.kind = PlayItem::Kind::Disc;
        item.line = line;
        item.track = static_cast<int>(line + 1);
        item.title = tracks.name(line);
    }
    return item;
}

PlayItem CDListMedia::itemToStart(bool) {
    if (!canPlay()) {
        return {};
    }
    const CDAudioList& tracks = m_c.mode.list();
    const qsizetype focused = tracks.focusedLine();
    return itemAt(focused >= 0 && focused < tracks.count() ? focused : 0);
}

void CDListMedia::itemStarted(const PlayItem& item, qint64) {
    CDAudioList& tracks = m_c.mode.list();
    if (item.line == 0) {
        // From the start of the disc.
        tracks.selectOnly(0);
        tracks.setFocusedLine(0);
    }
    m_playingLine = item.line;
    m_c.mode.listClicked();
}

void CDListMedia::playingMovedTo(qsizetype line) {
    m_playingLine = line;
    selectTrackLine(line);
    m_c.mode.listClicked();
}

ListStep CDListMedia::step(int direction) {
    if (!canPlay()) {
        return ListStep::Stay;
    }
    const CDAudioList& tracks = m_c.mode.list();
    const bool playing = m_c.lists.isPlaying(*this) && m_playingLine >= 0;
    const qsizetype from = playing ? m_playingLine : tracks.focusedLine();
    const qsizetype line = from + direction;
    if (from < 0 || line < 0 || line >= tracks.count()) {
        return ListStep::Stay;
    }
    selectTrackLine(line);
    return ListStep::Start;
}

void CDListMedia::selectTrackLine(qsizetype line) {
    CDAudioList& tracks = m_c.mode.list();
    if (line < 0 || line >= tracks.count()) {
        return;
    }
    const qsizetype focused = tracks.focusedLine();
    if (focused >= 0 && focused < tracks.count() && tracks.selectedCount() <= 1) {
        tracks.setSelected(focused, false);
    }
    tracks.setSelected(line, true);
    tracks.setFocusedLine(line);
    tracks.centreLine(line);
}

TransportPreview CDListMedia::preview(bool playing) const {
    if (!canPlay()) {
        return {};
    }
    const CDAudioList& tracks = m_c.mode.list();
    const qsizetype index = playing && m_playingLine >= 0 ? m_playingLine : tracks.focusedLine();
    return PreviewLines(
        tracks, [&tracks](qsizetype line) { return tracks.name(line); }, index);
}

void CDListMedia::copy() {
    m_c.editor.copyReferences(selectedItems());
}

// Rename and Delete act on the disc shown; with no disc there is nothing to act on.
bool CDListMedia::canRename() const {
    const CDAudioList& tracks = m_c.mode.list();
    return isShown() && m_c.mode.renameDeleteEnabled() && tracks.cdid().has_value() && !tracks.isEmpty();
}

void CDListMedia::rename() {
    m_c.mode.renameTracks();
}

void CDListMedia::remove() {
    m_c.mode.removeDisc();
}

void CDListMedia::selectPlayingLine() {
    m_c.mode.selectPlayingLine(static_cast<int>(m_playingLine));
}

void CDListMedia::editItem() {
    m_c.prompter.showMessage(Prompter::Kind::Error, QStringLiteral("You cannot edit CD Audio tracks."));
}

MediaList::CommandTexts CDListMedia::renameTexts() const {
    return {QStringLiteral("&Rename Track..."), QStringLiteral("Edits the CD Database entry for this CD"),
            QStringLiteral("&Rename..."),
            QStringLiteral("Renames the current track \rin the CD Audio List to the right|")};
}

MediaList::CommandTexts CDListMedia::deleteTexts() const {
    return {QStringLiteral("&Delete CD From Database..."),
            QStringLiteral("Removes the entry for this CD from the CD Database"), QString(),
            QStringLiteral("Remove the current CD from the database|")};
}

bool CDListMedia::canAdd() const {
    return isShown() && m_c.mode.addEnabled() && selectedCount() > 0;
}

bool CDListMedia::canAddAll() const {
    return isShown() && m_c.mode.addAllEnabled() && lineCount() > 0;
}

QString CDListMedia::addHint(bool all) const {
    return all ? QStringLiteral("Adds all the items in the CD\rAudio List to the Play List|")
               : QStringLiteral("Adds the selected items(s) in the\rCD Audio List to the Play List|");
}

QStringList CDListMedia::selectedItems() const {
    return m_c.mode.list().selectedItems();
}

QStringList CDListMedia::allItems() const {
    return m_c.mode.list().allItems();
}

void CDListMedia::linesClicked() {
    m_c.mode.listClicked();
}

qint32 CDListMedia::discIdentifier(MediaDevice& device) const {
    return ComputeCDID(device);
}

DiscRequests::Answer CDListMedia::askForDisc(std::optional<qint32> cdid) {
    CDDialogs* dialogs = m_c.mode.dialogs();
    if (!dialogs) {
        return Answer::CannotAsk;
    }
    m_c.mode.setCurrentCDName(cdid ? m_c.mode.storedName(*cdid) : CDAudioMode::kUnknownCD);
    switch (dialogs->askForDisc(m_c.mode.currentCDName(), true)) {
        case CDDialogs::InsertAnswer::Retry:
            return Answer::Retry;
        case CDDialogs::InsertAnswer::Ignore:
            return Answer::Ignore;
        case CDDialogs::InsertAnswer::Cancel:
            break;
    }
    return Answer::Cancel;
}

void CDListMedia::showTrackStarting(qint32 cdid, int track) {
    const CDAudioList& tracks = m_c.mode.list();
    if (isShown() && tracks.isEnabled() && m_c.mode.showingDriveCD() && tracks.cdid() == cdid) {
        selectTrackLine(track - 1);
    }
}
