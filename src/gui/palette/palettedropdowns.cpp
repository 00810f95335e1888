#include "gui/palette/palettedropdowns.h"

#include "core/app/appsession.h"
#include "core/app/favoritescommands.h"
#include "core/app/folderchooser.h"
#include "core/app/palettecommands.h"
#include "core/palette/listchooser.h"
#include "gui/common/actionregistry.h"
#include "gui/palette/choicecolumns.h"

#include <QAction>
#include <QActionGroup>
#include <QFileDialog>
#include <QMenu>
#include <QWidgetAction>

PaletteDropDowns::PaletteDropDowns(ActionRegistry& actions, AppSession& session, QWidget* parent)
    : QObject(parent), m_actions(actions), m_session(session) {
    m_playList = new QMenu(parent);
    m_playList->setObjectName(QStringLiteral("ListPPopupMenu"));
    m_list = new QMenu(parent);
    m_list->setObjectName(QStringLiteral("ListPopupMenu"));
}

// A submenu of a shared action, made once.
QMenu* PaletteDropDowns::submenu(const QString& command) {
    QAction* item = m_actions.action(command);
    if (!item->menu()) {
        auto* menu = new QMenu(qobject_cast<QWidget*>(parent()));
        menu->setObjectName(command + QStringLiteral("Menu"));
        item->setMenu(menu);
    }
    return item->menu();
}

void PaletteDropDowns::addFavorites(QMenu* menu, const QString& command, bool folders) {
    QMenu* favorites = submenu(command);
    favorites->disconnect(this);
    connect(favorites, &QMenu::aboutToShow, this, [this, favorites, folders] {
        const QStringList items =
            FavoritesCommands::menu(m_session.commands(), m_session.favoritesAndHistory(),
                                    folders ? Favorites::Kind::Folders : Favorites::Kind::PlayLists);
        m_session.commands().refreshNow();  // a favourite's command may be new
        m_actions.fillMenu(favorites, items);
    });
    menu->addAction(m_actions.action(command));
}

void PaletteDropDowns::fillPlayListMenu() {
    m_session.commands().refreshNow();
    m_playList->clear();
    addFavorites(m_playList, PaletteCommands::kFavoritePlayLists, false);
    QStringList history;
    for (int n = 1; n <= Preferences::kHistorySize; ++n) {
        history.append(PaletteCommands::historyCommand(n));
    }
    m_actions.fillMenu(submenu(PaletteCommands::kHistory), history);
    m_playList->addAction(m_actions.action(PaletteCommands::kHistory));
    if (!m_session.preferences().history.join(QString()).isEmpty()) {
        m_playList->addSeparator();
    }
    m_playList->addAction(m_actions.action(PaletteCommands::kOpen));
    m_playList->addSeparator();
    addChoices(m_playList, &m_session.playListMedia(), ListChooser::kPlayListFirstColumn);
}

void PaletteDropDowns::fillListMenu() {
    m_session.commands().refreshNow();
    m_list->clear();
    addFavorites(m_list, PaletteCommands::kFavoriteFolders, true);
    fillFolderMenu(submenu(PaletteCommands::kDisplayFolder));
    m_list->addAction(m_actions.action(PaletteCommands::kDisplayFolder));
    m_list->addSeparator();
    const bool cdMode = m_session.cdAudioModeShown();
    m_list->addAction(m_actions.action(PaletteCommands::modeSwitchCommand(cdMode)));
    m_list->addSeparator();
    addChoices(m_list, m_session.lists().rightHand(),
               cdMode ? ListChooser::kTracksFirstColumn : ListChooser::kPlayListFirstColumn);
}

void PaletteDropDowns::addChoices(QMenu* menu, MediaList* list, int firstColumn) {
    const std::vector<ListChoice> choices =
        list ? ListChooser::choices(*list, m_session.lists(), firstColumn) : std::vector<ListChoice>();
    if (choices.empty()) {
        menu->addAction(ListChooser::kNoItems)->setEnabled(false);
        return;
    }
    auto* columns = new ChoiceColumns(choices);
    auto* holder = new QWidgetAction(menu);
    holder->setDefaultWidget(columns);
    menu->addAction(holder);
    connect(columns, &ChoiceColumns::chosen, this, [this, menu, list](qsizetype line) {
        menu->close();
        PlaybackController& controller = m_session.controller();
        m_session.dispatcher().runFromWindow(
            [list, line, &controller] { ListChooser::choose(*list, line, controller); });
    });
    if (const qsizetype more = ListChooser::unlistedCount(*list); more > 0) {
        menu->addAction(ListChooser::unlistedText(more))->setEnabled(false);
    }
}

void PaletteDropDowns::fillFolderMenu(QMenu* menu) {
    menu->clear();
    qDeleteAll(menu->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly));
    const QString current = m_session.fileManagement().folders().folder();
    QAction* any = menu->addAction(QStringLiteral("&Display Any Folder..."));
    connect(any, &QAction::triggered, this, [this, current] {
        const QString folder = QFileDialog::getExistingDirectory(
            qobject_cast<QWidget*>(parent()), QStringLiteral("Choose folder to browse"), current);
        if (!folder.isEmpty()) {
            m_session.dispatcher().runFromWindow(
                [this, folder] { FolderChooser::choose(m_session, folder); });
        }
    });
    menu->addSeparator();
    auto* group = new QActionGroup(menu);
    for (const FolderChooser::Choice& choice : FolderChooser::choices(m_session.fileManagement().folders())) {
        QAction* item = menu->addAction(choice.caption);
        item->setCheckable(true);
        item->setChecked(choice.current);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, path = choice.path] {
            m_session.dispatcher().runFromWindow([this, path] { FolderChooser::choose(m_session, path); });
        });
    }
}
