#pragma once

#include <QDialog>

#include <functional>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The viewer of a Play List's play log or error log: the file's lines as they are, a Done button and
// one that deletes the log through the delete box. A delete that does not happen leaves it open.
class LogViewer : public QDialog {
    Q_OBJECT

public:
    // deleteLog asks and deletes; true when the log is gone.
    LogViewer(const QString& path, bool errorLog, std::function<bool()> deleteLog, QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrange();

    std::function<bool()> m_deleteLog;
    QFrame* m_bevel;
    QLabel* m_info;
    QPlainTextEdit* m_memo;
    QPushButton* m_done;
    QPushButton* m_delete;
};
