#include "core/files/renamedialogmodel.h"

#include "core/files/filepaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

using namespace FilePaths;

namespace {

constexpr int kClientWidth = 400;
constexpr int kFieldWidth = kClientWidth - 16;
constexpr int kListBottom = 297;

// A name with a quotation mark or a line break could not be kept in a Play List item or the settings.
bool HasUnstorableCharacter(const QString& text) {
    return text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
}

}  // namespace

RenameDialogModel::RenameDialogModel(const Request& request)
    : m_kind(request.dropTarget.isEmpty() ? request.kind : Kind::SeveralFiles),
      m_dropMove(!request.dropTarget.isEmpty()),
      m_selectedCount(request.selectedCount),
      m_favorites(request.favoriteFolders),
      m_favoritesShowPath(request.favoritesShowPath) {
    const QString oldPath = m_kind == Kind::Folder ? CleanFolder(request.oldPath) : request.oldPath;
    if (m_dropMove) {
        m_folder = CleanFolder(request.dropTarget);
    } else if (m_kind == Kind::SeveralFiles) {
        m_folder = CleanFolder(request.currentFolder);
    } else {
        m_folder = Folder(oldPath);
    }
    if (m_kind == Kind::Folder) {
        m_fullPath = oldPath;
        m_shortName = FileName(oldPath);
        return;
    }
    // A drop of several entries names none of them.
    if (m_dropMove && m_selectedCount > 1) {
        return;
    }
    if (!oldPath.isEmpty()) {
        m_fullPath = Join(m_folder, FileName(oldPath));
        m_shortName = FileName(WithoutExtension(m_fullPath));
    }
}

RenameDialogModel::Layout RenameDialogModel::layout() const {
    switch (m_kind) {
        case Kind::SeveralFiles:
            return Layout::Several;
        case Kind::Folder:
            return Layout::Folder;
        case Kind::SingleFile:
        case Kind::PlayListFile:
            break;
    }
    return Layout::Single;
}

// Caption, question and field caption of each kind.
RenameDialogModel::KindTexts RenameDialogModel::texts() const {
    switch (m_kind) {
        case Kind::PlayListFile:
            return {QStringLiteral("Rename / Move Play List"),
                    QStringLiteral(" What would you like to rename this Play List to?"),
                    QStringLiteral("Full Path and Extension:")};
        case Kind::Folder:
            return {QStringLiteral("Rename / Move Folder"), QStringLiteral(" What would you like to rename this folder to?"),
                    QStringLiteral("Full Path:")};
        case Kind::SingleFile:
        case Kind::SeveralFiles:
            break;
    }
    return {QStringLiteral("Rename / Move File(s)"), QStringLiteral(" What would you like to rename this file to?"),
            QStringLiteral("Full Path and Extension:")};
}

QString RenameDialogModel::info3() const {
    switch (layout()) {
        case Layout::Single:
            return QStringLiteral(
                "You can move this file to another folder by specifying the complete path in the box above or "
                "you can select a destination folder in the box below.");
        case Layout::Folder:
            return QStringLiteral(
                "You have selected to rename or move a folder. You can either simply rename it by specifying the "
                "new name in the box above or you can make this folder a subfolder of another folder by "
                "specifying the new parent folder in the box below.");
        case Layout::Several:
            break;
    }
    if (m_dropMove) {
        return QStringLiteral(
            "You have selected to move file(s) selected in either the Play List or the File List to a folder in "
            "the Folder List. Please check if the folder displayed in the box below is correct. If so, simply "
            "click the &OK button");
    }
    return QStringLiteral(
        "You have selected multiple files. This means that you can move the selected files to another folder "
        "using the box below. Please select only one file if you want to rename it.");
}

