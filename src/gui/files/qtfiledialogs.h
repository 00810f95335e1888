#pragma once

#include "core/files/filedialogs.h"

class QWidget;

// The rename/move and delete boxes over the main window.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent) : m_parent(parent) {}
    std::optional<QString> askRename(const RenameDialogModel::Request& request) override;
    std::optional<bool> confirmDelete(const DeleteDialogModel::Request& request) override;
    std::optional<QString> askNewFolderName(const QString& parent) override;
    void showProperties(FileProperties& properties) override;

private:
    QWidget* m_parent;
};
