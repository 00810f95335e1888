#pragma once

#include "core/cdaudio/cddialogs.h"

class QWidget;

// The boxes of the CD database and of the drive, shown modally over the main window.
class QtCDDialogs : public CDDialogs {
public:
    explicit QtCDDialogs(QWidget* parent) : m_parent(parent) {}
    bool confirmSave(bool& askInFuture) override;
    std::optional<QStringList> renameTracks(const QStringList& names, int track, bool& expanded) override;
    bool confirmRemove(const QString& discName) override;
    std::optional<QList<int>> rearrange(const QStringList& names, int selected) override;
    InsertAnswer askForDisc(const QString& discName, bool full) override;

private:
    QWidget* m_parent;
};
