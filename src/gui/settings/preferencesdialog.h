#pragma once

#include "core/settings/favoritespagemodel.h"
#include "core/settings/preferencesdialogmodel.h"
#include "core/settings/shortcuteditor.h"

#include <QDialog>

#include <map>

class AppSession;
class FavoritesPage;
class SettingsPage;
class ShortcutsPage;
class QLabel;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

// PrefBox: every setting of the program in one dialog, a tree of categories beside their pages. Made
// once and shown again with run(); its pages change the live settings as the user goes, OK keeps and
// writes them, Cancel puts them back.
class PreferencesDialog : public QDialog {
    Q_OBJECT

public:
    explicit PreferencesDialog(AppSession& session, QWidget* parent = nullptr);

    // Shows the dialog on the page asked for (else the page shown last) and waits for it; true after OK.
    bool run();

    QWidget* page(PreferencesPage which) const;
    QTreeWidget* tree() const { return m_tree; }

public Q_SLOTS:
    void accept() override;
    void reject() override;

Q_SIGNALS:
    // Something that shows on the main window at once changed (or was put back).
    void appearanceChanged();
    // A keyboard shortcut changed.
    void shortcutsChanged();

private:
    void buildPages();
    void addPage(PreferencesPage page, QWidget* widget);
    void showPage(QTreeWidgetItem* node);
    void selectPage(PreferencesPage page);
    void setDefaults();
    void refreshPages();

    AppSession& m_session;
    PreferencesDialogModel& m_model;
    ShortcutEditor m_shortcutEditor;
    ShortcutsPage* m_shortcutsPage = nullptr;
    FavoritesPageModel m_folderModel{Favorites::Kind::Folders};
    FavoritesPageModel m_playListModel{Favorites::Kind::PlayLists};
    FavoritesPage* m_folders = nullptr;
    FavoritesPage* m_playLists = nullptr;
    QTreeWidget* m_tree;
    QLabel* m_nodeName;
    QStackedWidget* m_notebook;
    std::map<PreferencesPage, QTreeWidgetItem*> m_nodes;
    std::map<PreferencesPage, QWidget*> m_pages;
};
