// The commands of File Management Mode and of the lists the selection commands share.

#include "core/app/appsession.h"

#include "core/common/prompter.h"
#include "core/common/shell.h"
#include "core/files/playlistfind.h"
#include "core/playlist/itemref.h"

#include <QDir>
#include <QUrl>

namespace {

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

}  // namespace

void AppSession::declareFileManagementCommands() {
    const auto enterMode = [this] {
        if (m_run.cdAudioModeShown) {
            leaveCDAudioMode();
        }
        m_fileManagement.enterMode();
        updateFileListVisibility();
        Q_EMIT componentsChanged();
    };
    m_commands.bind(latin("FileManModeM"), enterMode);
    m_commands.add(latin("PanelFile"), enterMode);
    m_commands.add(latin("PlayFileListSI"), [this] {
        m_controller.PlayFromFileList(PlaybackController::Sender::User, -1);
    });
    m_commands.add(latin("PlayPlayListSI"), [this] { m_controller.playFocusedItem(); });
    // Rename and Delete act on the list that has the focus: in CD Audio Mode, on the disc shown.
    const auto rename = [this] {
        if (m_run.focusList == ActiveList::CDList && m_cdAudio.isShown()) {
            m_cdAudio.renameTracks();
        } else {
            m_fileCommands.renameOrMove();
        }
    };
    const auto remove = [this] {
        if (m_run.focusList == ActiveList::CDList && m_cdAudio.isShown()) {
            m_cdAudio.removeDisc();
        } else {
            m_fileCommands.deleteSelected();
        }
    };
    m_commands.bind(latin("RenM"), rename);
    m_commands.bind(latin("DelM"), remove);
    m_commands.add(latin("RenBtn"), rename);
    m_commands.add(latin("DelBtn"), remove);
    m_commands.bind(latin("RenPLM"), [this] { m_fileCommands.renamePlayListFile(); });
    m_commands.bind(latin("DelPLM"), [this] { m_fileCommands.deletePlayListFile(); });
    m_commands.bind(latin("FindAgainM"), [this] {
        FindInPlayList(m_playList, m_editor, m_ports.prompter, &m_busy, m_playList.focusedLine() + 1,
                       m_searchModel.searchText(), m_searchModel.matchCase());
    });
    m_commands.bind(latin("EditItemM"), [this] {
        if (m_externalEditors) {
            m_externalEditors->EditItem();
        }
    });
    m_commands.bind(latin("NewDirM"), [this] { m_fileCommands.createFolder(); });
    m_commands.add(latin("NewDirBtn"), [this] { m_fileCommands.createFolder(); });
    m_commands.bind(latin("PropertiesM"), [this] { m_fileCommands.showProperties(); });
    m_commands.bind(latin("ShowFolderOfThisFileM"), [this] { m_fileCommands.showFolderOfCurrentItem(); });
    if (m_ports.shell) {
        // The file manager opens the folder; there is one way to ask for it here, for both items.
        const auto openFolder = [this] {
            const QString folder = m_run.currentFolder;
            if (!m_ports.shell->openUrl(QUrl::fromLocalFile(folder).toString())) {
                // Without an opener the desktop only writes a line to stderr, which nobody sees.
                m_ports.prompter.showMessage(
                    Prompter::Kind::Warning,
                    QStringLiteral(
                        "Velmaro could not open the folder \"%1\" in the file manager: the desktop has no "
                        "program that opens folders.\r\n\r\nPlease install the package xdg-utils (it "
                        "provides xdg-open) and a file manager, then try again.")
                        .arg(QDir::toNativeSeparators(folder)));
            }
        };
        m_commands.bind(latin("OpenInMyComputerM"), openFolder);
        m_commands.bind(latin("ExploreM"), openFolder);
    }
    m_commands.add(latin("SelectItemCurrentlyBeingPlayedFLM"), [this] {
        if (m_run.playbackSource == PlaybackSource::CDList && m_cdAudio.isShown()) {
            m_cdAudio.selectPlayingLine(m_controller.currentTrackIndex());
        } else {
            m_fileManagement.selectPlayingLine();
        }
    });
    // The selection commands act on the list that has the focus: the Play List or the File List.
    m_commands.bind(latin("SelectAllM"), [this] { runOnFocusedList(&PlayListEditor::SelectAll, &FileList::selectAll); });
    m_commands.bind(latin("UnselectAllM"),
                    [this] { runOnFocusedList(&PlayListEditor::UnselectAll, &FileList::clearSelection); });
    m_commands.bind(latin("InvertSelectionM"),
                    [this] { runOnFocusedList(&PlayListEditor::InvertSelection, &FileList::invertSelection); });
    m_commands.bind(latin("SelectPlayingItemM"), [this] {
        if (m_run.playbackSource == PlaybackSource::CDList && m_cdAudio.isShown()) {
            m_cdAudio.selectPlayingLine(m_controller.currentTrackIndex());
        } else if (m_run.playbackSource == PlaybackSource::FileList) {
            m_fileManagement.selectPlayingLine();
        } else {
            m_editor.SelectPlayingItem();
        }
    });
}

