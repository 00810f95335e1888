#pragma once

#include <QDialog>

class QPushButton;

// TRemoveCDDialog: asks whether to remove a disc from the database. exec() is Accepted only on OK.
class RemoveCDDialog : public QDialog {
    Q_OBJECT

public:
    explicit RemoveCDDialog(const QString& discName, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* m_ok;
};
