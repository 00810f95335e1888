#include "gui/settings/generalpages.h"

#include "core/shell/mainlayout.h"
#include "gui/common/spinbutton.h"
#include "gui/settings/settingspage.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QBoxLayout* boxOf(QWidget* widget) {
    return SettingsPage::boxOf(widget);
}

}  // namespace

void buildGeneralPage(SettingsPage& page) {
    page.check(nullptr, "WelcomeBoxCB", QStringLiteral("Show Welcome Screen at Startup"), &Preferences::showWelcomeScreen);
    QGroupBox* mode = page.group(QStringLiteral("&Initial Mode"));
    auto* cdRadio = new QRadioButton(QStringLiteral("CD Audio"));
    cdRadio->setObjectName(QStringLiteral("CDAudioModeRB"));
    auto* fileRadio = new QRadioButton(QStringLiteral("File Management"));
    fileRadio->setObjectName(QStringLiteral("FileModeRB"));
    boxOf(mode)->addWidget(cdRadio);
    boxOf(mode)->addWidget(fileRadio);
    page.onRefresh([&page, cdRadio, fileRadio] {
        (page.settings().cdAudioInitialMode ? cdRadio : fileRadio)->setChecked(true);
    });
    QObject::connect(cdRadio, &QRadioButton::toggled, &page, [&page](bool on) {
        if (!page.refreshing()) {
            page.settings().cdAudioInitialMode = on;
        }
    });

    QGroupBox* mixer = page.group(QStringLiteral("&Path to Mixer"));
    page.pathBox(mixer, "MixerEdit", QString(), &Preferences::mixerPath, QStringLiteral("Programs (*)"),
                 &PreferencesDialogModel::programOrEmpty);
    page.pageLayout()->addStretch(1);
}

void buildPlayListPage(SettingsPage& page) {
    auto* columns = new QHBoxLayout;
    page.pageLayout()->addLayout(columns);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    QGroupBox* play = page.group(QStringLiteral("&Play Options"), left);
    page.check(play, "RandomPlayCB", QStringLiteral("Random Play"), &Preferences::randomPlay);
    page.check(play, "ContLoopCB", QStringLiteral("Loop Play List"), &Preferences::loopPlayList);
    page.check(play, "AutoPlayCB", QStringLiteral("Auto Play"), &Preferences::autoPlay);
    QGroupBox* display = page.group(QStringLiteral("D&isplay Options"), left);
    page.check(display, "ShowPathCB", QStringLiteral("Show Paths"), &Preferences::showPath);
    page.check(display, "ShowExtCB", QStringLiteral("Show Extensions"), &Preferences::showExtension);
    page.check(display, "ShowIconCB", QStringLiteral("Show Icons"), &Preferences::showIcons);
    page.check(display, "ShowTagTitlesCB", QStringLiteral("Show Titles From Tags"), &Preferences::showTagTitles);

    QGroupBox* general = page.group(QStringLiteral("&General"), right);
    page.check(general, "OpenLastPLCB", QStringLiteral("Open Last Play List At Startup"), &Preferences::openLastPlayList);
    page.check(general, "StartPlayingCB", QStringLiteral("Start Playing When Opening Play List"),
               &Preferences::startPlaying);
    QGroupBox* delay = page.group(QStringLiteral("D&elay Between Items (In Seconds)"), right);
    QCheckBox* enabled = page.check(delay, "DelayCB", QStringLiteral("Enabled"), &Preferences::delayEnabled);
    auto* seconds = new QDoubleSpinBox;
    seconds->setObjectName(QStringLiteral("DelaySpinEdit"));
    seconds->setRange(Preferences::kMinDelaySeconds, Preferences::kMaxDelaySeconds);
    seconds->setSingleStep(0.5);
    seconds->setDecimals(3);
    boxOf(delay)->addWidget(seconds);
    page.onRefresh([&page, seconds, enabled] {
        seconds->setValue(page.settings().delaySeconds);
        seconds->setEnabled(enabled->isChecked());
    });
    QObject::connect(enabled, &QCheckBox::toggled, seconds, &QWidget::setEnabled);
    QObject::connect(seconds, &QDoubleSpinBox::valueChanged, &page, [&page](double value) {
        if (!page.refreshing()) {
            page.settings().delaySeconds = value;
        }
    });
    right->addStretch(1);
}

