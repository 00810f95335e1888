#pragma once

#include <QString>

// Which list plays and which list the commands act on: shared by the Play List, the playback controller
// and the file and CD lists.
enum class PlaybackSource { None, PlayList, FileList, CDList };
enum class ActiveList { PlayList, FileList, FolderList, CDList };

struct RunState {
    PlaybackSource playbackSource = PlaybackSource::None;
    ActiveList focusList = ActiveList::PlayList;
    bool cdAudioModeShown = false;
    QString currentFolder;  // the Folder List's folder
};
