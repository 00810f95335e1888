#pragma once

#include "core/files/foldertreewalk.h"
#include "core/playlist/playlist.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class ItemSet;
class PlayList;
class PlayListDocument;
class PlayListEditor;
class Prompter;

// The search for media files: walks a folder tree in slices on the event loop, so the window paints
// and Stop answers at once, and appends every file found to the Play List as a file item, grouped by
// mask in the masks' order. The whole search is one undo step ("Search"), recorded when it adds its
// first file.
class FileSearch : public QObject {
    Q_OBJECT

public:
    struct Context {
        PlayList& playList;
        ItemSet& unplayed;
        PlayListEditor& editor;
        PlayListDocument& document;
        Prompter& prompter;
    };

    explicit FileSearch(Context context, QObject* parent = nullptr);
    ~FileSearch() override;

    // Starts a search of folder and its sub-folders for the ";"-separated masks.
    void start(const QString& folder, const QString& masks);
    // The files found so far stay in the Play List; finished(true) follows.
    void stop();
    bool isRunning() const { return m_walk != nullptr; }
    // The rest of a running search at once, without the event loop.
    void runToEnd();
    qsizetype filesFound() const { return m_walk ? m_walk->foundCount() : m_lastFound; }

    static QString noFilesMessage() { return QStringLiteral("No files found."); }
    // How long one slice of the walk may hold the event loop (tests shorten it to one folder or two).
    void setSlice(std::chrono::nanoseconds slice) { m_slice = slice; }

Q_SIGNALS:
    // Once per slice: the folder being searched and the number of files found.
    void progress(const QString& folder, qsizetype filesFound);
    void finished(bool stopped);

private:
    void runSlice(std::chrono::nanoseconds budget);
    void appendFound(size_t mask);
    void finish(bool stopped);

    Context m_c;
    std::unique_ptr<FolderTreeWalk> m_walk;
    QTimer m_slices;
    std::chrono::nanoseconds m_slice = std::chrono::milliseconds(10);
    qsizetype m_added = 0;
    qsizetype m_lastFound = 0;
    PlayListSnapshot m_before;  // the Play List as the search found it, for Undo
    bool m_undoRecorded = false;
    QStringList m_leftOut;  // files found whose names a Play List cannot hold
};
