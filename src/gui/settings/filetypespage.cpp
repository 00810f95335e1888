#include "gui/settings/filetypespage.h"

#include "core/files/filetypes.h"
#include "core/ports/desktopfiletypes.h"
#include "gui/settings/settingspage.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Tooltips take the hint's text before "|".
QString tip(const QString& hint) {
    return hint.section(u'|', 0, 0).remove(u'\r').replace(u'\n', u' ');
}

}  // namespace

void buildFileTypesPage(SettingsPage& page, DesktopFileTypes* registration) {
    auto* groups = new QComboBox;
    groups->setObjectName(QStringLiteral("FilterComboBox"));
    for (int group = 0; group < kMediaGroupCount; ++group) {
        groups->addItem(MediaGroupName(group));
    }
    auto* chooseLabel = new QLabel(QStringLiteral("File &Type To Edit:"));
    chooseLabel->setBuddy(groups);
    page.pageLayout()->addWidget(chooseLabel);
    page.pageLayout()->addWidget(groups);

    QGroupBox* editorBox = page.group(QStringLiteral("&Editor"));
    auto* editor = new QLineEdit;
    editor->setObjectName(QStringLiteral("EditorsEdit"));
    auto* browse = new QToolButton;
    browse->setObjectName(QStringLiteral("EditorsEditBrowse"));
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Browse"));
    auto* row = new QHBoxLayout;
    row->addWidget(editor, 1);
    row->addWidget(browse);
    SettingsPage::boxOf(editorBox)->addLayout(row);
    page.text(QStringLiteral("Edit Item starts this program on a file of the chosen type."), editorBox);

    QGroupBox* registerBox = page.group(QStringLiteral("Opening From the Desktop"));
    auto* ours = new QPushButton(QStringLiteral("Register"));
    ours->setObjectName(QStringLiteral("RegisterBtn"));
    ours->setToolTip(tip(QStringLiteral("Press this button to make Velmaro \ryour default player for this file type|")));
    auto* theirs = new QPushButton(QStringLiteral("Desktop Default"));
    theirs->setObjectName(QStringLiteral("WinDefaultBtn"));
    theirs->setToolTip(tip(QStringLiteral("Press this button to give this file type back to\r\n"
                                          "the player the desktop used before|")));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ours);
    buttons->addWidget(theirs);
    buttons->addStretch(1);
    SettingsPage::boxOf(registerBox)->addLayout(buttons);
    ours->setEnabled(registration != nullptr);
    theirs->setEnabled(registration != nullptr);
    page.pageLayout()->addStretch(1);

    const auto showEditor = [&page, groups, editor] {
        editor->setText(page.settings().editors[static_cast<size_t>(groups->currentIndex())]);
    };
    page.onRefresh(showEditor);
    QObject::connect(groups, &QComboBox::currentIndexChanged, &page, showEditor);
    QObject::connect(editor, &QLineEdit::textEdited, &page, [&page, groups](const QString& text) {
        page.settings().editors[static_cast<size_t>(groups->currentIndex())] = text.trimmed();
    });
    QObject::connect(browse, &QToolButton::clicked, &page, [&page, groups, editor] {
        const QString chosen = QFileDialog::getOpenFileName(&page, QStringLiteral("Select Editor"),
                                                            QFileInfo(editor->text()).absolutePath(),
                                                            QStringLiteral("Programs (*)"));
        if (!chosen.isEmpty()) {
            editor->setText(chosen);
            page.settings().editors[static_cast<size_t>(groups->currentIndex())] = chosen;
        }
    });
    if (registration) {
        QObject::connect(ours, &QPushButton::clicked, &page,
                         [registration, groups] { registration->registerGroup(groups->currentIndex()); });
        QObject::connect(theirs, &QPushButton::clicked, &page,
                         [registration, groups] { registration->restoreDesktopDefault(groups->currentIndex()); });
    }
}
