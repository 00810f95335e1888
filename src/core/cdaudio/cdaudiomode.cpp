#include "core/cdaudio/cdaudiomode.h"

#include "core/cdaudio/cddatabase.h"
#include "core/cdaudio/cddatabasesave.h"
#include "core/cdaudio/cddialogs.h"
#include "core/cdaudio/cdidentifier.h"
#include "core/cdaudio/rearrangecdsmodel.h"
#include "core/common/busyindicator.h"
#include "core/common/prompter.h"
#include "core/common/textfile.h"
#include "core/ports/mediadevice.h"
#include "core/settings/preferences.h"
#include "core/settings/settings.h"

const QString CDAudioMode::kNoCD = QStringLiteral("No CD");
const QString CDAudioMode::kUnknownCD = QStringLiteral("Unknown CD");

namespace {

const QString kCannotInitialise = QStringLiteral(
    "Velmaro is unable to initialize CD Audio support. You may\rhave to update your CD drivers or close one or more\r"
    "applications that use the CD Audio driver. If the problem\rpersists, please contact your CD-ROM manufacturer.");
const QString kCannotWrite = QStringLiteral("Unable to create the CD Database file (CDDB.INI).");
const QString kCannotBackUp = QStringLiteral("Unable to create backup of the CD Database file (CDDB.BAK).");

// A file the system refused to write is told with what the system reported.
QString withReason(const QString& failure, const QString& reason) {
    return failure + QStringLiteral("\r\n\r\nThe error message returned was: ") + reason;
}
const QString kCannotOpen = QStringLiteral(
    "Unable to open the CD Database (CDDB.INI). You\rhave probably renamed the file or deleted it.");

}  // namespace

CDAudioMode::CDAudioMode(Context context, QObject* parent) : QObject(parent), m_c(std::move(context)) {}

bool CDAudioMode::playerHoldsCD() const {
    return m_c.player.deviceType() == MediaDevice::DeviceType::CDAudio && m_c.player.isOpen();
}

MediaDevice& CDAudioMode::queryDevice() {
    return playerHoldsCD() ? m_c.player : m_c.reader;
}

bool CDAudioMode::openReader() {
    if (playerHoldsCD()) {
        return true;
    }
    m_c.reader.close();
    m_c.reader.setFileName(QString());
    m_c.reader.setDeviceType(MediaDevice::DeviceType::CDAudio);
    m_c.reader.setShareable(true);
    return m_c.reader.open();
}

void CDAudioMode::releaseReader() {
    m_c.reader.close();
    m_c.reader.setDeviceType(MediaDevice::DeviceType::Automatic);
    m_c.reader.setShareable(false);
}

std::optional<qint32> CDAudioMode::ComputeCDID() {
    const bool borrowed = !playerHoldsCD();
    if (!openReader()) {
        return std::nullopt;
    }
    MediaDevice& device = queryDevice();
    std::optional<qint32> cdid;
    if (device.mode() != MediaDevice::Open) {
        cdid = ::ComputeCDID(device);
    }
    if (borrowed) {
        releaseReader();
    }
    return cdid;
}

qint64 CDAudioMode::trackLengthInDrive(int track) {
    const bool borrowed = !playerHoldsCD();
    if (!openReader()) {
        return -1;
    }
    MediaDevice& device = queryDevice();
    device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    const qint64 length = track >= 1 && track <= device.trackCount() ? device.trackLength(track) : -1;
    if (borrowed) {
        releaseReader();
    }
    return length;
}

void CDAudioMode::closeTray() {
    const bool borrowed = !playerHoldsCD();
    if (!openReader()) {
        return;
    }
    if (queryDevice().mode() == MediaDevice::Open) {
        queryDevice().closeDoor();
    }
    if (borrowed) {
        releaseReader();
    }
}

void CDAudioMode::reloadDatabase() {
    m_c.database.reload(m_c.databasePath);
}

