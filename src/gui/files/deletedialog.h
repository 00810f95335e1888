#pragma once

#include "core/files/deletedialogmodel.h"

#include <QDialog>

class QCheckBox;

// TWarningDialog: asks before files, a folder, the Play List file or a log are deleted. exec() returns
// Accepted for "&Delete"; the check box's state is then the recycle choice to use and to store.
class DeleteDialog : public QDialog {
    Q_OBJECT

public:
    explicit DeleteDialog(const DeleteDialogModel::Request& request, QWidget* parent = nullptr);

    // Whether files go to the Trash: the check box as the user left it (the stored choice when hidden).
    bool recycleBin() const;
    const DeleteDialogModel& model() const { return m_model; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    DeleteDialogModel m_model;
    QCheckBox* m_recycleBin;
};
