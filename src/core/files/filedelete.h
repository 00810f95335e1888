#pragma once

#include <QString>

// What became of a deletion.
struct FileDeleteResult {
    enum class Status {
        Deleted,  // gone from its place: in the Trash, or for good
        Missing,  // nothing was there to delete
        Failed,   // still there; message says why
    };
    Status status = Status::Failed;
    QString message;  // names the path and the reason, for Missing and Failed

    bool deleted() const { return status == Status::Deleted; }
};

// Deletes one file (a link counts as a file, and only the link goes) into the desktop's Trash or for
// good. A folder is never deleted here. Success into the Trash is claimed only when the file stands
// in a Trash's "files" folder with its ".trashinfo" in "info" beside it.
FileDeleteResult DeleteFile(const QString& path, bool toTrash);

// Removes a folder only when it is empty.
FileDeleteResult RemoveEmptyFolder(const QString& path);