QString CDAudioMode::storedName(qint32 cdid) {
    reloadDatabase();
    const StoredDisc disc = m_c.database.readDisc(cdid, 0);
    return disc.found ? disc.name : kUnknownCD;
}

bool CDAudioMode::ReadCD() {
    return readDisc(std::nullopt, 0);
}

void CDAudioMode::ReadStoredCD(qint32 cdid, int trackCount) {
    readDisc(cdid, trackCount);
}

bool CDAudioMode::readDisc(std::optional<qint32> stored, int trackCount) {
    BusyScope busy(m_c.busy, QStringLiteral(" Please wait while Velmaro reads the CD Database..."));
    const bool drive = !stored;
    m_showingDriveCD = drive;
    m_trackNames.clear();
    // No disc until one is read: Rename and Delete never reach the disc shown before.
    m_currentCDID.reset();
    m_list.clear();
    const bool borrowed = !playerHoldsCD();
    struct ReleaseReader {
        CDAudioMode& mode;
        bool borrowed;
        ~ReleaseReader() {
            if (borrowed) {
                mode.releaseReader();
            }
        }
    } release{*this, borrowed && drive};
    MediaDevice& device = queryDevice();
    if (drive) {
        if (!openReader()) {
            m_c.prompter.showMessage(Prompter::Kind::Information, kCannotInitialise);
            Q_EMIT changed();
            return false;
        }
        if (device.mode() == MediaDevice::Open) {
            showNoDisc();
            return true;
        }
    }
    m_list.setEnabled(true);
    m_currentCDName = kUnknownCD;
    device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    const int tracks = drive ? std::max(device.trackCount(), 0) : trackCount;
    reloadDatabase();
    const qint32 cdid = drive ? ::ComputeCDID(device) : *stored;
    m_currentCDID = cdid;
    const StoredDisc names = m_c.database.readDisc(cdid, tracks);
    m_trackNames = names.trackNames;
    if (names.found) {
        m_currentCDName = names.name;
    } else if (drive) {
        takeCDText(device.cdText());
    }
    QList<qint64> lengths;
    for (int t = 1; t <= tracks; ++t) {
        lengths.append(drive ? std::max<qint64>(device.trackLength(t), 0) : -1);
    }
    m_list.fill(cdid, m_trackNames, lengths);
    m_totalLength = drive ? std::max<qint64>(device.length(), 0) : m_totalLength;
    m_playEnabled = drive && tracks > 0;
    m_addAllEnabled = !m_trackNames.isEmpty();
    fillNameBox();
    m_nameBoxEnabled = true;
    m_nameText = m_currentCDName;
    m_saveEnabled = !m_nameText.isEmpty();
    m_renameDeleteEnabled = true;
    if (drive) {
        holdDiscInPlayer();
    }
    Q_EMIT changed();
    return true;
}

// The player keeps the disc open while nothing else plays on it, so that the playback tick sees the tray
// open and a disc started by another program. Whatever plays or is paused is left alone.
void CDAudioMode::holdDiscInPlayer() {
    const int mode = m_c.player.mode();
    if (playerHoldsCD() || mode == MediaDevice::Playing || mode == MediaDevice::Paused) {
        return;
    }
    m_c.player.close();
    m_c.player.setFileName(QString());
    m_c.player.setShareable(true);
    m_c.player.setDeviceType(MediaDevice::DeviceType::CDAudio);
    m_c.player.open();
}

// A disc the database does not know yet arrives with the names it carries, unsaved until the user saves.
void CDAudioMode::takeCDText(const QStringList& text) {
    if (text.isEmpty()) {
        return;
    }
    const QString album = CleanCDName(text.first()).left(100);
    if (!album.isEmpty()) {
        m_currentCDName = album;
    }
    for (qsizetype t = 1; t < text.size() && t <= m_trackNames.size(); ++t) {
        const QString title = CleanCDName(text[t]);
        if (!title.isEmpty()) {
            m_trackNames[t - 1] = title;
        }
    }
}

