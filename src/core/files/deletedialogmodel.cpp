#include "core/files/deletedialogmodel.h"

#include "core/files/filepaths.h"
#include "core/common/itemref.h"
#include "core/playlist/playlist.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kClientWidth = 400;
constexpr int kInnerWidth = kClientWidth - 32;

QString NothingSelected() {
    return QStringLiteral("Please select at least one item.");
}

// The rows a command acts on: the selected ones in list order, else the focused one.
std::vector<qsizetype> ChosenRows(std::vector<qsizetype> selected, qsizetype focused, qsizetype count) {
    std::erase_if(selected, [count](qsizetype row) { return row < 0 || row >= count; });
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    if (selected.empty() && focused >= 0 && focused < count) {
        selected.push_back(focused);
    }
    return selected;
}

}  // namespace

DeleteDialogModel::DeleteDialogModel(Request request) : m_request(std::move(request)) {}

QString DeleteDialogModel::caption() const {
    switch (m_request.kind) {
        case Kind::PlayListFile:
            return QStringLiteral("Delete Play List");
        case Kind::ErrorLog:
            return QStringLiteral("Delete Error Log");
        case Kind::PlayLog:
            return QStringLiteral("Delete Log");
        case Kind::FileListOne:
        case Kind::FileListSeveral:
            return QStringLiteral("Delete file from File List");
        case Kind::PlayListOne:
        case Kind::PlayListSeveral:
            return QStringLiteral("Delete file from Play List");
        case Kind::Folder:
            break;
    }
    return QStringLiteral("Delete Folder");
}

QString DeleteDialogModel::info() const {
    if (hasList()) {
        return {};
    }
    return m_request.kind == Kind::Folder ? QStringLiteral("Are you sure you want to delete this folder:")
                                          : QStringLiteral("Are you sure you want to delete this file:");
}

QString DeleteDialogModel::nameText() const {
    return hasList() ? QString() : m_request.names.value(0);
}

QStringList DeleteDialogModel::lines() const {
    return hasList() ? m_request.names : QStringList();
}

QString DeleteDialogModel::playListWarning() const {
    if (m_request.kind == Kind::PlayListOne) {
        return QStringLiteral(
            " WARNING: This file will be DELETED from the disk physically. If you just want to remove the "
            "reference to this file from the current Play List without deleting it, use the Remove button.");
    }
    if (m_request.kind == Kind::PlayListSeveral) {
        return QStringLiteral(
            " WARNING: These files will be DELETED from the disk physically. If you just want to remove the "
            "reference to these files from the current Play List without deleting them, use the Remove button.");
    }
    return {};
}

QString DeleteDialogModel::multipleFilesText() {
    return QStringLiteral(
        "You have selected multiple files. The files that will be deleted are listed in the box below. If any "
        "files are present in the box that you do not wish to delete, press Cancel and unselect those files.");
}

bool DeleteDialogModel::hasList() const {
    return m_request.kind == Kind::FileListSeveral || m_request.kind == Kind::PlayListSeveral;
}

DeleteDialogModel::Frame DeleteDialogModel::frame() const {
    switch (m_request.kind) {
        case Kind::FileListSeveral:
            return {176, 191, 159, 224};
        case Kind::PlayListOne:
            return {112, 127, 95, 160};
        case Kind::PlayListSeveral:
            return {224, 239, 207, 272};
        case Kind::Folder:
            return {41, 56, -1, 89};
        case Kind::PlayListFile:
        case Kind::ErrorLog:
        case Kind::PlayLog:
        case Kind::FileListOne:
            break;
    }
    return {64, 79, 48, 112};
}

