// The commands of File Management Mode, of the Play List file on disk and of finding.

#include "core/app/appsession.h"

#include "core/common/prompter.h"
#include "core/common/shell.h"
#include "core/files/playlistfind.h"
#include "core/common/itemref.h"

#include <QDir>
#include <QUrl>

namespace {

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

}  // namespace

void AppSession::declareFileManagementCommands() {
    const auto enterMode = [this] {
        if (m_cdAudioModeShown) {
            leaveCDAudioMode();
        }
        m_fileManagement.enterMode();
        updateFileListVisibility();
        Q_EMIT componentsChanged();
    };
    m_commands.bind(latin("FileManModeM"), enterMode);
    m_commands.add(latin("PanelFile"), enterMode);
    m_commands.bind(latin("RenPLM"), [this] { m_fileCommands.renamePlayListFile(); });
    m_commands.bind(latin("DelPLM"), [this] { m_fileCommands.deletePlayListFile(); });
    m_commands.bind(latin("FindAgainM"), [this] {
        FindInPlayList(m_playList, m_editor, m_ports.prompter, &m_busy, m_playList.focusedLine() + 1,
                       m_searchModel.searchText(), m_searchModel.matchCase());
    });
    m_commands.bind(latin("NewDirM"), [this] { m_fileCommands.createFolder(); });
    m_commands.add(latin("NewDirBtn"), [this] { m_fileCommands.createFolder(); });
    m_commands.bind(latin("ShowFolderOfThisFileM"), [this] { m_fileCommands.showFolderOfCurrentItem(); });
    if (m_ports.shell) {
        // The file manager opens the folder; there is one way to ask for it here, for both items.
        const auto openFolder = [this] {
            const QString folder = m_fileManagement.currentFolder();
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
    m_commands.addStateRule([this](CommandStates& states) { fileManagementStates(states); });
}

SearchDialogModel::Opening AppSession::searchOpening(const QString& droppedFolder) const {
    return {!m_playList.isEmpty(), m_fileManagement.files().mask().text(), m_preferences.filter,
            m_fileManagement.currentFolder(), droppedFolder};
}

void AppSession::fileManagementStates(CommandStates& states) const {
    const bool shown = m_fileManagement.isVisible();
    const bool rightSide = isOn(m_preferences.components, Component::FileList);
    states[latin("PanelFile")].enabled = rightSide;
    states[latin("FileManagementM")].enabled = true;
    states[latin("FindM")].enabled = !m_fileSearch.isRunning();
    states[latin("FindAgainM")].enabled = !m_searchModel.searchText().isEmpty() && !m_playList.isEmpty();
    for (const char* name : {"NewDirM", "NewDirBtn"}) {
        states[latin(name)].enabled = shown;
    }
    // New Folder goes with the right-hand lists.
    states[latin("NewDirM")].visible = rightSide;
    for (const char* name : {"OpenInMyComputerM", "ExploreM"}) {
        states[latin(name)].enabled = shown && m_ports.shell != nullptr;
    }
    const qsizetype focused = m_playList.focusedLine();
    states[latin("ShowFolderOfThisFileM")].enabled =
        focused >= 0 && focused < m_playList.count() && !IsCDItem(m_playList.item(focused));
    for (const char* name : {"RenPLM", "DelPLM"}) {
        states[latin(name)].enabled = !m_document.fileName().isEmpty();
    }
}
