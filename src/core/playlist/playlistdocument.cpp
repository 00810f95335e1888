#include "core/playlist/playlistdocument.h"

#include "core/common/activelists.h"
#include "core/cdaudio/cddatabase.h"
#include "core/common/busyindicator.h"
#include "core/common/prompter.h"
#include "core/common/textfile.h"
#include "core/common/filetitle.h"
#include "core/playlist/itemdisplay.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/playlist/playlistfile.h"
#include "core/settings/preferences.h"

#include <QFileInfo>

namespace {

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

}  // namespace

PlayListDocument::PlayListDocument(Context context, QObject* parent)
    : QObject(parent), m_context(std::move(context)) {}

void PlayListDocument::setChanged(bool changed) {
    if (m_changed == changed) {
        return;
    }
    m_changed = changed;
    Q_EMIT changedStateChanged(changed);
}

void PlayListDocument::setFileName(const QString& name) {
    if (m_fileName == name) {
        return;
    }
    m_fileName = name;
    Q_EMIT fileNameChanged(name);
}

void PlayListDocument::fileMoved(const QString& path) {
    const QString from = m_fileName;
    setFileName(path);
    if (!from.isEmpty() && !path.isEmpty() && from != path) {
        Q_EMIT fileRenamed(from, path);
    }
}

QString PlayListDocument::albumPanelCaption() const {
    const QString title = m_fileName.isEmpty() ? QStringLiteral("N / A") : PlayListFileTitle(m_fileName);
    return QStringLiteral(" Play List: ") + title;
}

PlayListDocument::SavePrompt PlayListDocument::promptToSaveChanges() {
    if (m_context.playList.isEmpty() || !m_changed) {
        return SavePrompt::NotNeeded;
    }
    switch (m_context.prompter.askSaveChangedPlayList()) {
        case Prompter::Answer::Yes:
            // A save that did not happen (dialog cancelled, write failed) must not let the edits go.
            return SavePlayList(false) ? SavePrompt::Saved : SavePrompt::Cancelled;
        case Prompter::Answer::No:
            return SavePrompt::NotSaved;
        default:
            return SavePrompt::Cancelled;
    }
}

bool PlayListDocument::OpenPlayList(const QString& name, bool addToHistory, bool startPlaying) {
    if (promptToSaveChanges() == SavePrompt::Cancelled) {
        return false;
    }
    UpdatePlayListFile(true);

    QString path = name;
    if (path.isEmpty()) {
        path = m_context.prompter.chooseOpenPlayList(m_context.preferences.openFolder);
        if (path.isEmpty()) {
            return false;
        }
        m_context.preferences.openFolder = folderOf(path);
    }
    const TextFile::ReadResult file = TextFile::readLines(path);
    if (!file.exists) {
        m_context.prompter.showMessage(Prompter::Kind::Error,
                                       QStringLiteral("Unable to open the specified Play List. You\r"
                                                      "have probably renamed the file or deleted it."));
        return false;
    }
    if (!file.ok) {
        m_context.prompter.showMessage(Prompter::Kind::Error,
                                       QStringLiteral("Unable to read the Play List \"%1\".\r\n\r\n"
                                                      "The error message returned was: %2")
                                           .arg(path, file.error));
        return false;
    }

    Q_EMIT aboutToLoad();
    m_context.cdDatabase.reload(m_context.cdDatabasePath);

    PlayList& playList = m_context.playList;
    m_context.unplayedItems.clear();
    setChanged(false);
    PlayListFile::Contents contents = PlayListFile::parse(file.lines);
    playList.setEntries(std::move(contents.entries));
    playList.setCurrentItem(0);
    if (!contents.lastPlayed.isEmpty()) {
        const qsizetype remembered = playList.scanForItem(contents.lastPlayed);
        if (remembered >= 0) {
            playList.setCurrentItem(static_cast<int>(remembered));
        }
    }

    playList.setPlayListPlaying(false);
    playList.RedrawPlayList(false);
    if (!playList.isEmpty()) {
        if (playList.CurrentItem() >= playList.count()) {
            playList.setCurrentItem(0);
        }
        playList.selectOnly(playList.CurrentItem());
        playList.setFocusedLine(playList.CurrentItem());
        playList.centreLine(playList.CurrentItem());
    }

    m_context.lists.setFocused(m_context.lists.playList());
    if (m_context.lists.playListPlays()) {
        m_context.lists.setPlaying(nullptr);
    }
    setFileName(path);
    setChanged(false);
    m_lastPlayedInFile = PlayListFile::lastPlayedFor(playList);
    if (addToHistory) {
        Q_EMIT historyEntry(path);
    }
    Q_EMIT loaded(path);

    const bool resume = !playList.isEmpty() && playList.CurrentItem() != -1 &&
                        !m_context.lists.otherListPlays() &&
                        m_context.preferences.startPlaying;
    if (resume || startPlaying) {
        Q_EMIT playRequested();
    }
    return true;
}