std::vector<DialogPlacement> DeleteDialogModel::placements() const {
    const Kind kind = m_request.kind;
    const Frame f = frame();
    const bool playListFiles = kind == Kind::PlayListOne || kind == Kind::PlayListSeveral;
    // Below the Play List's warning, the list's explanation and the list start one block lower.
    const int listShift = kind == Kind::PlayListSeveral ? 48 : 0;
    const int listTop = 64 + listShift;
    return {
        {"Bevel", QRect(8, 8, kClientWidth - 16, f.bevelHeight), true},
        {"Info", QRect(16, 16, kInnerWidth, 14), !hasList()},
        {"NameEdit", QRect(16, 31, kInnerWidth, 15), !hasList()},
        {"PLWarningLabel", QRect(16, kind == Kind::PlayListOne ? 48 : 16, kInnerWidth, 45), playListFiles},
        {"MultipleFilesLabel", QRect(16, 16 + listShift, kInnerWidth, 45), hasList()},
        {"ListBox", QRect(16, listTop, kInnerWidth, std::max(0, f.checkBoxTop - listTop - 6)), hasList()},
        {"RecycleBinCB", QRect(16, f.checkBoxTop, kInnerWidth, 17), hasRecycleChoice()},
        {"OKBtn", QRect(kClientWidth / 2 - 80, f.buttonTop, 75, 25), true},
        {"CancelBtn", QRect(kClientWidth / 2 + 5, f.buttonTop, 75, 25), true},
    };
}

QSize DeleteDialogModel::clientSize() const {
    return {kClientWidth, frame().clientHeight};
}

DeleteDialogModel::Targets DeleteDialogModel::FileListTargets(const QString& folder, const QStringList& entries,
                                                              const std::vector<qsizetype>& selected,
                                                              qsizetype focused, bool recycleBin) {
    const std::vector<qsizetype> rows = ChosenRows(selected, focused, entries.size());
    if (rows.empty()) {
        return {{}, {}, NothingSelected()};
    }
    Targets targets{{rows.size() == 1 ? Kind::FileListOne : Kind::FileListSeveral, {}, recycleBin}, {}, {}};
    for (const qsizetype row : rows) {
        targets.request.names.append(entries.at(row));
        targets.paths.append(FilePaths::Join(folder, entries.at(row)));
    }
    return targets;
}

DeleteDialogModel::Targets DeleteDialogModel::PlayListTargets(const PlayList& list, bool recycleBin) {
    const std::vector<qsizetype> rows = ChosenRows(list.selectedLines(), list.focusedLine(), list.count());
    if (rows.empty()) {
        return {{}, {}, NothingSelected()};
    }
    Targets targets;
    QStringList shown;
    for (const qsizetype row : rows) {
        const QString& ref = list.item(row);
        if (IsCDItem(ref)) {
            continue;
        }
        targets.paths.append(GetItemValue(ref, QStringLiteral("FILE")));
        shown.append(list.line(row));
    }
    if (targets.paths.isEmpty()) {
        targets.refusal = QStringLiteral(
            "You cannot delete CD Audio tracks. Please use\rthe R&emove button to remove the reference to\r"
            "this CD track from the Play List.");
        return targets;
    }
    // One file is named by its line as the box shows it; a list names files without their folders.
    if (shown.size() > 1) {
        for (QString& line : shown) {
            line = FilePaths::FileName(line);
        }
    }
    targets.request = {shown.size() == 1 ? Kind::PlayListOne : Kind::PlayListSeveral, shown, recycleBin};
    return targets;
}

DeleteDialogModel::Targets DeleteDialogModel::PlayListFileTargets(Kind kind, const QString& playListPath,
                                                                  bool recycleBin) {
    QString path = playListPath;
    if (kind == Kind::ErrorLog) {
        path = FilePaths::ChangeExtension(path, QStringLiteral(".ERR"));
    } else if (kind == Kind::PlayLog) {
        path = FilePaths::ChangeExtension(path, QStringLiteral(".LOG"));
    }
    return {{kind, {FilePaths::FileName(path)}, recycleBin}, {path}, {}};
}

DeleteDialogModel::Targets DeleteDialogModel::FolderTargets(const QString& folder) {
    const QString path = FilePaths::CleanFolder(folder);
    return {{Kind::Folder, {path}, false}, {path}, {}};
}
