#pragma once

#include <QObject>

class ActionRegistry;
class AppSession;
class PlayListBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

// The Play List side of the main window: the path edit with its browse button, the box, its info
// label, the add and remove buttons and the spin button that moves the selection. The controls are
// children of the window's area, which places them.
class PlayListPanel : public QObject {
    Q_OBJECT

public:
    PlayListPanel(AppSession& session, QWidget* area);

    PlayListBox* box() const { return m_box; }
    QLineEdit* pathEdit() const { return m_path; }
    // Its buttons run their commands and are enabled with them.
    void bindCommands(ActionRegistry& actions);
    // Takes the state updateControls decided.
    void showControls();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* button(const char* name);
    void replaceFromPathEdit();
    void showInfo(const QString& caption);

    AppSession& m_session;
    PlayListBox* m_box;
    QLineEdit* m_path;
    QToolButton* m_browse;
    QLabel* m_info;
    QPushButton* m_add;
    QPushButton* m_addAll;
    QPushButton* m_remove;
    QPushButton* m_removeAll;
    QToolButton* m_up;
    QToolButton* m_down;
};