void CDAudioMode::showNoDisc() {
    m_list.setEnabled(false);
    m_currentCDName = kNoCD;
    m_nameText = kNoCD;
    m_nameBoxEnabled = false;
    m_saveEnabled = false;
    m_addEnabled = m_addAllEnabled = false;
    m_renameDeleteEnabled = false;
    m_playEnabled = false;
    m_totalLength = 0;
    fillNameBox();
    Q_EMIT discGone();
    Q_EMIT changed();
}

void CDAudioMode::fillNameBox() {
    m_storedNames.clear();
    const QStringList& lines = m_c.database.lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(u'[')) {
            m_storedNames.append(i + 1 < lines.size() ? lines[i + 1].mid(5, 100) : QString());
        }
    }
}

void CDAudioMode::setNameText(const QString& text) {
    m_nameText = text;
    m_saveEnabled = !text.isEmpty();
    Q_EMIT changed();
}

void CDAudioMode::pickStoredName(const QString& name) {
    m_nameText = name;
    m_saveEnabled = !name.isEmpty();
    reloadDatabase();
    for (const CDDatabase::Section& section : m_c.database.sections()) {
        if (section.name != name) {
            continue;
        }
        if (ComputeCDID() == section.cdid) {
            ReadCD();
        } else {
            ReadStoredCD(section.cdid, section.trackLines);
        }
        return;
    }
    Q_EMIT changed();
}

void CDAudioMode::listClicked() {
    if (m_list.isEmpty()) {
        Q_EMIT changed();
        return;
    }
    m_renameDeleteEnabled = true;
    m_addEnabled = true;
    Q_EMIT changed();
}

void CDAudioMode::selectPlayingLine(int index) {
    if (index < 0 || index >= m_list.count()) {
        return;
    }
    m_list.selectAlone(index);
    listClicked();
}

void CDAudioMode::listEntered() {
    Q_EMIT listFocused();
    listClicked();
}

void CDAudioMode::setShown(bool shown) {
    m_list.setVisible(shown);
    Q_EMIT changed();
}

QStringList CDAudioMode::shownTrackNames() const {
    QStringList names;
    for (const QString& name : m_list.names()) {
        names.append(CleanCDName(name));
    }
    return names;
}

void CDAudioMode::saveTrackList() {
    if (!m_list.cdid()) {
        return;  // no disc shown: no section to write
    }
    const qint32 cdid = *m_list.cdid();
    if (m_c.preferences.askBeforeSavingCDDatabase && m_c.dialogs) {
        reloadDatabase();
        // One list of sections: sections() gives a new list at each call.
        const QList<CDDatabase::Section> sections = m_c.database.sections();
        const bool stored = std::any_of(sections.cbegin(), sections.cend(),
                                        [cdid](const CDDatabase::Section& s) { return s.cdid == cdid; });
        if (stored) {
            bool askAgain = m_c.preferences.askBeforeSavingCDDatabase;
            if (!m_c.dialogs->confirmSave(askAgain)) {
                return;
            }
            m_c.preferences.askBeforeSavingCDDatabase = askAgain;
            m_c.settings.writeBool(QStringLiteral("CD Audio"), QStringLiteral("AskForConfirmationWhenSavingDB"),
                                   askAgain);
        }
    }
    CDDatabaseSaveResult result;
    {
        BusyScope busy(m_c.busy, QString());
        result = SaveDiscToDatabase(m_c.databasePath, m_c.backupPath, m_c.preferences.backUpCDDatabase, cdid,
                                    CleanCDName(m_nameText).left(100), shownTrackNames());
    }
    // One box: when the database itself was not written, a failed backup of it changes nothing.
    if (!result.databaseError.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information, withReason(kCannotWrite, result.databaseError));
        return;
    }
    if (!result.backupError.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information, withReason(kCannotBackUp, result.backupError));
    }
    m_c.database.setLines(result.lines);
    Q_EMIT databaseChanged();
    if (m_showingDriveCD) {
        Q_EMIT reenterRequested();
    } else {
        ReadStoredCD(cdid, static_cast<int>(m_list.count()));
    }
}

