#pragma once

#include <QWidget>

class QLineEdit;
class QTextBrowser;

// The program's help: its HTML pages in a window of their own, opened on a topic.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    HelpWindow(const QString& helpFolder, QWidget* parent = nullptr);

    // Topics are the anchors of the pages ("Contents", "File_Types"...).
    void showTopic(const QString& topic);
    QTextBrowser* browser() const { return m_browser; }

private:
    QString m_folder;
    QTextBrowser* m_browser;
};