std::vector<DialogPlacement> RenameDialogModel::placements() const {
    const Layout shape = layout();
    const bool fields = shape != Layout::Several;
    int info3Top = 96;
    int listTop = 141;
    if (shape == Layout::Several) {
        info3Top = 16;
        listTop = 77;
    } else if (shape == Layout::Folder) {
        listTop = 176;
    }
    // Every layout ends the folder box at the same line, so the drive box and the buttons stay put.
    return {
        {"Info1", QRect(8, 8, kFieldWidth, 14), fields},
        {"RenEditShort", QRect(8, 24, kFieldWidth - 31, 21), fields},
        {"SBPanel", QRect(kClientWidth - 35, 24, 27, 21), fields},
        {"FavFoldersSB", QRect(1, 1, 25, 19), shape == Layout::Folder},
        {"Info2", QRect(8, 52, kFieldWidth, 14), fields},
        {"RenEdit", QRect(8, 68, kFieldWidth, 21), fields},
        {"Info3", QRect(8, info3Top, kFieldWidth, listTop - info3Top - 4), true},
        {"DirectoryListBox", QRect(8, listTop, kFieldWidth, kListBottom - listTop), true},
        {"DriveComboBox1", QRect(8, kListBottom + 8, kFieldWidth, 21), true},
        {"OKBtn", QRect(kClientWidth - 164, kListBottom + 39, 75, 25), true},
        {"CancelBtn", QRect(kClientWidth - 83, kListBottom + 39, 75, 25), true},
    };
}

QSize RenameDialogModel::clientSize() const {
    return {kClientWidth, kListBottom + 72};
}

bool RenameDialogModel::canAccept() const {
    // Moving several files needs only the destination, which the folder box always has.
    return layout() == Layout::Several ? !m_folder.isEmpty() : !m_fullPath.isEmpty();
}

void RenameDialogModel::editFullPath(const QString& text) {
    m_fullPath = text;
    m_shortName = FileName(isFileKind() ? WithoutExtension(text) : text);
}

void RenameDialogModel::editShortName(const QString& text) {
    m_shortName = text;
    if (isFileKind()) {
        m_fullPath = Join(m_folder, text) + Extension(m_fullPath);
    } else if (m_kind == Kind::Folder) {
        m_fullPath = m_fullPath.left(m_fullPath.lastIndexOf(u'/') + 1) + text;
    }
}

void RenameDialogModel::setFolder(const QString& folder) {
    const QString clean = CleanFolder(folder);
    // The folder box reports the folder it was just set to; that is no change and must not undo a
    // path typed meanwhile.
    if (clean == m_folder) {
        return;
    }
    m_folder = clean;
    if (isFileKind()) {
        m_fullPath = Join(m_folder, m_shortName) + Extension(m_fullPath);
    } else if (m_kind == Kind::Folder) {
        m_fullPath = Join(m_folder, m_shortName);
    }
}

std::vector<Favorites::MenuItem> RenameDialogModel::favoritesMenu() const {
    std::vector<Favorites::MenuItem> menu =
        Favorites::BuildFavoritesMenu(Favorites::Kind::Folders, m_favorites, m_folder, m_favoritesShowPath, false);
    // Inside the box the menu only chooses a folder (or says there is none); the list itself is kept
    // through the main window's menus.
    std::erase_if(menu, [](const Favorites::MenuItem& item) {
        const bool noneAvailable = item.action == Favorites::MenuItem::Action::None && !item.enabled;
        return item.action != Favorites::MenuItem::Action::Open && !noneAvailable;
    });
    return menu;
}

QString RenameDialogModel::chooseFavorite(int index) {
    const QString folder = m_favorites.value(index);
    if (folder.isEmpty()) {
        return {};
    }
    if (!QFileInfo(folder).isDir()) {
        return QStringLiteral("The folder \"%1\" no longer exists.").arg(folder);
    }
    setFolder(folder);
    return {};
}

RenameDialogModel::Result RenameDialogModel::accept() const {
    if (layout() == Layout::Several) {
        if (HasUnstorableCharacter(m_folder)) {
            return {{}, QStringLiteral("Velmaro cannot move files into a folder whose name contains a quotation "
                                       "mark (\") or a line break. Please choose another folder.")};
        }
        return {m_folder, {}};
    }
    const QString text = m_fullPath;
    if (HasUnstorableCharacter(text)) {
        return {{}, QStringLiteral("A name cannot contain a quotation mark (\") or a line break, because "
                                   "Velmaro could not keep it in a Play List. Please choose another name.")};
    }
    const QString last = FileName(text);
    if (isFileKind() && (last.isEmpty() || last == u'.' || last == QStringLiteral(".."))) {
        return {{}, QStringLiteral("Please type a name for the file, not only a folder.")};
    }
    // A relative text is taken in the box's folder, so the result is always one absolute path.
    const QString path = QDir::cleanPath(text.startsWith(u'/') ? text : Join(m_folder, text));
    if (path == u'/') {
        return {{}, QStringLiteral("Please type a name for the folder.")};
    }
    return {path, {}};
}

