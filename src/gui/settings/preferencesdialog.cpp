#include "gui/settings/preferencesdialog.h"

#include "core/app/appsession.h"
#include "gui/settings/appearancepages.h"
#include "gui/settings/favoritespage.h"
#include "gui/settings/filetypespage.h"
#include "gui/settings/generalpages.h"
#include "gui/settings/traypage.h"
#include "gui/settings/resetandlogpages.h"
#include "gui/settings/settingspage.h"
#include "gui/settings/shortcutspage.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kInfo = QStringLiteral("Please rest the mouse pointer on an active topic a few seconds to get help");

}  // namespace

PreferencesDialog::PreferencesDialog(AppSession& session, QWidget* parent)
    : QDialog(parent),
      m_session(session),
      m_model(session.preferencesDialog()),
      m_shortcutEditor(session.preferences().shortcuts, session.prompter()),
      m_tree(new QTreeWidget),
      m_nodeName(new QLabel),
      m_notebook(new QStackedWidget) {
    setObjectName(QStringLiteral("PrefBox"));
    setWindowTitle(QStringLiteral("Preferences"));
    m_tree->setObjectName(QStringLiteral("TreeView"));
    m_tree->setHeaderHidden(true);
    m_tree->setFixedWidth(190);
    m_nodeName->setObjectName(QStringLiteral("NameOfNode"));
    QFont bold = m_nodeName->font();
    bold.setBold(true);
    m_nodeName->setFont(bold);
    m_notebook->setObjectName(QStringLiteral("Notebook"));
    auto* info = new QLabel(kInfo);
    info->setObjectName(QStringLiteral("Info"));
    info->setWordWrap(true);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto* standard = new QPushButton(QStringLiteral("&Default"));
    standard->setObjectName(QStringLiteral("DefaultBtn"));
    standard->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(standard, &QPushButton::clicked, this, &PreferencesDialog::setDefaults);

    auto* right = new QVBoxLayout;
    right->addWidget(m_nodeName);
    right->addWidget(m_notebook, 1);
    right->addWidget(info);
    auto* top = new QHBoxLayout;
    top->addWidget(m_tree);
    top->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(standard);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    buildPages();
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) { showPage(node); });
    m_nodes.at(PreferencesPage::General)->setExpanded(true);
    selectPage(PreferencesPage::General);
    resize(640, 420);
}

void PreferencesDialog::buildPages() {
    using P = PreferencesPage;
    const std::pair<P, void (*)(SettingsPage&)> builders[] = {
        {P::General, buildGeneralPage},
        {P::PlayList, buildPlayListPage},
        {P::Tray, buildTrayPage},
        {P::Title, buildTitlePage},
        {P::Video, buildVideoPage},
        {P::StatusBar, buildStatusBarPage},
        {P::Components, buildComponentsPage},
        {P::Appearance, buildAppearancePage},
        {P::BackgroundBitmaps, buildBitmapsPage},
        {P::BackgroundColours, buildBackgroundColoursPage},
        {P::TextColours, buildTextColoursPage},
        {P::Font, buildFontPage},
        {P::CDAudio, buildCDAudioPage},
        {P::Favorites, buildFavoritesPage},
        {P::Advanced, buildAdvancedPage},
        {P::PlayLog, buildPlayLogPage},
        {P::ErrorLog, buildErrorLogPage},
    };
    for (const auto& [which, build] : builders) {
        auto* page = new SettingsPage(m_model);
        build(*page);
        connect(page, &SettingsPage::appearanceChanged, this, &PreferencesDialog::appearanceChanged);
        addPage(which, page);
    }
    m_shortcutsPage = new ShortcutsPage(m_shortcutEditor, m_session.preferences().shortcuts);
    connect(m_shortcutsPage, &ShortcutsPage::shortcutsChanged, this, &PreferencesDialog::shortcutsChanged);
    addPage(P::Shortcuts, m_shortcutsPage);
    m_folders = new FavoritesPage(m_folderModel, m_session.prompter());
    m_playLists = new FavoritesPage(m_playListModel, m_session.prompter());
    addPage(P::FavoriteFolders, m_folders);
    addPage(P::FavoritePlayLists, m_playLists);
    auto* midiReset = new SettingsPage(m_model);
    buildMidiResetPage(*midiReset, QFileInfo(m_session.folders().samples).dir().filePath(QStringLiteral("Reset")));
    addPage(P::MidiReset, midiReset);
    auto* fileTypes = new SettingsPage(m_model);
    buildFileTypesPage(*fileTypes, m_session.fileTypes());
    addPage(P::FileTypes, fileTypes);

    for (const PreferencesNode& node : PreferencesNodes()) {
        auto* item = node.parent ? new QTreeWidgetItem(m_nodes.at(*node.parent)) : new QTreeWidgetItem(m_tree);
        item->setText(0, node.text);
        item->setData(0, Qt::UserRole, static_cast<int>(node.page));
        m_nodes[node.page] = item;
    }
}

void PreferencesDialog::addPage(PreferencesPage which, QWidget* widget) {
    m_pages[which] = widget;
    m_notebook->addWidget(widget);
}

QWidget* PreferencesDialog::page(PreferencesPage which) const {
    const auto found = m_pages.find(which);
    return found == m_pages.end() ? nullptr : found->second;
}

void PreferencesDialog::selectPage(PreferencesPage which) {
    QTreeWidgetItem* node = m_nodes.at(which);
    if (node->parent()) {
        node->parent()->setExpanded(true);
    }
    node->setExpanded(true);
    m_tree->setCurrentItem(node);
    showPage(node);
}

void PreferencesDialog::showPage(QTreeWidgetItem* node) {
    if (!node) {
        return;
    }
    // A key combination typed on the shortcuts page counts as soon as the user moves on.
    m_shortcutsPage->applyPending();
    const auto which = static_cast<PreferencesPage>(node->data(0, Qt::UserRole).toInt());
    m_nodeName->setText(node->text(0));
    if (QWidget* widget = page(which)) {
        m_notebook->setCurrentWidget(widget);
    }
    if (auto* favorites = qobject_cast<FavoritesPage*>(page(which))) {
        favorites->enterPage();
    }
}

void PreferencesDialog::refreshPages() {
    for (const auto& [which, widget] : m_pages) {
        if (auto* settings = qobject_cast<SettingsPage*>(widget)) {
            settings->refresh();
        }
    }
}

bool PreferencesDialog::run() {
    m_model.remember();
    refreshPages();
    m_folders->load(m_session.preferences().favoriteFolders);
    m_playLists->load(m_session.preferences().favoritePlayLists);
    if (const auto request = m_model.takePageRequest()) {
        selectPage(*request);
    } else {
        showPage(m_tree->currentItem());
    }
    return exec() == QDialog::Accepted;
}

void PreferencesDialog::accept() {
    m_shortcutsPage->applyPending();
    m_session.preferencesAccepted(m_folders->entries(), m_playLists->entries());
    QDialog::accept();
}

void PreferencesDialog::reject() {
    m_shortcutsPage->applyPending();
    m_session.preferencesCancelled();
    Q_EMIT appearanceChanged();
    QDialog::reject();
}

void PreferencesDialog::setDefaults() {
    m_model.setDefaults();
    if (m_shortcutEditor.resetAll()) {
        m_shortcutsPage->rebuild();
    }
    refreshPages();
    Q_EMIT appearanceChanged();
}
