#include "core/app/appsession.h"

#include "core/app/commandline.h"
#include "core/common/itemref.h"
#include "core/common/product.h"
#include "core/common/prompter.h"
#include "core/common/textfile.h"
#include "core/playlist/playlistfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <utility>

AppSession::AppSession(Folders folders, Ports ports, QObject* parent)
    : QObject(parent),
      m_folders(std::move(folders)),
      m_ports(ports),
      m_settings(QDir(m_folders.userData).filePath(QStringLiteral("velmaro.ini"))),
      m_preferencesDialog(m_preferences, m_folders.mixerDefault),
      m_busy(ports.busy),
      m_playLogs(PlayLogs::Context{[this] { return m_document.fileName(); }, m_preferences, ports.prompter}),
      m_playListMedia(PlayListMedia::Context{m_playList, m_playOrder, m_playedItems, m_preferences, m_lengths,
                                             m_indicators, m_lists, m_editor, m_fileCommands, &m_busy,
                                             &m_playLogs}),
      m_fileListMedia(FileListMedia::Context{m_fileManagement, m_fileCommands, m_lists, m_editor}),
      m_folderListMedia(m_fileManagement, m_fileCommands),
      m_cdListMedia(CDListMedia::Context{m_cdAudio, m_lists, m_editor, ports.prompter}),
      m_document(PlayListDocument::Context{m_playList, m_unplayedItems, m_cdDatabase, m_lists, m_preferences,
                                           ports.prompter, &m_busy, cdDatabasePath()}),
      m_favoritesAndHistory(
          m_preferences, [this] { return m_fileManagement.currentFolder(); }, m_document, ports.prompter),
      m_playOrder(m_playList, m_playedItems, m_unplayedItems, m_preferences),
      m_fileManagement(m_preferences),
      m_timer([this] { m_controller.onPlaybackTick(); }),
      m_delayTimer([this] { m_controller.onDelayElapsed(); }),
      m_cdResyncTimer([this] { m_controller.onCDResync(); }),
      m_cdGraceTimer([this] { m_controller.onCDGraceElapsed(); }),
      m_openingTimer([this] { m_controller.onOpeningWait(); }),
      m_cdAudio(CDAudioMode::Context{m_preferences, m_settings, m_cdDatabase, ports.device,
                                     ports.cdReader ? *ports.cdReader : ports.device, ports.prompter, nullptr,
                                     &m_busy, cdDatabasePath(), cdBackupPath()}),
      m_lengths(LengthCalculator::Context{m_playList, m_playedItems, ports.device, ports.probe,
                                          ports.prompter, m_timer, &m_busy, &m_cdAudio}),
      m_indicators(m_playList, m_playedItems, m_lists, m_preferences, m_lengths),
      m_controller(PlaybackController::Context{
          m_lists, m_playOrder, m_preferences, ports.device, ports.prompter, m_timer, m_delayTimer,
          m_indicators, &m_cdListMedia, &m_cdResyncTimer, &m_cdGraceTimer, &m_openingTimer}),
      m_editor(PlayListEditor::Context{m_playList, m_unplayedItems, m_playOrder, m_document, m_lists,
                                       m_preferences, ports.prompter, ports.clipboard, m_cdDatabase,
                                       &m_busy}),
      m_fileOperations(FileOperations::Context{m_playList, m_playedItems, m_unplayedItems, m_lists,
                                               m_preferences, m_controller, ports.device, m_document,
                                               m_editor, m_lengths, ports.prompter}),
      m_fileCommands(FileCommands::Context{m_preferences, m_fileManagement, m_playList, m_document,
                                           m_fileOperations, ports.prompter}),
      m_fileSearch(FileSearch::Context{m_playList, m_unplayedItems, m_editor, m_document, ports.prompter}),
      m_dispatcher(m_commands, m_busy) {
    if (ports.shell) {
        m_external = std::make_unique<ExternalCommands>(ExternalCommands::Context{
            *ports.shell, ports.prompter, ports.soundSettings, Product::homePage(), Product::contactEmail()});
        m_externalEditors = std::make_unique<ExternalEditors>(
            ExternalEditors::Context{m_preferences, *ports.shell, ports.prompter});
        m_fileListMedia.setEditors(m_externalEditors.get());
        connect(&m_editor, &PlayListEditor::editRequested, this,
                [this](const QString& path) { m_externalEditors->LaunchEditor(path); });
    }
    connectPlayback();
    connectLengths();
    connectFileManagement();
    connectLists();
    m_playList.setCDDatabase(&m_cdDatabase);
    m_playList.setPlayedItems(&m_playedItems);
    m_playList.setTagTitles(&m_tagTitles);
    m_playList.setTextMeasurer(ports.measurer);
    m_playList.setBusyIndicator(&m_busy);
    declareCommands();
    connectCommandStates();
}

