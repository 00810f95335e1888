#pragma once

#include "core/files/dialoglayout.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

class PlayList;

// Everything the delete confirmation box decides: its texts and layout by kind, the names it lists,
// and the recycle choice it starts with. Which files a command deletes is worked out here too, from
// the list's selection and focus, so the window has nothing to decide.
class DeleteDialogModel {
public:
    enum class Kind {
        PlayListFile,
        ErrorLog,
        PlayLog,
        FileListOne,
        FileListSeveral,
        PlayListOne,
        PlayListSeveral,
        Folder,
    };

    struct Request {
        Kind kind = Kind::FileListOne;
        // One name for the one-file and folder kinds, the listed lines for the several kinds.
        QStringList names;
        bool recycleBin = true;  // the stored "RecycleBin" choice
    };

    // What a delete command acts on: the full paths to delete and the box to show for them. When
    // refusal is set the box is not shown; the window shows that information box instead.
    struct Targets {
        Request request;
        QStringList paths;
        QString refusal;
    };

    explicit DeleteDialogModel(Request request);

    Kind kind() const { return m_request.kind; }
    QString caption() const;
    QString info() const;
    QString nameText() const;  // NameEdit
    QStringList lines() const;  // ListBox
    QString playListWarning() const;
    static QString multipleFilesText();
    bool recycleBin() const { return m_request.recycleBin; }
    bool hasList() const;
    bool hasRecycleChoice() const { return m_request.kind != Kind::Folder; }

    // Every control of the box by objectName, with its place and whether it shows.
    std::vector<DialogPlacement> placements() const;
    QSize clientSize() const;

    // The entries of the File List in folder: the selected ones in list order, or the focused one when
    // none is selected.
    static Targets FileListTargets(const QString& folder, const QStringList& entries,
                                   const std::vector<qsizetype>& selected, qsizetype focused, bool recycleBin);
    // The files of the Play List's selected items (the focused item when none is selected); CD tracks
    // are never deleted.
    static Targets PlayListTargets(const PlayList& list, bool recycleBin);
    // The Play List file itself, or its error log (".ERR") or play log (".LOG").
    static Targets PlayListFileTargets(Kind kind, const QString& playListPath, bool recycleBin);
    static Targets FolderTargets(const QString& folder);

private:
    struct Frame {
        int bevelHeight;
        int buttonTop;
        int checkBoxTop;  // -1: no check box
        int clientHeight;
    };
    Frame frame() const;

    Request m_request;
};
