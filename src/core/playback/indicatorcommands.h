#pragma once

#include "core/playback/progressindicators.h"

#include <QString>
#include <QStringList>

class CommandTable;
class PlaybackController;

// The mode menus of the progress indicators (on the status bar's arrows, beside the percent and in View,
// Progress Indicators) as commands: the current item's mode, the whole list's (or disc's) mode, and
// Change Position.
namespace IndicatorCommands {

// The command that shows the indicator for the current item, or for the whole list.
QString modeCommand(ProgressIndicators::Indicator indicator, bool totals);
// The commands of the indicator's menu in menu order, "-" for the separator.
QStringList menu(ProgressIndicators::Indicator indicator);
// Declares the commands and the rule that captions, checks and enables them.
void declare(CommandTable& table, ProgressIndicators& indicators, PlaybackController& controller);

}  // namespace IndicatorCommands