void AppSession::attachWindow(BusyIndicator* busy, const TextMeasurer* measurer) {
    m_busy.setShownIndicator(busy);
    m_playList.setTextMeasurer(measurer);
}

void AppSession::connectPlayback() {
    connect(&m_playList, &PlayList::linesChanged, &m_controller, [this] { m_controller.linesShownAnew(); });
    connect(&m_document, &PlayListDocument::aboutToLoad, &m_controller,
            [this] { m_controller.listReplaced(m_playListMedia); });
    connect(&m_document, &PlayListDocument::loaded, &m_editor, [this] {
        m_editor.undoHistory().clear();
        m_editor.updateControls();
    });
    connect(&m_document, &PlayListDocument::cleared, &m_editor, [this] {
        m_controller.listReplaced(m_playListMedia);
        m_editor.updateControls();
    });
    // The controls around the Play List follow its selection and focused line; during a command they
    // are brought up to date once, at its end, unless the command did it itself.
    const auto lineMoved = [this] {
        if (m_commandDepth > 0) {
            m_controlsStale = true;
        } else {
            m_editor.updateControls();
        }
    };
    connect(&m_playList, &PlayList::selectionChanged, &m_editor, lineMoved);
    connect(&m_playList, &PlayList::focusedLineChanged, &m_editor, lineMoved);
    connect(&m_editor, &PlayListEditor::clicked, this, [this] { m_controlsStale = false; });
    connect(&m_dispatcher, &CommandDispatcher::commandStarted, this, [this] { ++m_commandDepth; });
    connect(&m_dispatcher, &CommandDispatcher::commandFinished, this, [this] {
        if (--m_commandDepth == 0 && std::exchange(m_controlsStale, false)) {
            m_editor.updateControls();
        }
    });
    // A click in the Play List also decides what Play may do.
    connect(&m_editor, &PlayListEditor::clicked, &m_controller, &PlaybackController::listChanged);
    // A list that starts playing once opened does so on the next turn: at the start, after the window
    // is on screen. Several lists opened in one go play the last one, once.
    connect(&m_document, &PlayListDocument::playRequested, &m_controller, [this] {
        if (!std::exchange(m_playRequested, true)) {
            QMetaObject::invokeMethod(
                &m_controller,
                [this] {
                    m_playRequested = false;
                    m_controller.playFrom(m_playListMedia);
                },
                Qt::QueuedConnection);
        }
    });
}

void AppSession::connectFileManagement() {
    connect(&m_fileManagement, &FileManagement::changed, &m_controller, &PlaybackController::listChanged);
    // A favorite folder chosen from the menu is the one the lists show.
    connect(&m_favoritesAndHistory, &FavoritesAndHistory::currentFolderChanged, &m_fileManagement,
            &FileManagement::changeFolder);
}

// Which list took the focus: the one the commands act on from now on.
void AppSession::connectLists() {
    connect(&m_fileManagement, &FileManagement::fileListFocused, this,
            [this] { m_lists.setFocused(m_fileListMedia); });
    connect(&m_fileManagement, &FileManagement::folderListFocused, this,
            [this] { m_lists.setFocused(m_folderListMedia); });
    connect(&m_lists, &ActiveLists::changed, &m_commands, [this] { m_commands.invalidate(); });
}

void AppSession::updateFileListVisibility() {
    const bool rightSide = isOn(m_preferences.components, Component::FileList);
    m_fileManagement.setVisible(rightSide && !m_cdAudioModeShown);
    m_cdAudio.setShown(rightSide && m_cdAudioModeShown);
    // Add, Add All and drops take the lines of the list on screen.
    m_lists.setRightHand(m_cdAudioModeShown ? static_cast<MediaList*>(&m_cdListMedia) : &m_fileListMedia);
}

void AppSession::connectLengths() {
    connect(&m_editor, &PlayListEditor::totalsDirty, &m_lengths, [this] { m_lengths.markPlayListChanged(); });
    connect(&m_document, &PlayListDocument::loaded, &m_lengths, [this] { m_lengths.markPlayListChanged(); });
    connect(&m_document, &PlayListDocument::cleared, &m_lengths, [this] { m_lengths.markPlayListChanged(); });
    m_playOrder.setPlayedStatusChanged([this] { m_lengths.markPlayedChanged(); });
    // A click in the Play List while it plays makes the selected total stale and the length follows.
    connect(&m_editor, &PlayListEditor::clicked, &m_lengths, [this] {
        if (m_lists.playListPlays()) {
            m_lengths.clearSelectedTotal();
            m_indicators.ShowLength(-2);
        }
    });
    connect(&m_lengths, &LengthCalculator::aborted, &m_controller, [this] {
        m_indicators.leavePlayListTotals();
        m_controller.indicatorModeChanged();
    });
    connect(&m_lengths, &LengthCalculator::failedLineSelected, &m_editor, &PlayListEditor::updateControls);
}

