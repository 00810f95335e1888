#pragma once

#include <QObject>
#include <QString>

class AppSession;
class FileListBox;
class FolderListBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// The File Management Mode controls of the main area: creates the File List and Folder List boxes,
// forwards the events of every control to core and shows core's state in them.
class FileManagementPanel : public QObject {
    Q_OBJECT

public:
    FileManagementPanel(AppSession& session, QWidget* area);

    FileListBox* fileListBox() const { return m_fileList; }
    FolderListBox* folderListBox() const { return m_folderList; }
    // The labels are fitted to their widths: after the layout placed them.
    void fitLabels();

Q_SIGNALS:
    // The File List became empty or stopped being empty: its count label shows or hides.
    void fileListFilledOrEmptied();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectLists();
    void connectFilters();
    void showState();
    void showDrives();

    AppSession& m_session;
    QWidget* m_area;
    FileListBox* m_fileList;
    FolderListBox* m_folderList;
    QLineEdit* m_filterEdit;
    QComboBox* m_filterBox;
    QComboBox* m_driveBox;
    QLabel* m_dirLabel;
    QLabel* m_browseLabel;
    QString m_shownFolder;
    bool m_shownEmpty = true;
};
