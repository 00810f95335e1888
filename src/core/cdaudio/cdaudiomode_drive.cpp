// CD Audio Mode and the drive: the disc is read for the list without the window waiting for the drive,
// and the player holds the disc while the list is shown.

#include "core/cdaudio/cdaudiomode.h"

#include "core/cdaudio/cddatabase.h"
#include "core/cdaudio/cddatabasesave.h"
#include "core/cdaudio/cdidentifier.h"
#include "core/common/busyindicator.h"
#include "core/common/prompter.h"
#include "core/ports/mediadevice.h"

#include <algorithm>
#include <utility>

const QString CDAudioMode::kReadingDisc = QStringLiteral("Reading the disc...");

namespace {

// Only for a CD device that fails without saying why; a drive that does not answer says so itself.
const QString kCannotInitialise = QStringLiteral(
    "Velmaro is unable to initialize CD Audio support. You may\rhave to update your CD drivers or close one or more\r"
    "applications that use the CD Audio driver. If the problem\rpersists, please contact your CD-ROM manufacturer.");

}  // namespace

bool CDAudioMode::playerHoldsCD() const {
    return m_c.player.deviceType() == MediaDevice::DeviceType::CDAudio && m_c.player.isOpen();
}

// The player is the controller's: it may be given the drive only while it neither opens nor plays an item.
bool CDAudioMode::playerIsFree() const {
    const int mode = m_c.player.mode();
    return !m_c.player.isOpening() && mode != MediaDevice::Playing && mode != MediaDevice::Paused;
}

// The reader, closed, set to the drive.
void CDAudioMode::prepareReader() {
    m_c.reader.close();
    m_c.reader.setFileName(QString());
    m_c.reader.setDeviceType(MediaDevice::DeviceType::CDAudio);
    m_c.reader.setShareable(true);
}

void CDAudioMode::releaseReader() {
    m_c.reader.close();
    m_c.reader.setDeviceType(MediaDevice::DeviceType::Automatic);
    m_c.reader.setShareable(false);
}

// Waits for the drive, as long as the device allows: only for the loop that asks the user for a disc,
// which waits on the user anyway. A read for the list that it interrupts starts again after it.
void CDAudioMode::queryDrive(const std::function<void(MediaDevice&)>& query) {
    if (playerHoldsCD()) {
        query(m_c.player);
        return;
    }
    if (readerIsPlayer() && !playerIsFree()) {
        return;
    }
    prepareReader();
    if (m_c.reader.open()) {
        query(m_c.reader);
    }
    releaseReader();
    if (m_read == DriveRead::MovingTray) {
        // Its answer is lost with the reader: what the drive holds now is read instead.
        m_read = DriveRead::Reading;
        showNothing(kReadingDisc);
    }
    if (m_read == DriveRead::Reading) {
        beginReaderRead();
    }
}

std::optional<qint32> CDAudioMode::ComputeCDID() {
    std::optional<qint32> cdid;
    queryDrive([&cdid](MediaDevice& device) {
        if (device.mode() != MediaDevice::Open) {
            cdid = ::ComputeCDID(device);
        }
    });
    return cdid;
}

qint64 CDAudioMode::trackLengthInDrive(int track) {
    qint64 length = -1;
    queryDrive([&length, track](MediaDevice& device) {
        device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
        length = track >= 1 && track <= device.trackCount() ? device.trackLength(track) : -1;
    });
    return length;
}

void CDAudioMode::closeTray() {
    queryDrive([](MediaDevice& device) {
        if (device.mode() == MediaDevice::Open) {
            device.closeDoor();
        }
    });
}

void CDAudioMode::ReadCD() {
    readDrive(std::nullopt);
}

void CDAudioMode::ReadStoredCD(qint32 cdid, int trackCount) {
    const bool wasReading = isReadingDrive();
    stopReading();
    showStoredDisc(cdid, trackCount);
    if (wasReading) {
        finishRead();
    }
}

void CDAudioMode::whenDiscRead(std::function<void()> then) {
    if (!isReadingDrive()) {
        then();
        return;
    }
    m_afterRead.push_back(std::move(then));
}

void CDAudioMode::cancelRead() {
    const bool wasReading = isReadingDrive();
    stopReading();
    m_afterRead.clear();
    if (wasReading) {
        showNothing(QString());
    }
}

void CDAudioMode::stopReading() {
    if (m_read == DriveRead::MovingTray) {
        stopMovingTray();
    } else if (m_read == DriveRead::Reading && !(readerIsPlayer() && !playerIsFree())) {
        releaseReader();  // its answer never comes
    }
    // A hold under way is the player's to finish: the player is never closed while it opens. Its answer
    // is not waited for any more.
    m_read = DriveRead::None;
    m_readOtherwise.reset();
}

void CDAudioMode::readDrive(std::optional<StoredChoice> otherwise) {
    if (m_read == DriveRead::MovingTray) {
        m_readOtherwise = otherwise;  // the drive is read once the tray has moved
        return;
    }
    stopReading();
    m_readOtherwise = otherwise;
    m_read = DriveRead::Reading;
    if (playerHoldsCD()) {
        // The player read the disc when it opened, and notices a disc taken out since: no waiting.
        showReadDisc(m_c.player);
        finishRead();
        return;
    }
    if (readerIsPlayer() && !playerIsFree()) {
        // The only device plays an item: the drive cannot be read without stopping it.
        showNothing(QString());
        finishRead();
        return;
    }
    showNothing(kReadingDisc);
    beginReaderRead();
}

void CDAudioMode::beginReaderRead() {
    prepareReader();
    m_c.reader.beginOpen();  // may answer before it returns
}

