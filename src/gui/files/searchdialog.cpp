#include "gui/files/searchdialog.h"

#include "core/common/prompter.h"
#include "core/files/filesearch.h"
#include "core/files/filetypes.h"
#include "core/files/playlistfind.h"
#include "core/playlist/playlist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QLabel* makeLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

QGroupBox* makeGroup(const QString& title, QBoxLayout* layout, std::initializer_list<QWidget*> controls) {
    auto* group = new QGroupBox(title);
    group->setLayout(layout);
    for (QWidget* control : controls) {
        layout->addWidget(control);
    }
    return group;
}

}  // namespace

SearchDialog::SearchDialog(SearchDialogModel& model, Services services, QWidget* parent)
    : QDialog(parent), m_model(model), m_s(services) {
    setObjectName(QStringLiteral("TSearchAllBox"));
    setWindowTitle(QStringLiteral("Search"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeLabel(
        "Info",
        QStringLiteral(" Welcome to the search feature of Velmaro. This window allows you to both search for items in "
                       "the current Play List and for media files on your hard drive. Please click on one of the tabs "
                       "below to choose what to search for."),
        this));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl"));
    auto* playListPage = new QWidget(m_tabs);
    playListPage->setObjectName(QStringLiteral("PlayList"));
    auto* filesPage = new QWidget(m_tabs);
    filesPage->setObjectName(QStringLiteral("Files"));
    buildPlayListTab(playListPage);
    buildFilesTab(filesPage);
    m_tabs->addTab(playListPage, QStringLiteral("&Play List"));
    m_tabs->addTab(filesPage, QStringLiteral("&General"));
    layout->addWidget(m_tabs);

    auto* buttons = new QHBoxLayout;
    m_ok = new QPushButton(QStringLiteral("&Search"), this);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    m_tips = new QPushButton(QStringLiteral("&Tips..."), this);
    m_tips->setObjectName(QStringLiteral("HelpBtn"));
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    buttons->addWidget(m_tips);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &SearchDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &SearchDialog::reject);
    connect(m_tips, &QPushButton::clicked, this, [this] {
        m_s.prompter.showMessage(Prompter::Kind::Information, SearchDialogModel::tipsText());
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (!m_showing) {
            m_model.setTab(index == 0 ? SearchDialogModel::Tab::PlayList : SearchDialogModel::Tab::Files);
            showModel();
        }
    });
    connect(&m_s.search, &FileSearch::progress, this, [this](const QString& folder, qsizetype found) {
        m_model.searchProgress(folder, found);
        showModel();
    });
    connect(&m_s.search, &FileSearch::finished, this, [this](bool stopped) {
        m_model.searchEnded();
        showModel();
        if (stopped) {
            m_filterEdit->setFocus();
        } else {
            accept();
        }
    });

    // The box sees the keys first, wherever the focus is.
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

void SearchDialog::buildPlayListTab(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    QLabel* info = makeLabel("Info1",
                             QStringLiteral("You can use &this box to search for items in the current Play List. "
                                            "Simply enter what Velmaro should search for and click Search."),
                             page);
    layout->addWidget(info);
    m_searchEdit = new QLineEdit(page);
    m_searchEdit->setObjectName(QStringLiteral("SearchEdit"));
    info->setBuddy(m_searchEdit);  // Alt+T leads into the box
    layout->addWidget(m_searchEdit);
    auto* row = new QHBoxLayout;
    m_matchCase = new QCheckBox(QStringLiteral("&Match Case"), page);
    m_matchCase->setObjectName(QStringLiteral("CaseCB"));
    row->addWidget(makeGroup(QStringLiteral("Options"), new QVBoxLayout, {m_matchCase}));
    m_entireList = new QRadioButton(QStringLiteral("Se&arch Entire Play List"), page);
    m_entireList->setObjectName(QStringLiteral("EntirePLRB"));
    m_fromCursor = new QRadioButton(QStringLiteral("S&earch From Current Position"), page);
    m_fromCursor->setObjectName(QStringLiteral("FromCursorRB"));
    m_fromCursor->setChecked(true);
    row->addWidget(makeGroup(QStringLiteral("Scope"), new QVBoxLayout, {m_entireList, m_fromCursor}));
    layout->addLayout(row);
    layout->addWidget(makeLabel(
        "Info2",
        QStringLiteral("Please select Search Again (F3) from the Edit menu if you would like to search for the next "
                       "item that matches the search expression. Also, please enable the Show Path(s) option from "
                       "the Play List menu if you would like Velmaro to search the whole path."),
        page));
    layout->addStretch();

    connect(m_searchEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.setSearchText(text);
        showModel();
    });
    connect(m_matchCase, &QCheckBox::toggled, this, [this](bool on) { m_model.setMatchCase(on); });
    connect(m_entireList, &QRadioButton::toggled, this, [this](bool on) { m_model.setEntirePlayList(on); });
}

