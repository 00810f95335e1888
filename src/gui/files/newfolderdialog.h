#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// "Create New Folder": the name of a subfolder of the Folder List's selected folder.
class NewFolderDialog : public QDialog {
    Q_OBJECT

public:
    NewFolderDialog(const QString& parentFolder, QWidget* parent = nullptr);
    QString name() const;

private:
    QLineEdit* m_name;
    QPushButton* m_ok;
};