QString AppSession::samplePlayListPath() const {
    return QDir(m_folders.userData).filePath(QStringLiteral("Samples/Sample.vlp"));
}

QString AppSession::cdDatabasePath() const {
    return QDir(m_folders.userData).filePath(QStringLiteral("CDDB.INI"));
}

QString AppSession::cdBackupPath() const {
    return QDir(m_folders.userData).filePath(QStringLiteral("CDDB.BAK"));
}

void AppSession::beginRun() {
    QDir().mkpath(m_folders.userData);
    m_settings.LoadWindowSettings(m_preferences);
    m_firstRun = !m_settings.isPresent();
    if (m_firstRun) {
        writeSamplePlayList();
    }
}

void AppSession::writeSamplePlayList() {
    // Without the shipped samples there is nothing to list, and nothing to say about it. A folder
    // whose path could not be stored in the items is treated the same way.
    if (m_folders.samples.isEmpty() || !QFileInfo(m_folders.samples).isDir() ||
        !IsStorablePath(m_folders.samples)) {
        return;
    }
    const QString path = samplePlayListPath();
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), error);
    m_sampleListError = error ? QString::fromLocal8Bit(error.message())
                              : TextFile::writeLines(path, PlayListFile::sampleList(m_folders.samples));
}

void AppSession::reportSampleListError() {
    if (m_sampleListError.isEmpty()) {
        return;
    }
    m_ports.prompter.showMessage(Prompter::Kind::Error,
                                 QStringLiteral("Unable to write the sample Play List \"%1\".\r\n\r\n"
                                                "The error message returned was: %2")
                                     .arg(samplePlayListPath(), std::exchange(m_sampleListError, QString())));
}

void AppSession::applyDisplayOptions() {
    m_playList.setDisplayOptions({m_preferences.showPath, m_preferences.showExtension,
                                  m_preferences.showIcons, m_preferences.showTagTitles});
}

void AppSession::windowShown(const QStringList& parameters, const QString& baseFolder) {
    applyFirstShowSettings();
    openStartLists(parameters, baseFolder);
}

void AppSession::applyFirstShowSettings() {
    if (m_firstShow) {
        m_firstShow = false;
        m_settings.LoadSettings(m_preferences, {m_folders.defaultFolder, m_folders.mixerDefault,
                                                m_folders.backgroundBitmap, true});
        m_ports.device.setCdDrive(m_preferences.cdDevice);  // "CD Audio"/"Device": a drive or a .cue image
        if (m_ports.cdReader) {
            m_ports.cdReader->setCdDrive(m_preferences.cdDevice);
        }
        updateFileListVisibility();
        m_fileManagement.start(QDir::homePath(), m_preferences.mainFolder);
        applyDisplayOptions();
        Q_EMIT settingsLoaded();
        // The count label shows or hides with the components, once the window has laid them out.
        m_editor.updateControls();
        m_lists.setFocused(m_playListMedia);
        enterStartMode();
        return;
    }
    m_lists.setFocused(m_playListMedia);
}

bool AppSession::opensSampleList() const {
    return m_firstRun && m_preferences.lastPlayList.isEmpty() && QFileInfo::exists(samplePlayListPath());
}

QString AppSession::lastOrSampleList() const {
    if (opensSampleList()) {
        return samplePlayListPath();
    }
    return m_preferences.openLastPlayList ? m_preferences.lastPlayList : QString();
}

QStringList AppSession::startLists(const QStringList& parameters, const QString& baseFolder) const {
    QStringList lists;
    if (const QString first = lastOrSampleList(); !first.isEmpty()) {
        lists.append(first);
    }
    for (const QString& parameter : parameters) {
        const QString path = OnDiskPath(parameter, baseFolder);
        if (QFileInfo(path).suffix().toLower() == QStringLiteral("vlp")) {
            lists.append(path);
        }
    }
    return lists;
}

bool AppSession::startListsAreLong(const QStringList& parameters, const QString& baseFolder) const {
    const QStringList lists = startLists(parameters, baseFolder);
    return std::any_of(lists.begin(), lists.end(),
                       [](const QString& path) { return QFileInfo(path).size() > kLongStartListBytes; });
}

