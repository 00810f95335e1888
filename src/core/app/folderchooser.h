#pragma once

#include <QString>

#include <vector>

class AppSession;
class FolderList;

// The Folder List's folders as the File List drop-down's "Display Another Folder" offers them, and the
// choice: the File List shows that folder, in File Management Mode.
namespace FolderChooser {

struct Choice {
    QString path;
    QString caption;       // the full path, "&" doubled
    bool current = false;  // the folder the File List shows
};

std::vector<Choice> choices(const FolderList& folders);
// A folder that is gone shows its nearest existing parent, as the Folder List does.
void choose(AppSession& session, const QString& folder);

}  // namespace FolderChooser
