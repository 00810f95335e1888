#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class CDAudioList;
class FileList;
class MediaList;
class PlayList;

// The tray's list box ("Choose item to play"): the lines of the Play List, or of the File List / CD
// Audio List, to choose from and play without the main window.
class TrayList {
public:
    enum class Mode {
        None,       // the box is closed
        PlayList,   // several lines may be chosen
        RightHand,  // the CD Audio List when it is on screen, else the File List; one line
    };
    struct Context {
        MediaList& playList;
        MediaList& fileList;
        MediaList& cdList;
        const PlayList& playListLines;
        const FileList& fileListLines;
        const CDAudioList& cdListLines;
        std::function<void(MediaList&)> play;  // plays from that list as its Play command does
    };

    static QString noItemsText() { return QStringLiteral("No items available"); }

    explicit TrayList(Context context) : m_c(std::move(context)) {}

    // The box opens in a mode, or is filled again while open: the lines are taken from the list now.
    void open(Mode mode);
    void close();
    Mode mode() const { return m_mode; }
    bool multipleSelection() const { return m_mode == Mode::PlayList; }
    // The lines shown: the list's, or the single "No items available" line.
    QStringList shownLines() const;
    // False while the box shows "No items available": its list is disabled then.
    bool hasItems() const { return !m_lines.isEmpty(); }
    // The list the box takes its lines from, or null while closed.
    MediaList* source() const;

    // Play or a double-click with these rows of the box chosen. The chosen lines become the selection of
    // the list, the first of them its focused line (the one that plays), and the list plays. Rows whose
    // line is gone or changed since the box was filled are left out; false when none is left.
    bool play(const std::vector<int>& rows);

    // Where the box's controls stand in a client area of that size.
    struct Layout {
        QRect list;
        QRect done;
        QRect play;
    };
    static Layout layOut(QSize client);
    static QSize defaultSize() { return {252, 276}; }
    static QSize minimumSize() { return {171, 141}; }

private:
    QStringList linesOf(Mode mode) const;

    Context m_c;
    Mode m_mode = Mode::None;
    QStringList m_lines;  // as shown when the box was filled
};
