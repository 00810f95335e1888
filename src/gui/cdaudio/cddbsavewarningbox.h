#pragma once

#include <QDialog>

class QCheckBox;

// TCDDBSaveWarningBox: asks before a disc already in the database is saved again. exec() is Accepted
// only on OK; closing the box by its title bar cancels like Cancel.
class CDDBSaveWarningBox : public QDialog {
    Q_OBJECT

public:
    // askInFuture: the stored choice, shown in the check box.
    explicit CDDBSaveWarningBox(bool askInFuture, QWidget* parent = nullptr);

    bool askInFuture() const;

private:
    QCheckBox* m_future;
};
