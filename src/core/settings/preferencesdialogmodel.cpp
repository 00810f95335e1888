#include "core/settings/preferencesdialogmodel.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kPanelDigits = QStringLiteral("1234");

// Everything the dialog's pages edit. The shortcuts and the favorites lists are left out: the first change
// for good on their page, the second only on OK.
void copyDialogFields(const Preferences& from, Preferences& to) {
    to.randomPlay = from.randomPlay;
    to.loopPlayList = from.loopPlayList;
    to.autoPlay = from.autoPlay;
    to.delaySeconds = from.delaySeconds;
    to.delayEnabled = from.delayEnabled;
    to.showPath = from.showPath;
    to.showExtension = from.showExtension;
    to.showIcons = from.showIcons;
    to.showTagTitles = from.showTagTitles;  // titles from tags
    to.openLastPlayList = from.openLastPlayList;
    to.startPlaying = from.startPlaying;
    to.components = from.components;
    to.statusBarPanels = from.statusBarPanels;
    to.videoSize = from.videoSize;
    to.titleFormat = from.titleFormat;
    to.borderlessButtons = from.borderlessButtons;
    to.grayedButtons = from.grayedButtons;
    to.cdAudioInitialMode = from.cdAudioInitialMode;
    to.favFoldersShowPath = from.favFoldersShowPath;
    to.mixerPath = from.mixerPath;
    to.bitmapPath = from.bitmapPath;
    to.toolbarBitmapPath = from.toolbarBitmapPath;
    to.colourMainWindow = from.colourMainWindow;
    to.colourToolbar = from.colourToolbar;
    to.textMainWindow = from.textMainWindow;
    to.textToolbar = from.textToolbar;
    // The Floating Palette's picture and colours.
    to.floatingPaletteBitmapPath = from.floatingPaletteBitmapPath;
    to.colourPalette = from.colourPalette;
    to.textPalette = from.textPalette;
    to.stopCDAudioOnExit = from.stopCDAudioOnExit;
    to.stopCDAudioWhenChangingMode = from.stopCDAudioWhenChangingMode;
    to.askBeforeSavingCDDatabase = from.askBeforeSavingCDDatabase;
    to.startInCDAudioModeIfPlaying = from.startInCDAudioModeIfPlaying;
    to.backUpCDDatabase = from.backUpCDDatabase;
    to.fontName = from.fontName;
    to.fontSize = from.fontSize;
    to.fontBold = from.fontBold;
    to.fontItalic = from.fontItalic;
    to.editors = from.editors;
    // The tray page.
    to.useTray = from.useTray;
    to.trayAlways = from.trayAlways;
    // The Welcome box at start
    to.showWelcomeScreen = from.showWelcomeScreen;
    // MIDI reset and the logs
    to.midiResetFile = from.midiResetFile;
    to.useLog = from.useLog;
    to.logErrors = from.logErrors;
    to.allowDuplicateLogEntries = from.allowDuplicateLogEntries;
}

PreferencesNode node(PreferencesPage page, const char* text, const char* caption,
                     std::optional<PreferencesPage> parent = std::nullopt) {
    return {page, QString::fromLatin1(text), QString::fromLatin1(caption), parent};
}

}  // namespace

const std::vector<PreferencesNode>& PreferencesNodes() {
    using P = PreferencesPage;
    static const std::vector<PreferencesNode> nodes = {
        node(P::General, "General", "General"),
        node(P::PlayList, "Play List", "General, Play List", P::General),
        node(P::Tray, "Tray", "General, Tray", P::General),
        node(P::Title, "Title", "General, Title", P::General),
        node(P::FileTypes, "File Types", "General, File Types", P::General),
        node(P::MidiReset, "MIDI Reset", "General, MIDI Reset", P::General),
        node(P::Video, "Video", "General, Video", P::General),
        node(P::StatusBar, "Status Bar", "General, Status Bar", P::General),
        node(P::Components, "Components", "General, Components", P::General),
        node(P::Shortcuts, "Keyboard Shortcuts", "General, Shortcuts", P::General),
        node(P::Appearance, "Appearance", "Appearance"),
        node(P::BackgroundBitmaps, "Background Bitmaps", "Appearance, Background Bitmaps", P::Appearance),
        node(P::BackgroundColours, "Background Colors", "Appearance, Background Colors", P::Appearance),
        node(P::TextColours, "Text Colors", "Appearance, Text Colors", P::Appearance),
        node(P::Font, "Font", "Appearance, Font", P::Appearance),
        node(P::CDAudio, "CD Audio", "CD Audio"),
        node(P::Favorites, "Favorites", "Favorites"),
        node(P::FavoriteFolders, "Favorite Folders", "Favorites, Favorite Folders", P::Favorites),
        node(P::FavoritePlayLists, "Favorite Play Lists", "Favorites, Favorite Play Lists", P::Favorites),
        node(P::Advanced, "Advanced", "Advanced"),
        node(P::PlayLog, "Play Log", "Advanced, Play Log File", P::Advanced),
        node(P::ErrorLog, "Error Log", "Advanced, Error Log File", P::Advanced),
    };
    return nodes;
}

