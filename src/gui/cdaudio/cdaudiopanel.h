#pragma once

#include <QObject>

class ActionRegistry;
class AppSession;
class CDAudioListBox;
class CDAudioMode;
class QComboBox;
class QLabel;
class QWidget;
class TrackColumnBox;

// The CD Audio Mode controls of the main area: creates the CD Audio List box and the track number and
// length columns beside it, forwards the events of the lists, the disc-name box and the mode tab to
// core and shows core's state in them.
class CDAudioPanel : public QObject {
    Q_OBJECT

public:
    CDAudioPanel(CDAudioMode& mode, AppSession& session, QWidget* area);

    CDAudioListBox* listBox() const { return m_list; }
    TrackColumnBox* numberBox() const { return m_numbers; }
    TrackColumnBox* lengthBox() const { return m_lengths; }
    // The buttons of the disc run their commands and are enabled with them.
    void bindCommands(ActionRegistry& actions);
    // The list label is fitted to its width: after the layout placed it. It is the File List's outside
    // CD Audio Mode.
    void fitLabel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectNameBox();
    void showState();
    void showStoredNames();

    CDAudioMode& m_mode;
    AppSession& m_session;
    QWidget* m_area;
    CDAudioListBox* m_list;
    TrackColumnBox* m_numbers;
    TrackColumnBox* m_lengths;
    QComboBox* m_nameBox;
    QLabel* m_browseLabel;
    QLabel* m_tab;
};
