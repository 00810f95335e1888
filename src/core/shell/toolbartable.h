#pragma once

#include <QString>

#include <vector>

// A toolbar button: one more view of a command of the table, under the caption the customize window
// lists it by.
struct ToolbarButton {
    QString name;          // component name, as the stored layout names it ("PlaySI")
    QString original;      // the command the button runs and shows; empty when the button is a command itself
    QString caption;       // as the customize window lists it
    int defaultLeft = -1;  // its place on the default toolbar; -1 when the default leaves it off
};

struct ToolbarCategory {
    QString name;
    std::vector<ToolbarButton> buttons;
};

// Every button the toolbar can carry, in its seven categories; the stored layout numbers the buttons
// in this order.
const std::vector<ToolbarCategory>& ToolbarCategories();
// The button of that name (letter case ignored, as names in the settings file are), or null.
const ToolbarButton* FindToolbarButton(const QString& name);

// A command a second start can send ("velmaro --command next"), in the order of the taskbar menu.
struct RemoteCommand {
    QString name;
    QString original;  // empty for one this version does not carry out
};

const std::vector<RemoteCommand>& RemoteCommands();
