#pragma once

#include "core/common/sourcelines.h"
#include "core/files/filemask.h"
#include "core/files/filepaths.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

// The names of the files in a folder that match a mask, sorted as a file manager sorts them (letter
// case ignored, numbers by value). Folders, devices, pipes and sockets are left out; hidden files and
// links to files are listed.
QStringList ListMatchingFiles(const QString& folder, const FileMask& mask);

// The files of the folder that match the mask but whose names are not valid UTF-8. The program knows
// files by their names as text, which cannot give such a name's bytes back: these files can be neither
// played nor renamed from the list, so it counts them instead of showing them.
qsizetype CountFilesWithUndecodableNames(const QString& folder, const FileMask& mask);

// The order of names in the lists: letter case ignored and runs of digits by their value ("track2"
// before "track10"), whatever the locale; names equal so are ordered by their characters.
bool FileNameLess(const QString& a, const QString& b);

// The File List: the files of the current folder that match the mask, with the box's selection, its
// focused line and the line that plays (FileListIndex). It follows the disk: a file another program adds,
// removes or renames in the folder shows up or goes on the next turn, with selection and focus kept.
class FileList : public SourceLines {
    Q_OBJECT

public:
    explicit FileList(QObject* parent = nullptr);

    const QString& folder() const { return m_folder; }
    const FileMask& mask() const { return m_mask; }
    // Each reads the folder again.
    void setFolder(const QString& folder);
    void setMask(const QString& mask);
    void reload();

    qsizetype count() const { return m_names.size(); }
    qsizetype lineCount() const override { return count(); }
    bool isEmpty() const { return m_names.isEmpty(); }
    const QString& name(qsizetype line) const { return m_names.at(line); }
    QString path(qsizetype line) const { return FilePaths::Join(m_folder, m_names.at(line)); }
    const QStringList& names() const { return m_names; }
    // The line of the name: the one of exactly that case when there is one, else one that differs only
    // in letter case, else -1.
    qsizetype indexOfName(const QString& name) const;

    QStringList selectedPaths() const;

    // The matching files of the folder that the list cannot show (their names are not valid UTF-8).
    qsizetype unshownCount() const { return m_unshown; }
    // What the label adds for them, short so that it fits ("2 not UTF-8"); empty when every file is shown.
    QString unshownNote() const;
    // The whole reason, for the label's tip.
    QString unshownReason() const;

    // FileListIndex: the line started from the File List last. Starting a line also clears the mark
    // that the folder changed since (FolderChangedDuringFilePlay): then the line no longer names the
    // playing file, and Next, Previous and Stop go by the focused line.
    qsizetype playingLine() const { return m_playingLine; }
    void setPlayingLine(qsizetype line);
    bool folderChangedDuringFilePlay() const { return m_folderChanged; }

    // The item references of the selected lines, or of all lines, in list order.
    QStringList selectedItems() const;
    QStringList allItems() const;

Q_SIGNALS:
    // Another program changed the folder (the list has followed already).
    void changedOnDisk();

private:
    void read(bool keepSelection);
    void watchFolder();
    void scheduleReload();

    QString m_folder;
    FileMask m_mask;
    QStringList m_names;
    qsizetype m_unshown = 0;
    qsizetype m_playingLine = -1;
    bool m_folderChanged = false;
    bool m_reloadPending = false;
    QFileSystemWatcher m_watcher;
};