void buildTitlePage(SettingsPage& page) {
    QGroupBox* format = page.group(QStringLiteral("&Format To Show Progress In"));
    page.radio(format, "Title0CB", QStringLiteral("&Percent"), &Preferences::titleFormat, 0);
    page.radio(format, "Title1CB", QStringLiteral("&Minutes, seconds"), &Preferences::titleFormat, 1);
    page.radio(format, "Title2CB", QStringLiteral("&Remaining minutes, seconds"), &Preferences::titleFormat, 2);
    page.text(QStringLiteral("The progress shows in the window's title while the window is minimized."));
    page.pageLayout()->addStretch(1);
}

void buildVideoPage(SettingsPage& page) {
    using VideoSize = PreferencesDialogModel::VideoSize;
    QGroupBox* size = page.group(QStringLiteral("MPEG Video Size"));
    auto* original = new QRadioButton(QStringLiteral("&Original Size"));
    original->setObjectName(QStringLiteral("OriginalSizeRB"));
    auto* twice = new QRadioButton(QStringLiteral("&Double Original Size"));
    twice->setObjectName(QStringLiteral("DoubleOriginalSizeRB"));
    auto* custom = new QRadioButton(QStringLiteral("&Custom..."));
    custom->setObjectName(QStringLiteral("CustomRB"));
    auto* percent = new QSpinBox;
    percent->setObjectName(QStringLiteral("VideoSizeSpinEdit"));
    percent->setRange(1, 1000);
    percent->setSingleStep(25);
    auto* row = new QHBoxLayout;
    row->addWidget(custom);
    row->addWidget(percent);
    row->addWidget(new QLabel(QStringLiteral("% of original size")));
    row->addStretch(1);
    boxOf(size)->addWidget(original);
    boxOf(size)->addWidget(twice);
    boxOf(size)->addLayout(row);
    page.text(QStringLiteral("The size applies to video windows from the next video played. "
                             "The sound devices are set up in the desktop's sound settings "
                             "(View, Multimedia Properties)."));
    page.pageLayout()->addStretch(1);

    page.onRefresh([&page, original, twice, custom, percent] {
        const VideoSize choice = page.model().videoSizeChoice();
        (choice == VideoSize::Original ? original : choice == VideoSize::Double ? twice : custom)->setChecked(true);
        percent->setValue(page.settings().videoSize);
        percent->setEnabled(choice == VideoSize::Custom);
    });
    const auto choose = [&page, percent](VideoSize choice) {
        percent->setEnabled(choice == VideoSize::Custom);
        if (page.refreshing()) {
            return;
        }
        page.model().chooseVideoSize(choice);
        if (choice == VideoSize::Custom) {
            page.settings().videoSize = percent->value();
        } else {
            percent->setValue(page.settings().videoSize);
        }
    };
    QObject::connect(original, &QRadioButton::toggled, &page, [choose](bool on) { if (on) choose(VideoSize::Original); });
    QObject::connect(twice, &QRadioButton::toggled, &page, [choose](bool on) { if (on) choose(VideoSize::Double); });
    QObject::connect(custom, &QRadioButton::toggled, &page, [choose](bool on) { if (on) choose(VideoSize::Custom); });
    QObject::connect(percent, &QSpinBox::valueChanged, &page, [&page, custom](int value) {
        if (!page.refreshing() && custom->isChecked()) {
            page.settings().videoSize = value;
        }
    });
}

