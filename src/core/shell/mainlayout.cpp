#include "core/shell/mainlayout.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounding to the nearest integer with halves to the even neighbour.
int roundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

// The margins and gaps around the buttons between the lists: 127 pixels with 80-pixel buttons. Wider
// buttons (a larger font) take their extra width from the right-hand lists, not from the margin.
int splitMargins(int buttonsWidth) {
    return 47 + buttonsWidth;
}

bool toolbarIsVertical(const LayoutInput& in) {
    return in.toolbar.height() >= in.toolbar.width();
}

QRect workRect(const LayoutInput& in) {
    const bool toolbar = isOn(in.components, Component::Toolbar);
    int left = 0;
    int right = in.client.width();
    if (toolbar && toolbarIsVertical(in)) {
        if (in.toolbarDock == ToolbarDock::Left) {
            left = in.toolbar.width();
        } else if (in.toolbarDock == ToolbarDock::Right) {
            right = std::max(1, in.client.width() - in.toolbar.width());
        }
    }
    const int top = toolbar && in.toolbarDock == ToolbarDock::Top ? in.toolbar.height() : 0;
    int bottom = in.client.height();
    if (isOn(in.components, Component::StatusBar)) {
        bottom -= in.statusBarHeight;
    }
    if (toolbar && in.toolbarDock == ToolbarDock::Bottom) {
        bottom -= in.toolbar.height();
    }
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// The controls each side shows, by component and mode.
class Visibility {
public:
    explicit Visibility(const LayoutInput& in) : m_in(in) {
        const bool p = on(Component::PlayList);
        const bool f = on(Component::FileList);
        const bool fileMode = f && !in.cdAudioMode;
        const bool cdMode = f && in.cdAudioMode;
        show(p && f, {"AddBtnsPanel", "RemoveBtnsPanel", "FileManPanel", "Info", "ResizePaintBox"});
        show(fileMode, {"FileListBox", "DirectoryListBox"});
        show(cdMode, {"CDSBPanel", "CDAudioListBox", "TrackLengthListBox", "TrackNumberListBox", "NameOfCDEdit",
                      "CDAudioComboBox"});
        show(p, {"PlayListBox"});
        show(on(Component::Toolbar), {"SpeedBar"});
        show(on(Component::StatusBar), {"PanelInfo"});
        show(on(Component::ScrollBar), {"ScrollBar", "PercentSB", "ProgressLabel"});
        show(on(Component::SpinButton) && p, {"SpinButton"});
        show(on(Component::PathEdit) && p, {"FullPathEdit", "BrowsePanel"});
        const bool labels = on(Component::Labels);
        show(labels && p && in.playListHasItems, {"PlayListBoxInfo"});
        show(labels && fileMode && in.fileListHasItems, {"FileListBoxInfo"});
        show(labels && fileMode, {"DirLabel"});
        show(on(Component::ModeSelector) && f, {"ModeSelector"});
        show(on(Component::FilterBox) && fileMode, {"FilterComboBox"});
        show(on(Component::FilterBox) && f, {"DriveComboBox"});
        show(on(Component::FilterEdit) && fileMode, {"FilterEdit"});
    }

    bool on(Component component) const { return isOn(m_in.components, component); }
    const QSet<QString>& names() const { return m_names; }

private:
    void show(bool shown, std::initializer_list<const char*> names) {
        if (shown) {
            for (const char* name : names) {
                m_names.insert(QString::fromLatin1(name));
            }
        }
    }

    const LayoutInput& m_in;
    QSet<QString> m_names;
};

// Rectangles built up field by field, as the steps of the layout set them.
class Placement {
public:
    void setLeft(const char* name, int left) { at(name).moveLeft(left); }
    void setTop(const char* name, int top) { at(name).moveTop(top); }
    void setWidth(const char* name, int width) { at(name).setWidth(width); }
    void setHeight(const char* name, int height) { at(name).setHeight(height); }
    void setSize(const char* name, QSize size) { at(name).setSize(size); }
    int left(const char* name) const { return get(name).x(); }
    int top(const char* name) const { return get(name).y(); }
    int right(const char* name) const { return get(name).x() + get(name).width(); }
    int bottom(const char* name) const { return get(name).y() + get(name).height(); }
    int width(const char* name) const { return get(name).width(); }
    int height(const char* name) const { return get(name).height(); }
    QHash<QString, QRect> take() { return std::move(m_rects); }

private:
    QRect& at(const char* name) {
        auto it = m_rects.find(QString::fromLatin1(name));
        if (it == m_rects.end()) {
            it = m_rects.insert(QString::fromLatin1(name), QRect(0, 0, 0, 0));
        }
        return *it;
    }
    QRect get(const char* name) const { return m_rects.value(QString::fromLatin1(name)); }

    QHash<QString, QRect> m_rects;
};

class Layout {
public:
    Layout(const LayoutInput& in, const Visibility& shown, QRect work)
        : m_in(in), m_s(in.sizes), m_shown(shown), m_l(work.left()), m_t(work.top()), m_r(work.right() + 1),
          m_b(work.bottom() + 1), m_d(shown.on(Component::Labels) ? 0 : 25), m_plWidth(in.playListWidth) {}

    void run() {
        setSizes();
        statusArea();
        vertical();
        const bool left = m_shown.on(Component::PlayList);
        const bool right = m_shown.on(Component::FileList);
        const int w = m_r - m_l;
        if (left && right && w != 0) {
            split(w);
        } else if (left && !right) {
            playListOnly(w);
        } else if (right && !left) {
            rightOnly(w);
        }
        m_p.setWidth("ModeSelector", m_p.width("FileListBox") + m_p.width("DirectoryListBox") + 5);
    }

    int playListWidth() const { return m_plWidth; }
    // The help label fits only where the lists are tall enough to leave it room.
    bool infoShown() const { return m_infoShown; }
    QHash<QString, QRect> take() { return m_p.take(); }

private:
    bool filterEdit() const { return m_shown.on(Component::FilterEdit); }
    bool filterBox() const { return m_shown.on(Component::FilterBox); }
    bool modeSelector() const { return m_shown.on(Component::ModeSelector); }
    bool shown(const char* name) const { return m_shown.names().contains(QString::fromLatin1(name)); }

    void setSizes() {
        m_p.setSize("AddBtnsPanel", m_s.addButtons);
        m_p.setSize("RemoveBtnsPanel", QSize(m_s.addButtons.width(), m_s.removeButtonsHeight));
        m_p.setSize("FileManPanel", QSize(m_s.addButtons.width(), m_s.fileManHeight));
        m_p.setSize("Info", QSize(m_s.addButtons.width(), m_s.infoHeight));
        m_p.setHeight("SpinButton", m_s.spinButtonHeight);
        m_p.setHeight("FullPathEdit", m_s.pathEditHeight);
        m_p.setSize("BrowsePanel", QSize(m_s.browseWidth, m_s.pathEditHeight));
        for (const char* label : {"PlayListBoxInfo", "FileListBoxInfo", "DirLabel"}) {
            m_p.setHeight(label, m_s.labelHeight);
        }
        m_p.setHeight("FilterEdit", m_s.filterEditHeight);
        for (const char* combo : {"FilterComboBox", "DriveComboBox", "CDAudioComboBox"}) {
            m_p.setHeight(combo, m_s.comboHeight);
        }
        m_p.setHeight("ModeSelector", m_s.modeSelectorHeight);
        m_p.setHeight("NameOfCDEdit", m_s.nameOfCDHeight);
        m_p.setWidth("TrackNumberListBox", m_s.trackNumberWidth);
        m_p.setWidth("TrackLengthListBox", m_s.trackLengthWidth);
        m_p.setSize("CDSBPanel", QSize(m_s.cdButtonsWidth, m_s.nameOfCDHeight));
        m_p.setWidth("ResizePaintBox", m_s.splitterWidth);
        m_p.setSize("TiledBitmap", QSize(m_r - m_l, m_b - m_t));
        m_p.setLeft("TiledBitmap", m_l);
        m_p.setTop("TiledBitmap", m_t);
    }

    void statusArea() {
        if (!m_shown.on(Component::StatusBar)) {
            return;
        }
        for (const char* panel : {"PanelInfo", "PanelHelp"}) {
            m_p.setLeft(panel, m_l);
            m_p.setTop(panel, m_b);
            m_p.setWidth(panel, m_r - m_l);
            m_p.setHeight(panel, m_in.statusBarHeight);
        }
        m_p.setWidth("ProgressBar", m_s.progressBarWidth);
        m_p.setLeft("ProgressBar", m_r - m_s.progressBarWidth - 7);
    }

    void vertical() {
        const int d = m_d;
        const int height = m_b - m_t;
        m_p.setTop("ResizePaintBox", m_t);
        m_p.setTop("AddBtnsPanel", m_t - d + 29);
        m_p.setTop("RemoveBtnsPanel", m_p.bottom("AddBtnsPanel") + 7);
        m_p.setTop("FileManPanel", m_b - m_p.height("FileManPanel") - 3);
        if (m_shown.on(Component::PlayList) && m_shown.on(Component::FileList)) {
            m_p.setTop("Info", (height - d - 210) / 2 + m_t + 99);
            // The help text shows whole or not at all: cut mid-sentence it reads as nonsense.
            const int room = m_p.top("FileManPanel") - 3 - m_p.top("Info");
            m_infoShown = d + height > 279 && room >= m_s.infoHeight;
            m_p.setHeight("Info", m_s.infoHeight);
        }
        m_p.setLeft("PlayListBox", m_l + 12);
        m_p.setTop("PlayListBox", m_t - d + 29);
        m_p.setLeft("PlayListBoxInfo", m_l + 12);
        m_p.setTop("PlayListBoxInfo", m_t + 9);
        const bool spin = m_shown.on(Component::SpinButton);
        const bool path = m_shown.on(Component::PathEdit);
        m_p.setHeight("PlayListBox", d + height - (spin && path ? 81 : spin ? 55 : path ? 58 : 32));
        m_p.setLeft("SpinButton", m_l + 12);
        m_p.setTop("SpinButton", m_p.bottom("PlayListBox") - 2);
        const int pathTop = (spin ? m_p.bottom("SpinButton") : m_p.bottom("PlayListBox")) + 4;
        m_p.setTop("FullPathEdit", pathTop);
        m_p.setTop("BrowsePanel", pathTop);
        m_p.setLeft("FullPathEdit", m_l + 12);

        m_p.setTop("FileListBoxInfo", m_t + 9);
        m_p.setTop("DirLabel", m_t + 9);
        m_p.setTop("FilterEdit", m_t - d + 29);
        m_p.setTop("FileListBox", filterEdit() ? m_t + 53 - d : m_t + 29 - d);
        const int fileK = modeSelector() && filterBox() ? 98 : filterBox() ? 82 : modeSelector() ? 72 : 56;
        m_p.setHeight("FileListBox", d + height + (filterEdit() ? 0 : 24) - fileK);
        for (const char* name : {"DirectoryListBox", "NameOfCDEdit", "CDSBPanel"}) {
            m_p.setTop(name, m_t - d + 29);
        }
        const int folderK = modeSelector() && filterBox() ? 74 : filterBox() ? 58 : modeSelector() ? 47 : 32;
        m_p.setHeight("DirectoryListBox", d + height - folderK);
        for (const char* list : {"CDAudioListBox", "TrackNumberListBox", "TrackLengthListBox"}) {
            m_p.setTop(list, m_p.bottom("NameOfCDEdit") + 4);
            m_p.setHeight(list, d + height - folderK - 26);
        }
        m_p.setTop("ModeSelector", m_p.bottom("FileListBox") - 1);
        if (shown("DriveComboBox")) {
            const int comboTop = (modeSelector() ? m_p.bottom("ModeSelector") : m_p.bottom("FileListBox")) + 4;
            for (const char* combo : {"FilterComboBox", "DriveComboBox", "CDAudioComboBox"}) {
                m_p.setTop(combo, comboTop);
            }
        }
    }

    void playListWidths(int width) {
        for (const char* name : {"PlayListBox", "PlayListBoxInfo", "SpinButton"}) {
            m_p.setWidth(name, width);
        }
        m_p.setWidth("FullPathEdit", width - 26);
        m_p.setLeft("BrowsePanel", m_p.right("FullPathEdit") + 4);
    }

    void modeTabs(int width) {
        m_p.setWidth("PanelFile", width);
        m_p.setWidth("PanelCurrentCD", width);
        m_p.setLeft("PanelCurrentCD", width);
    }

    int fixedWidth() const { return splitMargins(m_s.addButtons.width()); }

    void split(int w) {
        const ListWidths widths = SplitListWidths(m_plWidth, w, m_s.addButtons.width());
        const int p = widths.playList;
        const int r = widths.rightList;
        m_plWidth = widths.playListShare;
        const int c = w - p - m_s.trackLengthWidth - m_s.trackNumberWidth - (fixedWidth() - 5);
        playListWidths(p);
        for (const char* name : {"AddBtnsPanel", "RemoveBtnsPanel", "FileManPanel", "Info"}) {
            m_p.setLeft(name, m_p.right("PlayListBox") + 5);
        }
        const int rightLeft = m_p.right("AddBtnsPanel") + 5;
        for (const char* name : {"FileListBox", "FilterEdit", "NameOfCDEdit", "FilterComboBox", "CDAudioComboBox",
                                 "FileListBoxInfo", "TrackNumberListBox", "ModeSelector"}) {
            m_p.setLeft(name, rightLeft);
        }
        for (const char* name : {"FilterEdit", "FileListBox", "FileListBoxInfo", "FilterComboBox", "CDAudioComboBox"}) {
            m_p.setWidth(name, r);
        }
        for (const char* name : {"DirectoryListBox", "DirLabel", "DriveComboBox"}) {
            m_p.setLeft(name, m_p.right("FileListBox") + 5);
            m_p.setWidth(name, r);
        }
        modeTabs((r + r + 5) / 2);
        placeTrackLists();
        m_p.setWidth("CDAudioListBox", c);
        m_p.setWidth("NameOfCDEdit", c + 12);
        m_p.setLeft("CDSBPanel", m_p.right("NameOfCDEdit"));
        m_p.setLeft("ResizePaintBox", m_p.right("PlayListBox"));
        m_p.setHeight("ResizePaintBox", m_b - m_t);
    }

    void placeTrackLists() {
        m_p.setLeft("TrackLengthListBox", m_p.right("TrackNumberListBox") - 1);
        m_p.setLeft("CDAudioListBox", m_p.left("TrackNumberListBox") + m_s.trackNumberWidth + m_s.trackLengthWidth - 2);
    }

    void playListOnly(int w) { playListWidths(w - 24); }

    void rightOnly(int w) {
        const int h = (w - 20) / 2;
        for (const char* name : {"FileListBox", "FilterEdit", "FilterComboBox", "TrackNumberListBox", "NameOfCDEdit",
                                 "CDAudioComboBox", "FileListBoxInfo", "ModeSelector"}) {
            m_p.setLeft(name, m_l + 8);
        }
        for (const char* name : {"FilterEdit", "FileListBox", "FileListBoxInfo", "FilterComboBox", "CDAudioComboBox"}) {
            m_p.setWidth(name, h);
        }
        m_p.setLeft("DirectoryListBox", m_p.right("FileListBox") + 5);
        m_p.setLeft("DirLabel", m_p.left("DirectoryListBox"));
        m_p.setWidth("DirLabel", h);
        m_p.setWidth("DirectoryListBox", h);
        placeTrackLists();
        m_p.setWidth("CDAudioListBox", w - m_s.trackNumberWidth - m_s.trackLengthWidth - 15);
        m_p.setWidth("NameOfCDEdit", w - m_s.cdButtonsWidth - 16);
        m_p.setLeft("CDSBPanel", m_p.right("NameOfCDEdit"));
        modeTabs((w - 16) / 2);
        m_p.setLeft("DriveComboBox", (w - 20) / 2 + m_l + 13);
        m_p.setWidth("DriveComboBox", h);
    }

    const LayoutInput& m_in;
    const ControlSizes& m_s;
    const Visibility& m_shown;
    const int m_l, m_t, m_r, m_b, m_d;
    int m_plWidth;
    bool m_infoShown = false;
    Placement m_p;
};

QSize minimumSize(const LayoutInput& in) {
    const bool p = isOn(in.components, Component::PlayList);
    const bool f = isOn(in.components, Component::FileList);
    // Both sides need 473 pixels with 80-pixel buttons between the lists; wider buttons need their extra.
    const int width = p && f && in.startupFinished ? 393 + std::max(80, in.sizes.addButtons.width()) : 273;
    int height = p || f ? 263 : 44;
    if (isOn(in.components, Component::Toolbar) && !toolbarIsVertical(in)) {
        height += in.toolbar.height();
    }
    if (isOn(in.components, Component::StatusBar)) {
        height += in.statusBarHeight;
    }
    return {width, height};
}

}  // namespace

