#pragma once

#include <QString>

// What became of a move. A destination that exists is never replaced: the caller asks or refuses.
struct FileMoveResult {
    enum class Status {
        Moved,              // the source now stands at the destination (or both name the same file)
        DestinationExists,  // nothing moved: another file or folder has that name
        Failed,             // nothing moved; message says why
    };
    Status status = Status::Failed;
    // Why it failed, naming the paths and the system's reason. After a move across file systems whose
    // copy succeeded but whose source could not be removed entirely, the status is Moved and this
    // says what is left behind.
    QString message;

    bool moved() const { return status == Status::Moved; }
};

// Moves one file or folder from one absolute path to another: a rename on the same file system,
// else a copy (links as links, files with their permissions and modification time, folders
// recursively) after which the source is removed; a failed copy leaves nothing behind. A folder is
// never moved into itself.
FileMoveResult MoveFileOrFolder(const QString& from, const QString& to);

// The second half alone, for a move across file systems; the move above uses it when renaming
// cannot cross between them.
FileMoveResult CopyAndRemove(const QString& from, const QString& to);
