#pragma once

#include "core/files/folderlist.h"
#include "core/files/renamedialogmodel.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QToolButton;

// TRenameDialog: renames or moves a file, a folder, several files or the Play List file. It shows a
// RenameDialogModel and hands every edit to it; exec() returns Accepted only with a checked path.
class RenameDialog : public QDialog {
    Q_OBJECT

public:
    explicit RenameDialog(const RenameDialogModel::Request& request, QWidget* parent = nullptr);

    // After Accepted: the new absolute path, or the destination folder when several files move.
    QString resultPath() const { return m_resultPath; }
    const RenameDialogModel& model() const { return m_model; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showFields();
    void showFolder();
    void chooseDrive(int index);
    void openFavorites();
    void tryAccept();

    RenameDialogModel m_model;
    QList<Drive> m_drives;
    QString m_resultPath;
    QLineEdit* m_fullPath;
    QLineEdit* m_shortName;
    QFrame* m_favoritesPanel;
    QToolButton* m_favoritesButton;
    QMenu* m_favoritesMenu;
    QComboBox* m_drive;
    QListWidget* m_folders;
    QPushButton* m_ok;
};
