#pragma once

#include <QSet>
#include <QString>

#include <functional>

class ItemSet;
class PlayList;

// Keeps the Play List, the played items and the random pool in step with files that were moved or
// deleted. Files are matched by the exact FILE value of an item, letter case included: two paths that
// differ only in case are two files here. CD-track items are never touched. Each call returns what it
// changed, so the caller marks the Play List changed only when something did.
class FileReferences {
public:
    FileReferences(PlayList& playList, ItemSet& played, ItemSet& unplayed)
        : m_playList(playList), m_played(played), m_unplayed(unplayed) {}

    // Every item of the file becomes the item of its new path, in its place; returns how many.
    qsizetype rewriteFile(const QString& from, const QString& to);
    // The same for the files of a moved folder, those in its sub-folders included: they moved too.
    qsizetype rewriteFolder(const QString& from, const QString& to);

    struct Removal {
        qsizetype removed = 0;
        bool currentRemoved = false;
        // The line that now stands where CurrentItem's item stood, before clamping to the list.
        int currentPosition = -1;
    };
    // Removes every item whose file is one of the paths. CurrentItem stays on its item; when that item
    // goes, it moves as Remove moves it, and an emptied list leaves it at -1.
    Removal removeFiles(const QSet<QString>& paths);

private:
    qsizetype rewrite(const std::function<QString(const QString& file)>& newPathOf);

    PlayList& m_playList;
    ItemSet& m_played;
    ItemSet& m_unplayed;
};
