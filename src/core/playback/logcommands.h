#pragma once

#include "core/playback/playlogs.h"

#include <functional>

class CommandTable;

// "Play List Log" and "Play List Error Log": each shows its log of the saved Play List, and is enabled
// only while that file is there.
namespace LogCommands {

QString commandOf(PlayLogs::Kind kind);
// show gets the log's kind; the command runs it only while the log exists.
void declare(CommandTable& table, const PlayLogs& logs, std::function<void(PlayLogs::Kind)> show);

}  // namespace LogCommands
