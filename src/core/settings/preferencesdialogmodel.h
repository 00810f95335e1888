#pragma once

#include "core/settings/preferences.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The pages of the Preferences dialog, in the order of its tree.
enum class PreferencesPage {
    General,
    PlayList,
    Title,
    FileTypes,
    Video,
    StatusBar,
    Components,
    Shortcuts,
    Appearance,
    BackgroundBitmaps,
    BackgroundColours,
    TextColours,
    Font,
    CDAudio,
    Favorites,
    FavoriteFolders,
    FavoritePlayLists,
    Tray,
    // MIDI reset and the logs
    MidiReset,
    Advanced,
    PlayLog,
    ErrorLog,
};

struct PreferencesNode {
    PreferencesPage page;
    QString text;     // the tree node, also shown above the page
    QString caption;  // the page's own name
    std::optional<PreferencesPage> parent;
};

// The tree of the dialog: parents before their children.
const std::vector<PreferencesNode>& PreferencesNodes();

// The Preferences dialog's state beside the settings it edits. The dialog's controls change the live
// settings at once, so what they show takes effect as the user sets it; showing the dialog remembers
// what it may change, and Cancel puts all of that back.
class PreferencesDialogModel {
public:
    enum class VideoSize { Original, Double, Custom };

    PreferencesDialogModel(Preferences& live, QString mixerDefault)
        : m_live(live), m_mixerDefault(std::move(mixerDefault)) {}

    Preferences& settings() { return m_live; }
    const Preferences& settings() const { return m_live; }

    // Callers that open the dialog on a page of their own ask before showing it; the request is used once.
    void requestPage(PreferencesPage page) { m_request = page; }
    std::optional<PreferencesPage> takePageRequest();

    // The dialog is shown: what it may change is remembered.
    void remember() { m_remembered = m_live; }
    // Cancel, or the dialog closed without OK. The shortcuts stay: the shortcut page changes them for good.
    void restore();
    // The Default button: every page to its built-in values. The shortcuts are reset on their own page,
    // after asking; the favorites lists are not settings of this kind and stay.
    void setDefaults();

    // The status bar's panels: '1' length, '2' position, '3' remaining time, '4' name of the Play List.
    static QString panelCaption(QChar panel);
    QStringList panelOrder() const;
    bool panelShown(QChar panel) const { return m_live.statusBarPanels.contains(panel); }
    // Showing a panel puts it last; hiding takes it out of the order.
    void setPanelShown(QChar panel, bool shown);
    // Moves the panel at row one place up (step -1) or down (+1); returns the row it stands in now.
    int movePanel(int row, int step);

    // Grayed buttons need borderless ones: turning borderless off turns grayed off too.
    void setBorderless(bool on);
    bool grayedAvailable() const { return m_live.borderlessButtons; }

    VideoSize videoSizeChoice() const;
    void chooseVideoSize(VideoSize choice);

    // A program or picture path the user typed: kept when it names a file, else cleared. A program may also
    // be given by a name found on the search path.
    static QString programOrEmpty(const QString& path);
    static QString pictureOrEmpty(const QString& path);

private:
    Preferences& m_live;
    Preferences m_remembered;
    QString m_mixerDefault;
    std::optional<PreferencesPage> m_request;
};
