#pragma once

#include <QDialog>

class CommandTable;
class QListWidget;
class QMimeData;

// The customize window: the categories of the toolbar's buttons and the buttons of the chosen one,
// each dragged from the list onto the bar. It stays on top and leaves the main window usable, so that
// buttons can be dragged between the two and moved on the bar while it is open.
class CustomizeToolbarDialog : public QDialog {
    Q_OBJECT

public:
    CustomizeToolbarDialog(const CommandTable& commands, QWidget* parent = nullptr);

    // What a dragged button carries: its component name.
    static QString buttonMimeType();
    static QMimeData* buttonMimeData(const QString& name);
    // The name a drop carries, or empty when it is no button.
    static QString droppedButton(const QMimeData* data);

private:
    void showCategory(int row);

    const CommandTable& m_commands;
    QListWidget* m_categories = nullptr;
    QListWidget* m_buttons = nullptr;
};
