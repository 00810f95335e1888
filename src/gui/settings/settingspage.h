#pragma once

#include "core/settings/preferencesdialogmodel.h"

#include <QWidget>

#include <functional>
#include <vector>

class QBoxLayout;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

// One page of the Preferences dialog. Its controls write the live settings as the user changes them and
// show them again on refresh(); the helpers below make the common controls and keep the two in step.
class SettingsPage : public QWidget {
    Q_OBJECT

public:
    explicit SettingsPage(PreferencesDialogModel& model, QWidget* parent = nullptr);

    PreferencesDialogModel& model() { return m_model; }
    Preferences& settings() { return m_model.settings(); }

    // The controls show the settings as they are now.
    void refresh();
    void onRefresh(std::function<void()> show) { m_refreshers.push_back(std::move(show)); }
    bool refreshing() const { return m_refreshing; }

    QBoxLayout* pageLayout() const { return m_layout; }
    // The stacked layout of a group box (or of the page) made here.
    static QBoxLayout* boxOf(QWidget* widget);
    // A group box with its controls stacked in it, added to into (the page when null).
    QGroupBox* group(const QString& title, QBoxLayout* into = nullptr);
    QCheckBox* check(QWidget* into, const char* name, const QString& caption, bool Preferences::* field);
    QCheckBox* check(QWidget* into, const char* name, const QString& caption, std::function<bool&()> field);
    // A radio button that sets an int setting to value.
    QRadioButton* radio(QWidget* into, const char* name, const QString& caption, int Preferences::* field, int value);
    // A path box with its browse button. Its text goes to the setting as it is typed; when the box loses the
    // focus, check() may replace it (a path that names nothing is cleared).
    QLineEdit* pathBox(QWidget* into, const char* name, const QString& label, QString Preferences::* field,
                       const QString& filter, std::function<QString(const QString&)> check,
                       const QString& emptyFolder = QString());  // where browsing starts while the box is empty
    // Words on the page, wrapped.
    void text(const QString& words, QWidget* into = nullptr);

Q_SIGNALS:
    // A setting that shows on the main window at once changed.
    void appearanceChanged();

private:
    PreferencesDialogModel& m_model;
    QBoxLayout* m_layout;
    std::vector<std::function<void()>> m_refreshers;
    bool m_refreshing = false;
};
