#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The boxes of the CD database and of the drive. Core asks, the GUI shows the box; tests answer from
// a script.
class CDDialogs {
public:
    enum class InsertAnswer { Retry, Cancel, Ignore };

    virtual ~CDDialogs() = default;

    // The confirmation before a disc already in the database is saved again. askInFuture comes in as
    // the setting and goes out as the box's check box when the user said OK; false means cancelled.
    virtual bool confirmSave(bool& askInFuture) = 0;
    // The rename-track box on these names with track (1-based) shown; the names after OK, nothing on
    // Cancel. expanded comes in as the stored state and goes out as the box was left, either way.
    virtual std::optional<QStringList> renameTracks(const QStringList& names, int track, bool& expanded) = 0;
    // Whether to remove the disc of this name from the database.
    virtual bool confirmRemove(const QString& discName) = 0;
    // The rearrange box on the discs' names in file order, selected shown selected (-1: none, the
    // database is empty); the new order as indexes into names, nothing on Cancel.
    virtual std::optional<QList<int>> rearrange(const QStringList& names, int selected) = 0;
    // Asks for the disc of this name. The full form offers Ignore: play the track number from the disc
    // that is in the drive.
    virtual InsertAnswer askForDisc(const QString& discName, bool full) = 0;
};
