#include "gui/app/editcommands.h"

#include "core/app/appsession.h"
#include "core/common/clipboard.h"
#include "core/settings/shortcuts.h"
#include "core/shell/editcommandstates.h"
#include "core/shell/mainlayout.h"
#include "gui/app/mainmenu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

EditCommands::EditCommands(MainMenu& menu, AppSession& session, const Clipboard& clipboard, QObject* parent)
    : QObject(parent), m_menu(menu), m_session(session), m_clipboard(clipboard) {
    PlayListEditor& editor = session.editor();
    const std::pair<const char*, void (PlayListEditor::*)()> commands[] = {
        {"UndoM", &PlayListEditor::Undo},
        {"RedoM", &PlayListEditor::Redo},
        {"CutM", &PlayListEditor::Cut},
        {"CopyM", &PlayListEditor::Copy},
        {"PasteM", &PlayListEditor::Paste},
        {"RemoveM", &PlayListEditor::RemoveSelectedItems},
        {"RemoveAllM", &PlayListEditor::RemoveAll},
        {"SelectAllM", &PlayListEditor::SelectAll},
        {"UnselectAllM", &PlayListEditor::UnselectAll},
        {"InvertSelectionM", &PlayListEditor::InvertSelection},
        {"SelectPlayingItemM", &PlayListEditor::SelectPlayingItem},
        {"ResetPlayedStatusAllM", &PlayListEditor::ResetPlayedStatusAll},
        {"ResetPlayedStatusSelectedM", &PlayListEditor::TogglePlayedStatusSelected},
        {"MoveUpM", &PlayListEditor::MoveUp},
        {"MoveDownM", &PlayListEditor::MoveDown},
        {"SortAlphabeticallyM", &PlayListEditor::SortAlphabetically},
        {"SortRandomlyM", &PlayListEditor::SortRandomly},
        {"RemoveDuplicateItemsM", &PlayListEditor::RemoveDuplicateItems},
        {"RemoveNonExistantItemsM", &PlayListEditor::RemoveNonExistentItems},
    };
    for (const auto& [name, command] : commands) {
        m_menu.connectCommand(QString::fromLatin1(name), [&editor, command = command] { (editor.*command)(); });
    }
    m_menu.connectCommand(QStringLiteral("AddM"), [&editor] { editor.AddSelectedItems(false); });
    m_menu.connectCommand(QStringLiteral("AddAllM"), [&editor] { editor.AddSelectedItems(true); });

    connect(m_menu.menu(QStringLiteral("EditM")), &QMenu::aboutToShow, this, [this] {
        m_session.editor().undoHistory().editMenuOpened();
        refresh();
    });
    for (const char* name : {"PlayListM", "OrganizeM"}) {
        connect(m_menu.menu(QString::fromLatin1(name)), &QMenu::aboutToShow, this, &EditCommands::refresh);
    }
    connect(&editor, &PlayListEditor::clicked, this, &EditCommands::refresh);
    connect(&session.controller(), &PlaybackController::changed, this, &EditCommands::refresh);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &EditCommands::refresh);
    refresh();
}

void EditCommands::refresh() {
    const PlayListEditor& editor = m_session.editor();
    const EditCommandStates states = ComputeEditCommandStates(
        m_session.playList(), m_session.run(), m_session.editor().undoHistory(), editor.controls(),
        !m_clipboard.text().isEmpty(), false, isOn(m_session.preferences().components, Component::FileList));
    const std::pair<const char*, bool> enabled[] = {
        {"UndoM", states.undo},
        {"RedoM", states.redo},
        {"CutM", states.cut},
        {"CopyM", states.copy},
        {"PasteM", states.paste},
        {"AddM", states.add},
        {"AddAllM", states.addAll},
        {"RemoveM", states.remove},
        {"RemoveAllM", states.removeAll},
        {"SelectAllM", states.selectAll},
        {"UnselectAllM", states.selectAll},
        {"InvertSelectionM", states.selectAll},
        {"SelectPlayingItemM", states.selectPlayingItem},
        {"ResetPlayedStatusAllM", states.playedStatus},
        {"ResetPlayedStatusSelectedM", states.playedStatus},
        {"MoveUpM", states.moveUpDown},
        {"MoveDownM", states.moveUpDown},
        {"SortAlphabeticallyM", states.sortAndClean},
        {"SortRandomlyM", states.sortAndClean},
        {"RemoveDuplicateItemsM", states.sortAndClean},
        {"RemoveNonExistantItemsM", states.sortAndClean},
    };
    for (const auto& [name, on] : enabled) {
        m_menu.action(QString::fromLatin1(name))->setEnabled(on);
    }
    m_menu.menu(QStringLiteral("CDAudioM"))->menuAction()->setEnabled(states.cdAudio);
    m_menu.action(QStringLiteral("UndoM"))->setText(m_session.editor().undoHistory().undoCaption());
}
