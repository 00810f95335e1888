#pragma once

#include "core/settings/favoritespagemodel.h"

#include <QPointer>
#include <QWidget>

class Prompter;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

// The Preferences page "Favorites, Favorite Folders" or "Favorites, Favorite Play Lists", after the
// model's kind: a list box, an edit box with a browse button, a spin button to move the selected line
// and the buttons Add, Delete and Change. Every step goes to the model, then the page shows it.
class FavoritesPage : public QWidget {
    Q_OBJECT

public:
    FavoritesPage(FavoritesPageModel& model, Prompter& prompter, QWidget* parent = nullptr);

    // Fills the list box when the dialog is shown.
    void load(const QStringList& list);
    // The lines to keep on OK, without empty ones.
    QStringList entries() const;
    // The dialog turned to this page.
    void enterPage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showModel();
    void changeEntry();
    void browse();
    // Enter in the edit box changes the entry, so the dialog's default button must not claim it.
    void suspendDefaultButton();
    void restoreDefaultButton();

    FavoritesPageModel& m_model;
    Prompter& m_prompter;
    QListWidget* m_list;
    QLineEdit* m_edit;
    QToolButton* m_browse;
    QPushButton* m_add;
    QPushButton* m_delete;
    QPushButton* m_change;
    QPointer<QPushButton> m_suspendedDefault;
};
