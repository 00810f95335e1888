#pragma once

#include "core/files/searchdialogmodel.h"

#include <QDialog>

class BusyIndicator;
class FileSearch;
class PlayList;
class PlayListEditor;
class Prompter;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

// TSearchAllBox: finds a line of the Play List, or searches a folder tree for media files that join
// the Play List. Made once and reused; open() prepares it for each showing, then the caller runs exec().
// Its fields and rules are the model's; this box only shows them and forwards the user's input.
class SearchDialog : public QDialog {
    Q_OBJECT

public:
    struct Services {
        PlayList& playList;
        PlayListEditor& editor;
        Prompter& prompter;
        BusyIndicator* busy = nullptr;
        FileSearch& search;
    };

    SearchDialog(SearchDialogModel& model, Services services, QWidget* parent = nullptr);

    void open(const SearchDialogModel::Opening& opening);

public Q_SLOTS:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildPlayListTab(QWidget* page);
    void buildFilesTab(QWidget* page);
    void okClicked();
    void browseFolder();
    // Shows the model's state in the controls.
    void showModel();

    SearchDialogModel& m_model;
    Services m_s;
    bool m_showing = false;
    QTabWidget* m_tabs;
    QLineEdit* m_searchEdit;
    QCheckBox* m_matchCase;
    QRadioButton* m_entireList;
    QRadioButton* m_fromCursor;
    QLineEdit* m_filterEdit;
    QComboBox* m_filterGroups;
    QLineEdit* m_dirEdit;
    QPushButton* m_browse;
    QLabel* m_progress;
    QLabel* m_filesFound;
    QPushButton* m_ok;
    QPushButton* m_tips;
};
