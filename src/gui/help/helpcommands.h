#pragma once

#include <functional>

class CommandTable;
class HelpWindow;

// The Help menu's commands that open the help window: Contents, Topic Search, Help On Help and the
// three named topics. The window is asked for only when a command runs, so it is created lazily.
void BindHelpCommands(CommandTable& commands, const std::function<HelpWindow*()>& window);
