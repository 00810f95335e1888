#pragma once

#include <QObject>

#include <functional>

class HelpWindow;
class MainMenu;

// The Help menu's commands that open the help window: Contents, Topic Search, Help On Help and the
// three named topics. The window is asked for only when a command runs, so it is created lazily.
class HelpCommands : public QObject {
    Q_OBJECT

public:
    HelpCommands(MainMenu& menu, std::function<HelpWindow*()> window, QObject* parent = nullptr);
};