void CDAudioMode::renameTracks() {
    if (!m_c.dialogs || m_list.isEmpty() || !m_list.cdid()) {
        return;
    }
    const int track = static_cast<int>(std::max<qsizetype>(m_list.focusedLine(), 0)) + 1;
    bool expanded = m_c.settings.readBool(QStringLiteral("General"), QStringLiteral("RenCDTracksBoxExpanded"), false);
    const std::optional<QStringList> names = m_c.dialogs->renameTracks(m_list.names(), track, expanded);
    m_c.settings.writeBool(QStringLiteral("General"), QStringLiteral("RenCDTracksBoxExpanded"), expanded);
    if (!names) {
        return;
    }
    QStringList cleaned;
    for (const QString& name : *names) {
        cleaned.append(CleanCDName(name));
    }
    m_trackNames = cleaned;
    m_list.setNames(cleaned);
    Q_EMIT changed();
}

void CDAudioMode::removeDisc() {
    if (!m_c.dialogs || !m_list.cdid() || !m_c.dialogs->confirmRemove(m_nameText)) {
        return;
    }
    const qint32 cdid = *m_list.cdid();
    const TextFile::ReadResult onDisk = TextFile::readLines(m_c.databasePath);
    if (onDisk.exists && !onDisk.ok) {
        m_c.prompter.showMessage(Prompter::Kind::Error, kCannotOpen);
        return;
    }
    const QStringList removed = WithDiscRemoved(onDisk.lines, cdid);
    if (removed.size() == onDisk.lines.size()) {
        return;  // the disc is not stored
    }
    if (const QString error = TextFile::writeLines(m_c.databasePath, removed); !error.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information, withReason(kCannotWrite, error));
        return;
    }
    m_c.database.setLines(removed);
    Q_EMIT databaseChanged();
    fillNameBox();
    Q_EMIT reenterRequested();
}

void CDAudioMode::rearrangeDiscs() {
    if (!m_c.dialogs) {
        return;
    }
    reloadDatabase();
    const QStringList lines = m_c.database.lines();
    QList<qsizetype> headers;
    QStringList names;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(u'[')) {
            headers.append(i);
            names.append(i + 1 < lines.size() ? lines[i + 1].mid(5, 100) : QString());
        }
    }
    const std::optional<QList<int>> order =
        m_c.dialogs->rearrange(names, RearrangeCDsModel::initialSelection(names, m_nameText));
    if (!order || order->isEmpty() || headers.isEmpty()) {
        return;
    }
    // The file as it is now: another program may have changed it while the box was open.
    reloadDatabase();
    if (m_c.database.lines() != lines) {
        m_c.prompter.showMessage(
            Prompter::Kind::Information,
            QStringLiteral("The CD Database (CDDB.INI) was changed by another program while the "
                           "box was open; the new order was not written.\rPlease try again."));
        return;
    }
    QList<qsizetype> reordered;
    for (int index : *order) {
        if (index >= 0 && index < headers.size()) {
            reordered.append(headers[index]);
        }
    }
    const QStringList written = WithSectionsReordered(lines, reordered);
    if (const QString error = TextFile::writeLines(m_c.databasePath, written); !error.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information, withReason(kCannotWrite, error));
        return;
    }
    m_c.database.setLines(written);
    Q_EMIT databaseChanged();
    Q_EMIT reenterRequested();
}

void CDAudioMode::eject() {
    MediaDevice& device = m_c.player;
    const bool holdsCD = playerHoldsCD();
    if (holdsCD && device.mode() == MediaDevice::Open) {
        device.closeDoor();
    } else if (holdsCD) {
        device.eject();
    } else if (openReader()) {
        // The player holds something else: the reader moves the tray without touching what plays.
        if (m_c.reader.mode() == MediaDevice::Open) {
            m_c.reader.closeDoor();
        } else {
            m_c.reader.eject();
        }
        releaseReader();
    }
    ReadCD();
}