SearchDialogModel::Opening AppSession::searchOpening(const QString& droppedFolder) const {
    return {!m_playList.isEmpty(), m_fileManagement.files().mask().text(), m_preferences.filter,
            m_fileManagement.folders().folder(), droppedFolder};
}

void AppSession::runOnFocusedList(void (PlayListEditor::*onPlayList)(), void (FileList::*onFileList)()) {
    if (m_run.focusList == ActiveList::CDList && m_cdAudio.isShown()) {
        CDAudioList& tracks = m_cdAudio.list();
        if (onFileList == &FileList::selectAll) {
            tracks.selectAll();
        } else if (onFileList == &FileList::clearSelection) {
            tracks.clearSelection();
        } else {
            tracks.invertSelection();
        }
        m_cdAudio.listClicked();
    } else if (m_run.focusList == ActiveList::FileList && m_fileManagement.isVisible()) {
        (m_fileManagement.files().*onFileList)();
        m_fileManagement.fileListClicked();
    } else {
        (m_editor.*onPlayList)();
    }
}

void AppSession::fileManagementStates(QHash<QString, CommandState>& states) const {
    const FileManagement& files = m_fileManagement;
    const bool shown = files.isVisible();
    const bool fileListActive = m_run.focusList == ActiveList::FileList && shown;
    states[latin("AddBtn")].enabled = shown && files.addEnabled();
    states[latin("AddAllBtn")].enabled = shown && files.addAllEnabled() && !files.files().isEmpty();
    states[latin("PanelFile")].enabled = isOn(m_preferences.components, Component::FileList);
    states[latin("PlayPlayListSI")].enabled = m_controller.transport().play && m_playList.lineCount() > 0;
    states[latin("PlayFileListSI")].enabled = shown && files.playEnabled() && files.files().selectedCount() > 0;
    const bool playingFromFiles = m_run.playbackSource == PlaybackSource::FileList && shown &&
                                  files.files().playingLine() >= 0;
    states[latin("SelectItemCurrentlyBeingPlayedFLM")].enabled = playingFromFiles;
    if (fileListActive) {
        for (const char* name : {"SelectAllM", "UnselectAllM", "InvertSelectionM"}) {
            states[latin(name)].enabled = !files.files().isEmpty();
        }
        states[latin("CopyM")].enabled = files.files().selectedCount() > 0;
    }
    if (playingFromFiles) {
        states[latin("SelectPlayingItemM")].enabled = true;
    }
    // Rename and Delete act on the list that has the focus.
    const bool onFiles = m_run.focusList == ActiveList::FileList || m_run.focusList == ActiveList::FolderList;
    const bool renameDelete = onFiles ? shown && files.renameDeleteEnabled() : m_playList.lineCount() > 0;
    for (const char* name : {"RenBtn", "DelBtn", "RenM", "DelM"}) {
        states[latin(name)].enabled = renameDelete;
    }
    states[latin("AddBtn")].hint = QStringLiteral("Adds the selected items(s)\rin the File List to the Play List|");
    states[latin("AddAllBtn")].hint = QStringLiteral("Adds all the items in the\rFile List to the Play List|");
    states[latin("RenBtn")].hint = QStringLiteral("Rename or move the current file(s) or\rthe folder in the List that has focus|");
    states[latin("DelBtn")].hint = QStringLiteral("Delete the current file(s) or the\rfolder in the List that has focus|");
    states[latin("RenBtn")].caption = QStringLiteral("R&nm / Move...");
    states[latin("RenM")].caption = QStringLiteral("&Rename / Move File or Folder...");
    states[latin("RenM")].hint = QStringLiteral("Renames or moves the selected file(s)");
    states[latin("DelM")].caption = QStringLiteral("&Delete File or Folder");
    states[latin("DelM")].hint = QStringLiteral("Deletes or sends the selected file(s) to the Trash");
    states[latin("FileManagementM")].enabled = true;
    states[latin("EditItemM")].enabled = m_externalEditors != nullptr;
    states[latin("FindM")].enabled = !m_fileSearch.isRunning();
    states[latin("FindAgainM")].enabled = !m_searchModel.searchText().isEmpty() && !m_playList.isEmpty();
    for (const char* name : {"NewDirM", "NewDirBtn"}) {
        states[latin(name)].enabled = shown;
    }
    for (const char* name : {"OpenInMyComputerM", "ExploreM"}) {
        states[latin(name)].enabled = shown && m_ports.shell != nullptr;
    }
    states[latin("PropertiesM")].enabled = m_fileCommands.propertiesAvailable();
    const qsizetype focused = m_playList.focusedLine();
    states[latin("ShowFolderOfThisFileM")].enabled =
        focused >= 0 && focused < m_playList.count() && !IsCDItem(m_playList.item(focused));
    for (const char* name : {"RenPLM", "DelPLM"}) {
        states[latin(name)].enabled = !m_document.fileName().isEmpty();
    }
    states[latin("AddM")].enabled = shown && files.files().selectedCount() > 0;
    states[latin("AddAllM")].enabled = shown && !files.files().isEmpty();
}
