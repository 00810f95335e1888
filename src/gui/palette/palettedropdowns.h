#pragma once

#include <QObject>

class ActionRegistry;
class AppSession;
class MediaList;
class QMenu;
class QWidget;

// The Floating Palette's two drop-downs, made afresh each time one opens: the Play List's (favorites,
// history, Open, its items) and the right-hand list's (favorite folders, the other mode, the File List's
// files or the CD's tracks). Choosing an item plays it from its list.
class PaletteDropDowns : public QObject {
    Q_OBJECT

public:
    PaletteDropDowns(ActionRegistry& actions, AppSession& session, QWidget* parent);

    QMenu* playListMenu() const { return m_playList; }
    QMenu* listMenu() const { return m_list; }
    void fillPlayListMenu();
    void fillListMenu();

private:
    void addChoices(QMenu* menu, MediaList* list, int firstColumn);
    // Display Another Folder: a folder browser, then the Folder List's folders.
    void fillFolderMenu(QMenu* menu);
    void addFavorites(QMenu* menu, const QString& command, bool folders);
    QMenu* submenu(const QString& command);

    ActionRegistry& m_actions;
    AppSession& m_session;
    QMenu* m_playList = nullptr;
    QMenu* m_list = nullptr;
};
