#pragma once

#include "core/files/dialoglayout.h"
#include "core/settings/favorites.h"

#include <QString>
#include <QStringList>

#include <vector>

// Everything the Rename / Move box decides: its kind and layout, its texts, the full-path field
// (RenEdit) and the name field (RenEditShort) kept in step with each other and with the box's folder,
// and the checked absolute path it hands back on OK. The Qt view only shows this state and forwards
// edits.
class RenameDialogModel {
public:
    enum class Kind { SingleFile, SeveralFiles, Folder, PlayListFile };
    enum class Layout { Single, Several, Folder };

    // What the window knows when the box opens.
    struct Request {
        Kind kind = Kind::SingleFile;
        // The folder a drag was dropped on; set, it makes the box a move of the dragged files into it,
        // whatever the kind.
        QString dropTarget;
        // Full path of the file, folder or Play List file renamed; with a drop of one entry, that entry.
        QString oldPath;
        int selectedCount = 1;
        // The main window's current folder: the box's folder when several files move without a drop.
        // Every other kind starts in the folder of oldPath (or the drop target).
        QString currentFolder;
        QStringList favoriteFolders;
        bool favoritesShowPath = false;
    };

    // On OK: path is the new absolute path (single file, Play List file, folder) or the destination
    // folder (several files). When error is set the box stays open and shows it; path is then empty.
    struct Result {
        QString path;
        QString error;
    };

    explicit RenameDialogModel(const Request& request);

    Kind kind() const { return m_kind; }
    Layout layout() const;
    bool isDropMove() const { return m_dropMove; }

    QString caption() const { return texts().caption; }
    QString info1() const { return texts().info1; }
    QString info2() const { return texts().info2; }
    QString info3() const;
    // Every control of the box by objectName, with its place in its parent and whether it shows.
    std::vector<DialogPlacement> placements() const;
    QSize clientSize() const;

    QString folder() const { return m_folder; }
    QString fullPath() const { return m_fullPath; }    // RenEdit
    QString shortName() const { return m_shortName; }  // RenEditShort
    // Whether the name field starts focused with its text selected (one entry chosen).
    bool focusShortName() const { return m_selectedCount == 1 && layout() != Layout::Several; }
    bool canAccept() const;

    void editFullPath(const QString& text);
    void editShortName(const QString& text);
    // The destination folder chosen in the folder box, the drive box or the favourites.
    void setFolder(const QString& folder);

    // The favourite folders to drop down below the button: the numbered entries, or the disabled
    // "none" line. Entry items carry their index in the list.
    std::vector<Favorites::MenuItem> favoritesMenu() const;
    // Moves the box to that favourite; a message instead when the folder is gone.
    QString chooseFavorite(int index);

    Result accept() const;


private:
    struct KindTexts {
        QString caption;
        QString info1;
        QString info2;
    };
    KindTexts texts() const;
    bool isFileKind() const { return m_kind == Kind::SingleFile || m_kind == Kind::PlayListFile; }

    Kind m_kind;
    bool m_dropMove;
    int m_selectedCount;
    QStringList m_favorites;
    bool m_favoritesShowPath;
    QString m_folder;
    QString m_fullPath;
    QString m_shortName;
};
