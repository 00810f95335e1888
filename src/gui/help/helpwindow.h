#pragma once

#include "core/help/helpindex.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTextBrowser;
class QToolButton;

// The program's help: its HTML pages in a window of their own, opened on a topic, with a Topic Search
// panel over the keyword index of all pages.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    HelpWindow(const QString& helpFolder, QWidget* parent = nullptr);

    // Topics are the anchors of the pages ("Contents", "File_Types"...); an unknown topic shows the
    // contents.
    void showTopic(const QString& topic);
    // Opens the search panel with a key; an empty key lists every topic.
    void showSearch(const QString& key);
    // How to use this window.
    void showHelpOnHelp();

    QTextBrowser* browser() const { return m_browser; }
    const HelpIndex& index() const { return m_index; }

    static constexpr const char* kHelpOnHelpTopic = "Help_On_Help";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void bringUp();
    void runSearch(const QString& key);
    void openResult(const QListWidgetItem* item);
    void openFirstResult();

    QString m_folder;
    HelpIndex m_index;
    QTextBrowser* m_browser = nullptr;
    QToolButton* m_searchButton = nullptr;
    QWidget* m_searchPanel = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QLabel* m_searchInfo = nullptr;
    QListWidget* m_results = nullptr;
};
