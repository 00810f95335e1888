#pragma once

class CommandTable;
class MainWindow;

// The Welcome box as the start shows it over the main window, and Help > About.
namespace WelcomeStart {

// Shows the Welcome box and waits for it. The menu bar is away meanwhile, and the help window the
// box's links open belongs to the box while it is open, so that it can be read beside it.
void showWelcomeBox(MainWindow& window);
void bindAbout(CommandTable& commands, MainWindow& window);

}  // namespace WelcomeStart
