#pragma once

#include "core/files/filelist.h"
#include "core/files/folderlist.h"

#include <QList>
#include <QObject>
#include <QString>

class TextMeasurer;
struct Preferences;

// File Management Mode: the drive box, the Folder List, the File List with its filter, the filter edit
// and the two labels, and what their events decide. The window shows this state and forwards the
// events.
class FileManagement : public QObject {
    Q_OBJECT

public:
    explicit FileManagement(Preferences& preferences, QObject* parent = nullptr);

    FileList& files() { return m_files; }
    const FileList& files() const { return m_files; }
    const FolderList& folders() const { return m_folders; }
    const QList<Drive>& drives() const { return m_drives; }
    qsizetype currentDrive() const { return DriveOfFolder(m_drives, m_folders.folder()); }

    // The lists read the folder (home when it is empty) and the stored filter group; the drives are listed.
    void start(const QString& home, const QString& folder);
    // The folder the Folder List and the File List show.
    const QString& currentFolder() const { return m_folders.folder(); }
    // Whether the File List is on screen (its side shown, not in CD Audio Mode).
    void setVisible(bool visible);
    bool isVisible() const { return m_files.isVisible(); }

    // PanelFileClick: the mode's lists are read again, the File List takes the focus and its first
    // file is selected.
    void enterMode();
    // The current folder becomes this one (or its nearest existing ancestor).
    void changeFolder(const QString& folder);
    void chooseDrive(qsizetype index);
    void chooseFilterGroup(int index);
    // The File List's mask: the filter edit shows it.
    void setMask(const QString& mask);

    // The Folder List: an entry selected (a click), opened (double-click or Enter), the list entered.
    void folderListClicked(qsizetype line);
    void openFolderLine(qsizetype line);
    void folderListEntered();
    // Backspace in the Folder List goes up one folder, as in a file manager.
    void openParentFolder();
    // The File List: the selection changed (a click), the list entered.
    void fileListClicked();
    void fileListEntered();
    // Enter in the filter edit: a text with "*" becomes the mask; the name of a listed file selects it
    // and returns true (the caller plays it); anything else does nothing.
    bool filterEditEntered(const QString& text);
    // A file to show and play (the command line's media file): its folder and the first filter group;
    // returns whether the file is listed (then it is the only selected one).
    bool showFile(const QString& path);
    // The line started from the File List: the one selected and focused, scrolled to the middle.
    void selectPlayingLine();

    const QString& filterEditText() const { return m_filterEditText; }
    void setFilterEditText(const QString& text);
    // "&DL: " + the current folder, shortened to the label's width, "&" shown as it is. Without its
    // accelerator (the key belongs to a menu item) the label shows its text as it stands.
    QString dirLabel(const TextMeasurer& measurer, int width, bool withAccelerator = true) const;
    // "&BL: 3 of 12, 1 selected", and how many files the list cannot show.
    QString browseLabel() const;

    // What the click handlers left enabled.
    bool renameDeleteEnabled() const { return m_renameDelete; }
    bool addEnabled() const { return m_add; }
    bool addAllEnabled() const { return m_addAll; }
    // Whether the File List plays a selected file (PlayFileListSI) and its lines can be dragged.
    bool playEnabled() const { return m_play; }

Q_SIGNALS:
    // Folder, lists, labels or button states changed.
    void changed();
    // The File List or the Folder List took the focus.
    void fileListFocused();
    void folderListFocused();

private:
    void fileListChanged();
    void readFolder(const QString& folder);

    Preferences& m_preferences;
    FileList m_files;
    FolderList m_folders;
    QList<Drive> m_drives;
    QString m_home;
    QString m_filterEditText;
    bool m_renameDelete = false;
    bool m_add = false;
    bool m_addAll = false;
    bool m_play = false;
    bool m_starting = true;
};