void buildStatusBarPage(SettingsPage& page) {
    auto* columns = new QHBoxLayout;
    page.pageLayout()->addLayout(columns);
    QGroupBox* visible = page.group(QStringLiteral("&Visible Panels"), columns);
    QGroupBox* order = page.group(QStringLiteral("&Order of Panels"), columns);
    auto* list = new QListWidget;
    list->setObjectName(QStringLiteral("OrderOfPanelsListBox"));
    auto* spin = new SpinButton;
    spin->setObjectName(QStringLiteral("OrderOfPanelsSpinButton"));
    spin->setFixedWidth(20);
    auto* row = new QHBoxLayout;
    row->addWidget(list, 1);
    row->addWidget(spin);
    boxOf(order)->addLayout(row);

    const auto showOrder = [&page, list](int selected) {
        list->clear();
        list->addItems(page.model().panelOrder());
        list->setCurrentRow(selected);
    };
    const std::pair<const char*, QChar> panels[] = {{"LengthCB", u'1'}, {"PosCB", u'2'}, {"RemCB", u'3'}, {"AlbumCB", u'4'}};
    for (const auto& [name, panel] : panels) {
        auto* box = new QCheckBox(PreferencesDialogModel::panelCaption(panel));
        box->setObjectName(QString::fromLatin1(name));
        boxOf(visible)->addWidget(box);
        page.onRefresh([&page, box, panel = panel] { box->setChecked(page.model().panelShown(panel)); });
        QObject::connect(box, &QCheckBox::toggled, &page, [&page, list, showOrder, panel = panel](bool on) {
            if (!page.refreshing()) {
                page.model().setPanelShown(panel, on);
                showOrder(list->currentRow());
            }
        });
    }
    boxOf(visible)->addStretch(1);
    page.onRefresh([showOrder] { showOrder(-1); });
    const auto move = [&page, list, showOrder](int step) {
        if (list->currentRow() >= 0) {
            showOrder(page.model().movePanel(list->currentRow(), step));
        }
    };
    QObject::connect(spin, &SpinButton::upClicked, &page, [move] { move(-1); });
    QObject::connect(spin, &SpinButton::downClicked, &page, [move] { move(1); });
    page.text(QStringLiteral("The panels show in the status bar from left to right in the order of the list."));
}

void buildComponentsPage(SettingsPage& page) {
    QGroupBox* shown = page.group(QStringLiteral("Show these components at startup"));
    const std::tuple<const char*, const char*, Component> boxes[] = {
        {"PlayListCB", "Play List", Component::PlayList},
        {"FileListCB", "File List / CD Audio List", Component::FileList},
        {"ToolBarCB", "Toolbar", Component::Toolbar},
        {"StatusBarCB", "Status Bar", Component::StatusBar},
        {"ScrollBarCB", "Scrollbar", Component::ScrollBar},
        {"SpinButtonCB", "Spin Button", Component::SpinButton},
        {"PathEditCB", "Path Edit", Component::PathEdit},
        {"LabelsCB", "Labels", Component::Labels},
        {"FilterBoxCB", "Filter Box / Drive Box", Component::FilterBox},
        {"ModeSelectorCB", "Mode Selector", Component::ModeSelector},
        {"FilterEditCB", "Filter Edit", Component::FilterEdit},
    };
    auto* grid = new QHBoxLayout;
    auto* left = new QWidget;
    auto* right = new QWidget;
    new QVBoxLayout(left);
    new QVBoxLayout(right);
    grid->addWidget(left);
    grid->addWidget(right);
    boxOf(shown)->addLayout(grid);
    int n = 0;
    for (const auto& [name, caption, component] : boxes) {
        page.check(n++ < 6 ? left : right, name, QString::fromLatin1(caption),
                   [&page, component = component]() -> bool& {
                       return page.settings().components[static_cast<size_t>(component)];
                   });
    }
    boxOf(right)->addStretch(1);
    page.pageLayout()->addStretch(1);
}

void buildCDAudioPage(SettingsPage& page) {
    QGroupBox* database = page.group(QStringLiteral("CD D&atabase"));
    page.check(database, "CDConfirmationCB", QStringLiteral("Ask For Confirmation When Saving DB"),
               &Preferences::askBeforeSavingCDDatabase);
    page.check(database, "SaveBackupOfCDDBCB", QStringLiteral("Save Backup Copy of CD Database"),
               &Preferences::backUpCDDatabase);
    QGroupBox* startup = page.group(QStringLiteral("&Startup"));
    page.check(startup, "StartInCDAudioCB", QStringLiteral("Start in CD Audio Mode if CD is Playing"),
               &Preferences::startInCDAudioModeIfPlaying);
    QGroupBox* stop = page.group(QStringLiteral("&Times to Stop Playback"));
    page.check(stop, "StopCDAudioOnExitCB", QStringLiteral("Stop CD Audio on Exit"), &Preferences::stopCDAudioOnExit);
    page.check(stop, "StopCDAudioOnChangeCB", QStringLiteral("Stop CD Audio When Changing Mode"),
               &Preferences::stopCDAudioWhenChangingMode);
    page.pageLayout()->addStretch(1);
}

void buildFavoritesPage(SettingsPage& page) {
    page.check(&page, "FavFoldersShowPathCB", QStringLiteral("Show Full Path"), &Preferences::favFoldersShowPath);
    page.text(QStringLiteral("Favorite folders and Play Lists show in their menus with their full paths when this "
                             "box is checked, else by their names."));
    page.pageLayout()->addStretch(1);
}
