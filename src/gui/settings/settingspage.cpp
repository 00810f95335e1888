#include "gui/settings/settingspage.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

SettingsPage::SettingsPage(PreferencesDialogModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_layout(new QVBoxLayout(this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
}

QBoxLayout* SettingsPage::boxOf(QWidget* widget) {
    return qobject_cast<QBoxLayout*>(widget->layout());
}

void SettingsPage::refresh() {
    m_refreshing = true;
    for (const auto& show : m_refreshers) {
        show();
    }
    m_refreshing = false;
}

QGroupBox* SettingsPage::group(const QString& title, QBoxLayout* into) {
    auto* box = new QGroupBox(title);
    new QVBoxLayout(box);
    (into ? into : m_layout)->addWidget(box);
    return box;
}

QCheckBox* SettingsPage::check(QWidget* into, const char* name, const QString& caption, bool Preferences::* field) {
    return check(into, name, caption, [this, field]() -> bool& { return settings().*field; });
}

QCheckBox* SettingsPage::check(QWidget* into, const char* name, const QString& caption,
                                  std::function<bool&()> field) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(QString::fromLatin1(name));
    boxOf(into ? into : this)->addWidget(box);
    onRefresh([box, field] { box->setChecked(field()); });
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
        if (!m_refreshing) {
            field() = on;
        }
    });
    return box;
}

QRadioButton* SettingsPage::radio(QWidget* into, const char* name, const QString& caption,
                                     int Preferences::* field, int value) {
    auto* button = new QRadioButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    boxOf(into ? into : this)->addWidget(button);
    onRefresh([this, button, field, value] { button->setChecked(settings().*field == value); });
    connect(button, &QRadioButton::toggled, this, [this, field, value](bool on) {
        if (on && !m_refreshing) {
            settings().*field = value;
        }
    });
    return button;
}

QLineEdit* SettingsPage::pathBox(QWidget* into, const char* name, const QString& label, QString Preferences::* field,
                                    const QString& filter, std::function<QString(const QString&)> check,
                                    const QString& emptyFolder) {
    auto* row = new QHBoxLayout;
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    auto* browse = new QToolButton;
    browse->setObjectName(QString::fromLatin1(name) + QStringLiteral("Browse"));
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Browse"));
    if (!label.isEmpty()) {
        auto* caption = new QLabel(label);
        caption->setBuddy(edit);
        boxOf(into ? into : this)->addWidget(caption);
    }
    row->addWidget(edit, 1);
    row->addWidget(browse);
    boxOf(into ? into : this)->addLayout(row);

    onRefresh([this, edit, field] { edit->setText(settings().*field); });
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) { settings().*field = text; });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, field, check] {
        const QString kept = check(edit->text());
        if (kept != edit->text()) {
            edit->setText(kept);
            settings().*field = kept;
        }
    });
    connect(browse, &QToolButton::clicked, this, [this, edit, filter, label, emptyFolder] {
        const QString folder = edit->text().isEmpty() && !emptyFolder.isEmpty()
                                   ? emptyFolder
                                   : QFileInfo(edit->text()).absolutePath();
        const QString chosen = QFileDialog::getOpenFileName(this, QString(label).remove(u'&').remove(u':'), folder, filter);
        if (!chosen.isEmpty()) {
            edit->setText(chosen);
            Q_EMIT edit->textEdited(chosen);
        }
    });
    return edit;
}

void SettingsPage::text(const QString& words, QWidget* into) {
    auto* label = new QLabel(words);
    label->setWordWrap(true);
    boxOf(into ? into : this)->addWidget(label);
}
