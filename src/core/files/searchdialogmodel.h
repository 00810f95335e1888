#pragma once

#include <QString>

// The state of the Search box and its rules: which tab shows, what is enabled, what OK does, the
// labels of a running search and the keys that switch tabs. The box is made once and reused, so the
// Play List tab's fields (which Find Again reads) live as long as the program.
class SearchDialogModel {
public:
    enum class Tab { PlayList, Files };
    enum class Action { None, FindInPlayList, StartSearch, StopSearch };
    enum class Focus { SearchEdit, FilterEdit };

    // What the main window knows when the box opens.
    struct Opening {
        bool playListHasItems = false;
        QString fileListMask;    // the File List's current mask
        int filterGroup = 0;     // the File List's filter group
        QString currentFolder;   // the File List's folder
        QString droppedFolder;   // a folder of the Folder List dropped on the Play List, else empty
    };

    void open(const Opening& opening);

    bool playListTabVisible() const { return m_playListHasItems; }
    Tab tab() const { return m_tab; }
    void setTab(Tab tab);
    Focus initialFocus() const { return m_tab == Tab::PlayList ? Focus::SearchEdit : Focus::FilterEdit; }

    // Play List tab
    QString searchText() const { return m_searchText; }
    void setSearchText(const QString& text) { m_searchText = text; }
    bool matchCase() const { return m_matchCase; }
    void setMatchCase(bool on) { m_matchCase = on; }
    bool entirePlayList() const { return m_entirePlayList; }
    void setEntirePlayList(bool on) { m_entirePlayList = on; }
    // Where OK's search starts: the first line, or the current one.
    qsizetype findStart(qsizetype currentLine) const { return m_entirePlayList ? 0 : currentLine; }

    // General tab
    QString filterText() const { return m_filterText; }
    void setFilterText(const QString& text) { m_filterText = text; }
    int filterGroup() const { return m_filterGroup; }
    // Choosing a group copies its mask into the filter edit.
    void chooseFilterGroup(int group);
    QString folder() const { return m_folder; }
    void setFolder(const QString& folder) { m_folder = folder; }
    bool fieldsEnabled() const { return !m_searching; }
    bool isSearching() const { return m_searching; }
    QString okCaption() const;
    QString progressText() const { return m_progressText; }
    QString filesFoundText() const { return m_filesFoundText; }
    void searchStarted();
    void searchProgress(const QString& folder, qsizetype filesFound);
    // Stopped or ended: the tab is as before a search.
    void searchEnded();

    bool okEnabled() const;
    bool tipsEnabled() const { return m_tab == Tab::Files; }
    // What OK (or Enter) does now.
    Action okAction() const;
    // Cancel also stops a running search.
    bool cancelStopsSearch() const { return m_searching; }

    // A key typed while the focus is outside the three edits: P and G switch tabs and are consumed.
    bool takeTabKey(QChar key, bool focusInEdit);

    static QString tipsText();
    static QString idleProgressText() {
        return QStringLiteral("Not yet available - please press the &Search button");
    }

private:
    bool m_playListHasItems = false;
    Tab m_tab = Tab::Files;
    QString m_searchText;
    bool m_matchCase = false;
    bool m_entirePlayList = false;
    QString m_filterText;
    int m_filterGroup = 0;
    QString m_folder;
    bool m_searching = false;
    QString m_progressText = idleProgressText();
    QString m_filesFoundText = QStringLiteral("N / A");
};