std::optional<PreferencesPage> PreferencesDialogModel::takePageRequest() {
    return std::exchange(m_request, std::nullopt);
}

void PreferencesDialogModel::restore() {
    copyDialogFields(m_remembered, m_live);
}

void PreferencesDialogModel::setDefaults() {
    Preferences defaults;
    defaults.mixerPath = m_mixerDefault;
    defaults.startPlaying = false;
    defaults.loopPlayList = true;
    defaults.askBeforeSavingCDDatabase = true;
    defaults.bitmapPath.clear();
    defaults.toolbarBitmapPath.clear();
    defaults.floatingPaletteBitmapPath.clear();
    defaults.editors = {};
    defaults.trayAlways = true;  // the page's default; the settings file's is "only when minimized"
    // The video size has no built-in value on its page; it stays as the user set it.
    defaults.videoSize = m_live.videoSize;
    copyDialogFields(defaults, m_live);
}

QString PreferencesDialogModel::panelCaption(QChar panel) {
    switch (panel.unicode()) {
        case u'1':
            return QStringLiteral("Length");
        case u'2':
            return QStringLiteral("Position");
        case u'3':
            return QStringLiteral("Remaining Time");
        case u'4':
            return QStringLiteral("Name of Play List");
        default:
            return QString();
    }
}

QStringList PreferencesDialogModel::panelOrder() const {
    QStringList captions;
    for (const QChar panel : m_live.statusBarPanels) {
        captions.append(panelCaption(panel));
    }
    return captions;
}

void PreferencesDialogModel::setPanelShown(QChar panel, bool shown) {
    if (!kPanelDigits.contains(panel) || panelShown(panel) == shown) {
        return;
    }
    if (shown) {
        m_live.statusBarPanels.append(panel);
    } else {
        m_live.statusBarPanels.remove(panel);
    }
}

int PreferencesDialogModel::movePanel(int row, int step) {
    QString& order = m_live.statusBarPanels;
    const int target = row + step;
    if (row < 0 || row >= order.size() || target < 0 || target >= order.size()) {
        return row;
    }
    std::swap(order[row], order[target]);
    return target;
}

void PreferencesDialogModel::setBorderless(bool on) {
    m_live.borderlessButtons = on;
    if (!on) {
        m_live.grayedButtons = false;
    }
}

PreferencesDialogModel::VideoSize PreferencesDialogModel::videoSizeChoice() const {
    return m_live.videoSize == 100 ? VideoSize::Original
           : m_live.videoSize == 200 ? VideoSize::Double
                                     : VideoSize::Custom;
}

void PreferencesDialogModel::chooseVideoSize(VideoSize choice) {
    if (choice == VideoSize::Original) {
        m_live.videoSize = 100;
    } else if (choice == VideoSize::Double) {
        m_live.videoSize = 200;
    }
}

QString PreferencesDialogModel::programOrEmpty(const QString& path) {
    const QString text = path.trimmed();
    if (text.isEmpty()) {
        return QString();
    }
    // A bare name is kept as the program it finds on the search path now, so every place that asks
    // whether the program is there checks the same file.
    if (!text.contains(u'/')) {
        return QStandardPaths::findExecutable(text);
    }
    const QFileInfo file(text);
    return file.isFile() && file.isExecutable() ? text : QString();
}

QString PreferencesDialogModel::pictureOrEmpty(const QString& path) {
    return QFileInfo(path.trimmed()).isFile() ? path.trimmed() : QString();
}
