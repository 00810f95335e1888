#pragma once

#include <QObject>

class AppSession;
class Clipboard;
class MainMenu;

// The Edit and Organize menus: their commands go to the Play List editor, and their enabled states
// and the Undo caption follow the program's state all the time, so that shortcuts obey them too.
class EditCommands : public QObject {
    Q_OBJECT

public:
    EditCommands(MainMenu& menu, AppSession& session, const Clipboard& clipboard, QObject* parent = nullptr);

    void refresh();

private:
    MainMenu& m_menu;
    AppSession& m_session;
    const Clipboard& m_clipboard;
};
