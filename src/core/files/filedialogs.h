#pragma once

#include "core/files/deletedialogmodel.h"
#include "core/files/fileproperties.h"
#include "core/files/renamedialogmodel.h"

#include <QString>

#include <optional>

// The rename/move and delete boxes. Core asks, the GUI shows the box; tests answer from a script.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The new full path (or destination folder); nothing when the user cancelled.
    virtual std::optional<QString> askRename(const RenameDialogModel::Request& request) = 0;
    // Whether to send the files to the Trash, once the user confirmed; nothing when cancelled.
    virtual std::optional<bool> confirmDelete(const DeleteDialogModel::Request& request) = 0;
    // The name of a new folder inside parent; nothing when the user cancelled.
    virtual std::optional<QString> askNewFolderName(const QString& parent) = 0;
    // The Properties box of a file; Apply changes the file through the model.
    virtual void showProperties(FileProperties& properties) = 0;
};
