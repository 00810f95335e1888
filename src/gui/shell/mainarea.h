#pragma once

#include "core/shell/mainlayout.h"
#include "core/shell/splitterdrag.h"

#include <QPixmap>
#include <QWidget>

class AppSession;
class CDAudioPanel;
class FileManagementPanel;
class PlayListPanel;

// The window's client area below the toolbar: the Play List side, the right-hand lists and the
// splitter between them, each control placed by the main layout on every resize, over a tiled
// background picture. Hidden components leave room to the others.
class MainArea : public QWidget {
    Q_OBJECT

public:
    MainArea(AppSession& session, QWidget* parent = nullptr);

    PlayListPanel* playListPanel() const { return m_playList; }
    FileManagementPanel* fileManagementPanel() const { return m_files; }
    CDAudioPanel* cdAudioPanel() const { return m_cdAudio; }
    // The eleven component flags and the session's mode decide what is shown.
    void setComponents(const ComponentFlags& components);
    const ComponentFlags& components() const { return m_components; }
    bool cdAudioMode() const { return m_cdAudioMode; }
    // A picture tiled from the top left corner; without one the area shows its colour.
    void setBackground(const QPixmap& picture);
    // The colour of the area where no picture covers it, and of its labels' text.
    void setColours(const QColor& background, const QColor& labelText);
    // The font of the Play List, the File List, the Folder List and the CD Audio List with its track
    // number and length columns, which stay as wide as their texts.
    void setListsFont(const QFont& font);
    // The sizes of the controls the layout keeps as they are.
    ControlSizes layoutSizes() const { return controlSizes(); }
    // The layout as it was last applied.
    const MainLayout& layout() const { return m_layout; }
    void relayout();

Q_SIGNALS:
    // The splitter moved or was reset: the Play List share changed.
    void playListWidthChanged(int playListWidth);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ControlSizes controlSizes() const;
    void apply(const MainLayout& layout);
    bool splitterEvent(QEvent* event);
    void placeModeTabs(int tabWidth);

    AppSession& m_session;
    PlayListPanel* m_playList;
    FileManagementPanel* m_files = nullptr;
    CDAudioPanel* m_cdAudio = nullptr;
    QWidget* m_splitter;
    ComponentFlags m_components{};
    bool m_cdAudioMode = false;
    QPixmap m_background;
    QColor m_backgroundColour;
    bool m_backgroundHidden = false;
    SplitterDrag m_drag;
    MainLayout m_layout;
};
