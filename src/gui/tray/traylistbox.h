#pragma once

#include "core/app/traylist.h"

#include <QDialog>

class CommandDispatcher;
class QAbstractItemModel;
class QListWidget;
class QPushButton;
class SourceLines;

// "Choose item to play": the tray's list box. It stays open after Play, so that the user can play one
// item after another without the main window.
class TrayListBox : public QDialog {
    Q_OBJECT

public:
    // playListView is the Play List box's model: the box copies its lines with their pictures.
    TrayListBox(TrayList& list, CommandDispatcher& dispatcher, const QAbstractItemModel* playListView,
                QWidget* parent = nullptr);

    // Opens the box in that mode, or fills it again in that mode when it is open.
    void openIn(TrayList::Mode mode);
    // The box fills again when the lines of this list are replaced while it is open.
    void followLines(SourceLines* lines);

    QListWidget* listBox() const { return m_list; }
    QPushButton* doneButton() const { return m_done; }
    QPushButton* playButton() const { return m_play; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fill();
    void playChosen();

    TrayList& m_model;
    CommandDispatcher& m_dispatcher;
    const QAbstractItemModel* m_playListView;
    QListWidget* m_list;
    QPushButton* m_done;
    QPushButton* m_play;
};
