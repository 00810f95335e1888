#pragma once

#include <QString>

#include <vector>

// The toolbar as data: each button is a twin of the command it stands for, in the order it is shown.
struct ToolbarButton {
    QString name;      // component name ("PlaySI")
    QString original;  // the command the button runs and shows
    QString caption;   // empty: the original's
    bool separatorAfter = false;
};

// The transport and play-option buttons.
const std::vector<ToolbarButton>& ToolbarTransportButtons();
// The View toggles, which the default toolbar leaves out: the eleven components in the order the
// settings keep them, then the two display options.
const std::vector<ToolbarButton>& ToolbarViewToggles();

// A command a second start can send ("velmaro --command next"), in the order of the taskbar menu.
struct RemoteCommand {
    QString name;
    QString original;  // empty for one this version does not carry out
};

const std::vector<RemoteCommand>& RemoteCommands();