bool PlayListDocument::SavePlayList(bool saveAs) {
    QString path = m_fileName;
    if (path.isEmpty() || saveAs) {
        path = m_context.prompter.chooseSavePlayList(m_context.preferences.saveFolder);
        if (path.isEmpty()) {
            return false;
        }
        m_context.preferences.saveFolder = folderOf(path);
    }
    if (!writePlayList(path)) {
        return false;
    }
    setFileName(path);
    setChanged(false);
    Q_EMIT historyEntry(path);
    return true;
}

bool PlayListDocument::UpdatePlayListFile(bool fromDisk) {
    if (m_fileName.isEmpty()) {
        return true;
    }
    if (!fromDisk) {
        return writePlayList(m_fileName);
    }
    const TextFile::ReadResult file = TextFile::readLines(m_fileName);
    if (file.exists && !file.ok) {
        // Writing now would replace items we could not read.
        m_context.prompter.showMessage(Prompter::Kind::Error,
                                       QStringLiteral("Unable to read the Play List \"%1\".\r\n\r\n"
                                                      "The error message returned was: %2")
                                           .arg(m_fileName, file.error));
        return false;
    }
    // The list was not saved: the file keeps what it says, and learns only the lengths measured and the
    // item played last. A file that is gone is written again with the header alone.
    const QString lastPlayed = PlayListFile::lastPlayedFor(m_context.playList);
    const bool playedElsewhere = !file.exists || lastPlayed != m_lastPlayedInFile;
    QStringList lines;
    {
        BusyScope busy(file.lines.size() > kLongUpdateLines ? m_context.busy : nullptr,
                       QStringLiteral(" Please wait while Velmaro updates certain information in the "
                                      "current Play List..."));
        busy.progress(0, file.lines.size());
        lines = PlayListFile::update(file.lines, m_context.playList.entries(),
                                     playedElsewhere ? std::optional<QString>(lastPlayed) : std::nullopt);
        busy.progress(file.lines.size(), file.lines.size());
    }
    if (file.exists && lines == file.lines) {
        return true;
    }
    if (!writeFile(m_fileName, lines)) {
        return false;
    }
    m_lastPlayedInFile = lastPlayed;
    return true;
}

bool PlayListDocument::writePlayList(const QString& path) {
    const qsizetype count = m_context.playList.count();
    const QString lastPlayed = PlayListFile::lastPlayedFor(m_context.playList);
    QStringList lines;
    {
        BusyScope busy(count > kLongUpdateLines ? m_context.busy : nullptr,
                       QStringLiteral(" Please wait while Velmaro updates certain information in the "
                                      "current Play List..."));
        busy.progress(0, count);
        lines = PlayListFile::composeEntries(m_context.playList.entries(), lastPlayed);
        busy.progress(count, count);
    }
    if (!writeFile(path, lines)) {
        return false;
    }
    m_lastPlayedInFile = lastPlayed;
    return true;
}

bool PlayListDocument::NewPlayList() {
    if (promptToSaveChanges() == SavePrompt::Cancelled) {
        return false;
    }
    PlayList& playList = m_context.playList;
    playList.clearEntries();
    playList.clearLines();
    playList.setCurrentItem(-1);
    playList.setPlayListPlaying(false);
    m_context.unplayedItems.clear();
    if (m_context.lists.playListPlays()) {
        m_context.lists.setPlaying(nullptr);
    }
    setChanged(false);
    setFileName(QString());
    Q_EMIT cleared();
    return true;
}

bool PlayListDocument::writeFile(const QString& path, const QStringList& lines) {
    const QString error = TextFile::writeLines(path, lines);
    if (error.isEmpty()) {
        return true;
    }
    m_context.prompter.showMessage(Prompter::Kind::Error,
                                   QStringLiteral("Unable to save the Play List \"%1\".\r\n\r\n"
                                                  "The error message returned was: %2\r\n\r\n"
                                                  "The file on disk was left as it was.")
                                       .arg(path, error));
    return false;
}