MainLayout ComputeMainLayout(const LayoutInput& input) {
    MainLayout result;
    const Visibility shown(input);
    result.visible = shown.names();
    result.work = workRect(input);
    Layout layout(input, shown, result.work);
    layout.run();
    if (!layout.infoShown()) {
        result.visible.remove(QStringLiteral("Info"));
    }
    result.playListWidth = layout.playListWidth();
    result.geometry = layout.take();
    result.minimum = minimumSize(input);
    return result;
}

ListWidths SplitListWidths(int playListShare, int workWidth, int buttonsWidth) {
    const int fixed = splitMargins(buttonsWidth);
    ListWidths widths;
    widths.playListShare = playListShare;
    widths.playList = std::max(100, roundEven(static_cast<double>(playListShare) * workWidth / 10000));
    widths.rightList = (workWidth - widths.playList - fixed) / 2;
    if (widths.rightList < 115) {
        // On a window narrower than both sides need the Play List keeps its 100 pixels: a share
        // corrected below that would outlive the narrow moment.
        widths.playList = std::max(100, workWidth - fixed - 2 * 115);
        widths.playListShare = roundEven(static_cast<double>(widths.playList) * 10000 / workWidth);
        widths.rightList = 115;
    }
    return widths;
}

int WidthForLists(int playListShare, int buttonsWidth, int playList, int rightList, int from, int limit) {
    for (int width = std::max(1, from); width < limit; ++width) {
        const ListWidths widths = SplitListWidths(playListShare, width, buttonsWidth);
        if (widths.playList >= playList && widths.rightList >= rightList) {
            return width;
        }
    }
    return limit;
}

QSize ScaleForFont(QSize size, double fontPoints, double logicalDpi) {
    if (fontPoints <= 0 || logicalDpi <= 0) {
        return size;
    }
    const double scale = fontPoints / 8 * logicalDpi / 96;
    return {roundEven(size.width() * scale), roundEven(size.height() * scale)};
}