void AppSession::openStartLists(const QStringList& parameters, const QString& baseFolder) {
    if (m_startListsOpened) {
        return;
    }
    m_startListsOpened = true;
    // Said on the next turn, once the window is on screen (this runs while it is being shown); the run
    // goes on without the sample list.
    if (!m_sampleListError.isEmpty()) {
        QMetaObject::invokeMethod(this, &AppSession::reportSampleListError, Qt::QueuedConnection);
    }
    BusyScope busy(startListsAreLong(parameters, baseFolder) ? &m_busy : nullptr,
                   QStringLiteral(" Please wait while Velmaro redraws the Play List..."));
    if (const QString first = lastOrSampleList(); !first.isEmpty()) {
        // The first run shows the sample list it has just written, without playing it unasked.
        const bool sample = opensSampleList();
        const bool startPlaying =
            std::exchange(m_preferences.startPlaying, m_preferences.startPlaying && !sample);
        m_document.OpenPlayList(first, true, false);
        m_preferences.startPlaying = startPlaying;
    }
    for (qsizetype i = 0; i < parameters.size(); ++i) {
        ProcessParameter(parameters.at(i), static_cast<int>(i + 1), baseFolder);
    }
}

void AppSession::ProcessParameter(const QString& text, int position, const QString& baseFolder) {
    Q_UNUSED(position);
    // "/play" only sets the flag; it is not a file.
    if (text.toLower() == QStringLiteral("/play")) {
        m_startPlayingFlag = true;
        return;
    }
    const QString path = OnDiskPath(text, baseFolder);
    if (QFileInfo(path).suffix().toLower() == QStringLiteral("vlp")) {
        m_document.OpenPlayList(path, true, m_startPlayingFlag);
        return;
    }
    // A media file is shown in the File List and played from there.
    const bool wasCDMode = std::exchange(m_cdAudioModeShown, false);
    const bool listed = m_fileManagement.showFile(path);
    if (wasCDMode) {
        updateFileListVisibility();
        Q_EMIT componentsChanged();
    }
    Q_EMIT mediaFileParameter(path);
    if (listed && m_fileManagement.isVisible()) {
        // As a double-click on it: Play is off while another item plays, and the file was asked for.
        m_controller.playFrom(m_fileListMedia);
        return;
    }
    m_controller.Play();
}

void AppSession::processForwardedParameters(const QStringList& parameters, const QString& baseFolder) {
    // They wait, as a second start's commands do, for a long operation or a box to end.
    m_dispatcher.runFromOutside([this, parameters, baseFolder] {
        for (qsizetype i = 0; i < parameters.size(); ++i) {
            ProcessParameter(parameters.at(i), static_cast<int>(i + 1), baseFolder);
        }
    });
}

void AppSession::togglePaths() {
    m_preferences.showPath = !m_preferences.showPath;
    applyDisplayOptions();
    m_playList.RedrawPlayList(true);
}

void AppSession::toggleExtensions() {
    m_preferences.showExtension = !m_preferences.showExtension;
    applyDisplayOptions();
    m_playList.RedrawPlayList(true);
}

void AppSession::toggleTagTitles() {
    m_preferences.showTagTitles = !m_preferences.showTagTitles;
    applyDisplayOptions();
    m_playList.RedrawPlayList(true);
}

void AppSession::toggleComponent(Component component) {
    auto& shown = m_preferences.components[static_cast<size_t>(component)];
    shown = !shown;
    updateFileListVisibility();
    Q_EMIT componentsChanged();
    m_editor.updateControls();
}

void AppSession::playLine(qsizetype line) {
    m_playList.setFocusedLine(line);
    m_controller.playFrom(m_playListMedia);
}

void AppSession::playRightHandLine() {
    if (MediaList* list = m_lists.rightHand()) {
        m_controller.playFrom(*list);
    }
}

void AppSession::playListEntered() {
    m_lists.setFocused(m_playListMedia);
    m_editor.updateControls();
}

void AppSession::editMenuOpened() {
    m_editor.undoHistory().editMenuOpened();
    m_commands.refreshNow();
}

bool AppSession::confirmClose() {
    return m_document.promptToSaveChanges() != PlayListDocument::SavePrompt::Cancelled;
}

void AppSession::endRun(const WindowPlacement& placement) {
    Q_EMIT closing();
    m_controller.stopCDOnExit();
    m_controller.setTerminating();
    m_timer.stop();
    m_cdResyncTimer.stop();
    m_cdGraceTimer.stop();
    m_openingTimer.stop();
    m_delayTimer.stop();
    m_ports.device.close();
    m_document.UpdatePlayListFile(true);
    m_preferences.window = placement;
    // A name with a line break cannot go into the settings; it was refused from the history with a message.
    m_preferences.lastPlayList =
        IsStorableIniValue(m_document.fileName()) ? m_document.fileName() : QString();
    m_preferences.mainFolder = m_fileManagement.currentFolder();
    reportSettingsError(m_settings.SaveSettings(m_preferences, true));
}
