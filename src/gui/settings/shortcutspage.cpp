#include "gui/settings/shortcutspage.h"

#include "core/settings/shortcuteditor.h"
#include "gui/settings/hotkeyedit.h"
#include "gui/common/hint.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int kItemRole = Qt::UserRole;  // a node's index into the shortcut items

qsizetype itemOf(const QTreeWidgetItem* node) {
    return node ? node->data(0, kItemRole).value<qsizetype>() : -1;
}

// A tree that asks before a user's click or key moves its selection, so a conflict can keep the
// user on the node until it was put to them.
class ShortcutTree : public QTreeWidget {
public:
    ShortcutTree(std::function<bool()> mayLeave, QWidget* parent)
        : QTreeWidget(parent), m_mayLeave(std::move(mayLeave)) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        const QTreeWidgetItem* target = itemAt(event->position().toPoint());
        if (target && target != currentItem() && !m_mayLeave()) {
            event->accept();
            return;
        }
        QTreeWidget::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        // Dragging over the nodes would move the selection past the question above.
        if (event->buttons() == Qt::NoButton) {
            QTreeWidget::mouseMoveEvent(event);
        }
    }
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        const QModelIndex next = QTreeWidget::moveCursor(action, modifiers);
        if (next.isValid() && next != currentIndex() && !m_mayLeave()) {
            return currentIndex();
        }
        return next;
    }
    void keyboardSearch(const QString& search) override {
        if (m_mayLeave()) {
            QTreeWidget::keyboardSearch(search);
        }
    }

private:
    std::function<bool()> m_mayLeave;
};

QPushButton* makeButton(const char* name, const QString& caption, const QString& hint, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    SetHint(button, hint);
    return button;
}

}  // namespace

ShortcutsPage::ShortcutsPage(ShortcutEditor& editor, Shortcuts& shortcuts, QWidget* parent)
    : QWidget(parent), m_editor(editor), m_shortcuts(shortcuts), m_announced(shortcuts) {
    m_tree = new ShortcutTree([this] { return mayLeaveNode(); }, this);
    m_tree->setObjectName(QStringLiteral("ShortCutsTreeView"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);

    m_hotKey = new HotKeyEdit(this);
    m_hotKey->setObjectName(QStringLiteral("HotKey"));
    auto* hotKeyLabel = new QLabel(QStringLiteral("&Shortcut:"), this);
    hotKeyLabel->setBuddy(m_hotKey);

    m_conflicts = new QComboBox(this);
    m_conflicts->setObjectName(QStringLiteral("ConflictingShortCutsComboBox"));
    auto* conflictsLabel = new QLabel(QStringLiteral("Co&nflicting Shortcuts:"), this);
    conflictsLabel->setBuddy(m_conflicts);

    auto* resetThis = makeButton("RestoreThisShortCutBtn", QStringLiteral("&Reset This Shortcut"),
                                 QStringLiteral("Reset this shortcut to its default value|"), this);
    auto* resetAll = makeButton("RestoreAllShortCutsBtn", QStringLiteral("R&eset All Shortcuts"),
                                QStringLiteral("Reset all shortcuts to their default values|"), this);

    auto* controls = new QVBoxLayout;
    controls->addWidget(hotKeyLabel);
    controls->addWidget(m_hotKey);
    controls->addSpacing(8);
    controls->addWidget(conflictsLabel);
    controls->addWidget(m_conflicts);
    controls->addStretch(1);
    controls->addWidget(resetThis);
    controls->addWidget(resetAll);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree, 1);
    layout->addLayout(controls);

    connect(m_hotKey, &HotKeyEdit::valueTyped, this, [this](int value) { m_editor.setHotKey(value); });
    connect(m_hotKey, &HotKeyEdit::left, this, &ShortcutsPage::applyPending);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { selectedNodeChanged(current); });
    connect(m_conflicts, &QComboBox::activated, this, &ShortcutsPage::chooseConflict);
    connect(resetThis, &QPushButton::clicked, this, [this] { runStep([this] { m_editor.resetThis(); }); });
    connect(resetAll, &QPushButton::clicked, this, &ShortcutsPage::resetAll);

    rebuild();
}

void ShortcutsPage::applyPending() {
    runStep([this] { m_editor.ChangeShortCut(false); });
}

void ShortcutsPage::rebuild() {
    // Nearly a hundred nodes come and go: the page is drawn once they stand.
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    m_rebuilding = true;
    m_tree->clear();
    // Nodes follow the items' menu order, so a node's parent is the last node one level up.
    std::vector<QTreeWidgetItem*> lastAtLevel;
    const int topDepth = m_shortcuts.count() > 0 ? m_shortcuts.depth(0) : 0;
    for (qsizetype i = 0; i < m_shortcuts.count(); ++i) {
        const auto level = static_cast<size_t>(std::max(0, m_shortcuts.depth(i) - topDepth));
        auto* node = level == 0 || lastAtLevel.size() < level ? new QTreeWidgetItem(m_tree)
                                                              : new QTreeWidgetItem(lastAtLevel[level - 1]);
        node->setText(0, m_shortcuts.caption(i));
        node->setData(0, kItemRole, QVariant::fromValue(i));
        lastAtLevel.resize(level + 1);
        lastAtLevel[level] = node;
    }
    QTreeWidgetItem* first = m_tree->topLevelItem(0);
    m_tree->setCurrentItem(first);
    m_rebuilding = false;
    setUpdatesEnabled(updates);
    runStep([this, first] { m_editor.selectNode(itemOf(first)); });
}

bool ShortcutsPage::mayLeaveNode() {
    bool allowed = true;
    if (!m_rebuilding) {
        runStep([this, &allowed] { allowed = m_editor.ShortCutsTreeViewChanging(); });
    }
    return allowed;
}

void ShortcutsPage::selectedNodeChanged(QTreeWidgetItem* current) {
    if (m_rebuilding || !current) {
        return;
    }
    runStep([this, current] {
        m_editor.ChangeShortCut(true);
        m_editor.selectNode(itemOf(current));
    });
}

void ShortcutsPage::chooseConflict(int index) {
    const qsizetype item = m_editor.chooseConflict(m_conflicts->itemText(index));
    if (QTreeWidgetItem* node = nodeOf(item)) {
        m_tree->setCurrentItem(node);
        m_tree->scrollToItem(node);
    }
}

void ShortcutsPage::resetAll() {
    bool reset = false;
    runStep([this, &reset] { reset = m_editor.resetAll(); });
    if (reset) {
        rebuild();
    }
}

void ShortcutsPage::runStep(const std::function<void()>& step) {
    step();
    showEditor();
    if (!(m_shortcuts == m_announced)) {
        m_announced = m_shortcuts;
        Q_EMIT shortcutsChanged();
    }
}

void ShortcutsPage::showEditor() {
    m_hotKey->showValue(m_editor.hotKey());
    m_conflicts->clear();
    m_conflicts->addItems(m_editor.conflictList());
    m_conflicts->setCurrentIndex(0);
    m_conflicts->setEnabled(m_editor.conflictListEnabled());
}

QTreeWidgetItem* ShortcutsPage::nodeOf(qsizetype item) const {
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        if (itemOf(*it) == item) {
            return *it;
        }
    }
    return nullptr;
}