void CDAudioMode::onReaderOpened() {
    if (m_read == DriveRead::MovingTray) {
        trayMoverAnswered(m_c.reader);
        return;
    }
    if (m_read != DriveRead::Reading) {
        return;
    }
    if (m_c.reader.deviceType() != MediaDevice::DeviceType::CDAudio) {
        // The reader is the player, and the controller opened an item on it: the read is lost.
        showNothing(QString());
        finishRead();
        return;
    }
    showReadDisc(m_c.reader);
    if (!readerIsPlayer()) {
        releaseReader();
        if (m_showingDriveCD && !m_driveWasEmpty && holdDiscInPlayer()) {
            return;  // the player's answer ends the read
        }
    }
    finishRead();
}

void CDAudioMode::onReaderOpenFailed(const QString& reason) {
    if (m_read == DriveRead::MovingTray) {
        trayMoverAnswered(m_c.reader);
        return;
    }
    if (m_read != DriveRead::Reading) {
        return;
    }
    const bool ours = m_c.reader.deviceType() == MediaDevice::DeviceType::CDAudio;
    const std::optional<StoredChoice> otherwise = m_readOtherwise;
    if (ours) {
        releaseReader();
    }
    m_driveWasEmpty = false;  // not known: the eject button ejects
    if (otherwise) {
        showStoredDisc(otherwise->cdid, otherwise->trackCount);
    } else {
        showNothing(QString());
    }
    finishRead();
    // Told last: the box waits for the user, and whatever runs meanwhile finds the read ended.
    if (ours && !otherwise) {
        m_c.prompter.showMessage(Prompter::Kind::Information, reason.isEmpty() ? kCannotInitialise : reason);
    }
}

void CDAudioMode::onPlayerAnswered() {
    if (m_read == DriveRead::MovingTray) {
        trayMoverAnswered(m_c.player);
    } else if (m_read == DriveRead::Holding) {
        finishRead();
    }
}

void CDAudioMode::finishRead() {
    m_read = DriveRead::None;
    m_readOtherwise.reset();
    std::vector<std::function<void()>> waiting = std::exchange(m_afterRead, {});
    for (const std::function<void()>& then : waiting) {
        then();
    }
}

// The player keeps the disc open while nothing else plays on it, so that the playback tick sees the tray
// open and a disc started by another program. Whatever opens, plays or is paused is left alone.
bool CDAudioMode::holdDiscInPlayer() {
    if (playerHoldsCD() || !playerIsFree()) {
        return false;
    }
    m_read = DriveRead::Holding;
    m_c.player.close();
    m_c.player.setFileName(QString());
    m_c.player.setShareable(true);
    m_c.player.setDeviceType(MediaDevice::DeviceType::CDAudio);
    m_c.player.beginOpen();  // may answer before it returns
    return true;
}

// What the open device found: the disc, no disc, or the stored disc picked when the drive holds another.
void CDAudioMode::showReadDisc(MediaDevice& device) {
    const bool hasDisc = device.mode() != MediaDevice::Open;
    m_driveWasEmpty = !hasDisc;
    if (m_readOtherwise && (!hasDisc || ::ComputeCDID(device) != m_readOtherwise->cdid)) {
        showStoredDisc(m_readOtherwise->cdid, m_readOtherwise->trackCount);
        return;
    }
    m_showingDriveCD = true;
    if (!hasDisc) {
        showNoDisc();
        return;
    }
    device.setTimeFormat(MediaDevice::TimeFormat::Milliseconds);
    fillList(&device, ::ComputeCDID(device), std::max(device.trackCount(), 0));
}

void CDAudioMode::showStoredDisc(qint32 cdid, int trackCount) {
    m_showingDriveCD = false;
    fillList(nullptr, cdid, trackCount);
}

void CDAudioMode::fillList(MediaDevice* drive, qint32 cdid, int tracks) {
    BusyScope busy(m_c.busy, QStringLiteral(" Please wait while Velmaro reads the CD Database..."));
    m_list.setEnabled(true);
    m_currentCDName = kUnknownCD;
    reloadDatabase();
    m_currentCDID = cdid;
    const StoredDisc names = m_c.database.readDisc(cdid, tracks);
    m_trackNames = names.trackNames;
    if (names.found) {
        m_currentCDName = names.name;
    } else if (drive) {
        takeCDText(drive->cdText());
    }
    QList<qint64> lengths;
    for (int t = 1; t <= tracks; ++t) {
        lengths.append(drive ? std::max<qint64>(drive->trackLength(t), 0) : -1);
    }
    m_list.fill(cdid, m_trackNames, lengths);
    m_totalLength = drive ? std::max<qint64>(drive->length(), 0) : m_totalLength;
    m_playEnabled = drive && tracks > 0;
    m_addAllEnabled = !m_trackNames.isEmpty();
    fillNameBox();
    m_nameBoxEnabled = true;
    m_nameText = m_currentCDName;
    m_saveEnabled = !m_nameText.isEmpty();
    m_renameDeleteEnabled = true;
    Q_EMIT changed();
}

// No disc shown while the drive is read, or after it could not be: nothing to play, save or rename.
void CDAudioMode::showNothing(const QString& text) {
    clearDisc(text);
    Q_EMIT changed();
}

void CDAudioMode::clearDisc(const QString& nameText) {
    m_trackNames.clear();
    m_currentCDID.reset();
    m_list.clear();
    m_list.setEnabled(false);
    m_nameText = nameText;
    m_nameBoxEnabled = false;
    m_saveEnabled = false;
    m_addEnabled = m_addAllEnabled = false;
    m_renameDeleteEnabled = false;
    m_playEnabled = false;
    m_totalLength = 0;
    fillNameBox();
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
    clearDisc(kNoCD);
    m_currentCDName = kNoCD;
    Q_EMIT discGone();
    Q_EMIT changed();
}
