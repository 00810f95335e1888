#pragma once

class CommandTable;
class MediaList;
class PlaybackController;

// The tray menu's commands: twins of the transport, play options, position, Mixer, Help and Exit under
// the tray's captions, and its own items. Opening the tray list and Restore are the window's to carry out
// (it binds them); a second start reaches the tray list through its "select-" commands.
namespace TrayCommands {

struct Lists {
    const MediaList& playList;
    const MediaList& fileList;
    const MediaList& cdList;
};

void declare(CommandTable& table, PlaybackController& controller, Lists lists);

}  // namespace TrayCommands