void SearchDialog::buildFilesTab(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(makeLabel("Label1",
                                QStringLiteral("Velmaro will search the folder specified below including subfolders "
                                               "for all files which match the file mask specified in the box below. "
                                               "These files will then be added to the current Play List."),
                                page));
    m_filterEdit = new QLineEdit(page);
    m_filterEdit->setObjectName(QStringLiteral("FilterEdit"));
    m_filterGroups = new QComboBox(page);
    m_filterGroups->setObjectName(QStringLiteral("FilterComboBox"));
    for (const FilterGroup& group : kFilterGroups) {
        m_filterGroups->addItem(QString::fromLatin1(group.name));
    }
    layout->addWidget(makeGroup(QStringLiteral("Filter"), new QHBoxLayout, {m_filterEdit, m_filterGroups}));

    m_dirEdit = new QLineEdit(page);
    m_dirEdit->setObjectName(QStringLiteral("DirEdit"));
    m_browse = new QPushButton(QStringLiteral("..."), page);
    m_browse->setObjectName(QStringLiteral("BrowseBtn"));
    layout->addWidget(
        makeGroup(QStringLiteral("Folder To Search (Including Subfolders)"), new QHBoxLayout, {m_dirEdit, m_browse}));

    m_progress = new QLabel(page);
    m_progress->setObjectName(QStringLiteral("ProgressLabel"));
    auto* progress = makeGroup(QStringLiteral("Currently Searching This Folder"), new QVBoxLayout, {m_progress});
    m_filesFound = new QLabel(page);
    m_filesFound->setObjectName(QStringLiteral("FilesFoundLabel"));
    m_filesFound->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* found = makeGroup(QStringLiteral("Files Found"), new QVBoxLayout, {m_filesFound});
    auto* row = new QHBoxLayout;
    row->addWidget(progress, 3);
    row->addWidget(found, 1);
    layout->addLayout(row);
    layout->addStretch();

    connect(m_filterEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.setFilterText(text);
        showModel();
    });
    connect(m_filterGroups, &QComboBox::activated, this, [this](int index) {
        m_model.chooseFilterGroup(index);
        showModel();
    });
    connect(m_dirEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.setFolder(text);
        showModel();
    });
    connect(m_browse, &QPushButton::clicked, this, &SearchDialog::browseFolder);
}

void SearchDialog::open(const SearchDialogModel::Opening& opening) {
    m_model.open(opening);
    showModel();
}

void SearchDialog::showModel() {
    m_showing = true;
    const bool playList = m_model.tab() == SearchDialogModel::Tab::PlayList;
    m_tabs->setTabVisible(0, m_model.playListTabVisible());
    m_tabs->setCurrentIndex(playList ? 0 : 1);
    if (m_searchEdit->text() != m_model.searchText()) {
        m_searchEdit->setText(m_model.searchText());
    }
    m_matchCase->setChecked(m_model.matchCase());
    (m_model.entirePlayList() ? m_entireList : m_fromCursor)->setChecked(true);
    if (m_filterEdit->text() != m_model.filterText()) {
        m_filterEdit->setText(m_model.filterText());
    }
    m_filterGroups->setCurrentIndex(m_model.filterGroup());
    if (m_dirEdit->text() != m_model.folder()) {
        m_dirEdit->setText(m_model.folder());
    }
    const bool fields = m_model.fieldsEnabled();
    m_filterEdit->setEnabled(fields);
    m_filterGroups->setEnabled(fields);
    m_dirEdit->setEnabled(fields);
    m_browse->setEnabled(fields);
    // The label has no key of its own (Alt+S is the Search button's): the idle text shows "Search"
    // without its "&", and a folder's name is shown as it is.
    m_progress->setText(m_model.isSearching() ? m_model.progressText()
                                              : QString(m_model.progressText()).remove(u'&'));
    m_filesFound->setText(m_model.filesFoundText());
    m_ok->setText(m_model.okCaption());
    m_ok->setEnabled(m_model.okEnabled());
    m_tips->setEnabled(m_model.tipsEnabled());
    m_showing = false;
}

void SearchDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    (m_model.initialFocus() == SearchDialogModel::Focus::SearchEdit ? m_searchEdit : m_filterEdit)->setFocus();
}

bool SearchDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool inEdit = watched == m_searchEdit || watched == m_filterEdit || watched == m_dirEdit;
        const bool plain = (key->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier;
        if (plain && key->text().size() == 1 && m_model.takeTabKey(key->text().at(0), inEdit)) {
            showModel();
            (m_model.initialFocus() == SearchDialogModel::Focus::SearchEdit ? m_searchEdit : m_filterEdit)
                ->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SearchDialog::okClicked() {
    switch (m_model.okAction()) {
    case SearchDialogModel::Action::None:
        break;
    case SearchDialogModel::Action::FindInPlayList:
        FindInPlayList(m_s.playList, m_s.editor, m_s.prompter, m_s.busy,
                       m_model.findStart(m_s.playList.focusedLine()), m_model.searchText(), m_model.matchCase());
        accept();
        break;
    case SearchDialogModel::Action::StartSearch:
        m_model.searchStarted();
        showModel();
        m_s.search.start(m_model.folder(), m_model.filterText());
        break;
    case SearchDialogModel::Action::StopSearch:
        m_s.search.stop();
        break;
    }
}

void SearchDialog::reject() {
    if (m_model.cancelStopsSearch()) {
        m_s.search.stop();
    }
    QDialog::reject();
}

void SearchDialog::browseFolder() {
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Choose Folder To Search"),
                                                             m_model.folder());
    if (!folder.isEmpty()) {
        m_model.setFolder(folder);
        showModel();
    }
}
