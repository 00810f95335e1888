// The commands that act on a list of the window: the one with the focus (Copy, the selection commands,
// Rename, Delete, Properties, Edit Item), the one that plays (Select Playing Item) and the right-hand one
// (Add, Add All, its Play button). Each list answers what they may do there; no rule here knows which
// list it is.

#include "core/app/appsession.h"

namespace {

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

// A command's caption and hint as the list says them, or its own when the list says nothing.
void showTexts(CommandState& menu, CommandState& button, const MediaList::CommandTexts& texts) {
    if (!texts.menuCaption.isEmpty()) {
        menu.caption = texts.menuCaption;
        menu.hint = texts.menuHint;
    }
    if (!texts.buttonCaption.isEmpty()) {
        button.caption = texts.buttonCaption;
    }
    if (!texts.buttonHint.isEmpty()) {
        button.hint = texts.buttonHint;
    }
}

}  // namespace

void AppSession::declareListCommands() {
    m_commands.bind(latin("CopyM"), [this] { m_lists.focused().copy(); });
    m_commands.bind(latin("SelectAllM"), [this] { m_lists.focused().selectAll(); });
    m_commands.bind(latin("UnselectAllM"), [this] { m_lists.focused().unselectAll(); });
    m_commands.bind(latin("InvertSelectionM"), [this] { m_lists.focused().invertSelection(); });
    const auto rename = [this] { m_lists.focused().rename(); };
    const auto remove = [this] { m_lists.focused().remove(); };
    m_commands.bind(latin("RenM"), rename);
    m_commands.bind(latin("DelM"), remove);
    m_commands.add(latin("RenBtn"), rename);
    m_commands.add(latin("DelBtn"), remove);
    m_commands.bind(latin("PropertiesM"),
                    [this] { m_fileCommands.showProperties(m_lists.focused().propertiesFile()); });
    m_commands.bind(latin("EditItemM"), [this] { m_lists.focused().editItem(); });

    m_commands.bind(latin("SelectPlayingItemM"), [this] {
        if (MediaList* list = m_lists.playing(); list && list->canSelectPlayingLine()) {
            list->selectPlayingLine();
        }
    });
    m_commands.add(latin("SelectItemCurrentlyBeingPlayedFLM"), [this] {
        if (MediaList* list = m_lists.rightHand(); list && list->canSelectPlayingLine()) {
            list->selectPlayingLine();
        }
    });

    m_commands.bind(latin("AddM"), [this] { m_editor.AddSelectedItems(false); });
    m_commands.bind(latin("AddAllM"), [this] { m_editor.AddSelectedItems(true); });
    m_commands.add(latin("AddBtn"), [this] { m_editor.AddSelectedItems(false); });
    m_commands.add(latin("AddAllBtn"), [this] { m_editor.AddSelectedItems(true); });
    m_commands.add(latin("PlayFileListSI"), [this] {
        if (MediaList* list = m_lists.rightHand()) {
            m_controller.playFrom(*list);
        }
    });
    m_commands.add(latin("PlayPlayListSI"), [this] { m_controller.playFrom(m_playListMedia); });
    m_commands.addStateRule([this](CommandStates& states) { listStates(states); });
}

void AppSession::listStates(CommandStates& states) const {
    const MediaList& focused = m_lists.focused();
    states[latin("CopyM")].enabled = focused.canCopy();
    for (const char* name : {"SelectAllM", "UnselectAllM", "InvertSelectionM"}) {
        states[latin(name)].enabled = focused.canSelectLines();
    }
    CommandState& renameMenu = states[latin("RenM")];
    CommandState& renameButton = states[latin("RenBtn")];
    renameMenu.enabled = renameButton.enabled = focused.canRename();
    showTexts(renameMenu, renameButton, focused.renameTexts());
    CommandState& deleteMenu = states[latin("DelM")];
    CommandState& deleteButton = states[latin("DelBtn")];
    deleteMenu.enabled = deleteButton.enabled = focused.canDelete();
    showTexts(deleteMenu, deleteButton, focused.deleteTexts());
    states[latin("PropertiesM")].enabled = !focused.propertiesFile().isEmpty();
    states[latin("EditItemM")].enabled = m_externalEditors != nullptr;

    const MediaList* playing = m_lists.playing();
    states[latin("SelectPlayingItemM")].enabled = playing && playing->canSelectPlayingLine();
    const MediaList* right = m_lists.rightHand();
    states[latin("SelectItemCurrentlyBeingPlayedFLM")].enabled =
        right && m_lists.isPlaying(*right) && right->canSelectPlayingLine();

    const bool rightShown = right && right->isShown();
    states[latin("AddM")].enabled = rightShown && right->selectedCount() > 0;
    states[latin("AddAllM")].enabled = rightShown && right->lineCount() > 0;
    for (const bool all : {false, true}) {
        CommandState& button = states[latin(all ? "AddAllBtn" : "AddBtn")];
        button.enabled = right && (all ? right->canAddAll() : right->canAdd());
        if (right && !right->addHint(all).isEmpty()) {
            button.hint = right->addHint(all);
        }
    }
    states[latin("PlayFileListSI")].enabled = right && right->canPlay();
    states[latin("PlayPlayListSI")].enabled = m_controller.transport().play && m_playList.lineCount() > 0;
}
