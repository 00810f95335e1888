#pragma once

#include <QString>

// The desktop's list of recently used files (freedesktop.org "recently-used.xbel" in the user's data
// folder), where file managers and open dialogs find the Play Lists Velmaro opened.
namespace RecentDocuments {

// $XDG_DATA_HOME/recently-used.xbel, or ~/.local/share/recently-used.xbel.
QString storePath();

// Records that Velmaro used the file now. A list it cannot read is left alone rather than replaced;
// returns false then, or when the list cannot be written.
bool add(const QString& filePath, const QString& storeFile = storePath());

}  // namespace RecentDocuments
