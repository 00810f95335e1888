// CD Audio Mode's eject button: the tray moves without the window waiting for the drive, and the drive
// is read once it has moved.

#include "core/cdaudio/cdaudiomode.h"

#include "core/common/prompter.h"
#include "core/ports/mediadevice.h"

const QString CDAudioMode::kOpeningTray = QStringLiteral("Opening the tray...");
const QString CDAudioMode::kClosingTray = QStringLiteral("Closing the tray...");

void CDAudioMode::eject() {
    if (isMovingTray()) {
        return;  // the tray is on its way; a second move would race it in the drive
    }
    MediaDevice& player = m_c.player;
    const bool closeDoor = playerHoldsCD() ? player.mode() == MediaDevice::Open : m_driveWasEmpty;
    if (playerHoldsCD()) {
        Q_EMIT discGone();  // the controller ends what plays from the disc, closing the player
    }
    if (playerHoldsCD() && closeDoor) {
        player.close();  // it reads the disc that comes in only when it opens again
    }
    if (!playerHoldsCD() && readerIsPlayer() && !playerIsFree()) {
        ReadCD();  // the only device plays an item: the tray is left alone
        return;
    }
    stopReading();
    m_read = DriveRead::MovingTray;
    showNothing(closeDoor ? kClosingTray : kOpeningTray);
    // Left playing here is only a disc nothing follows: moving its tray stops it.
    m_trayMover = playerHoldsCD() ? TrayMover::Player : TrayMover::Reader;
    if (m_trayMover == TrayMover::Reader) {
        prepareReader();
    }
    trayMover().beginMoveTray(closeDoor);  // may answer before it returns
}

void CDAudioMode::onTrayMoved(MediaDevice& device, bool moved, const QString& reason) {
    if (m_read != DriveRead::MovingTray || &device != &trayMover()) {
        return;
    }
    const std::optional<StoredChoice> otherwise = m_readOtherwise;
    if (m_trayMover == TrayMover::Reader) {
        releaseReader();
    }
    m_read = DriveRead::None;
    if (moved) {
        readDrive(otherwise);  // what waits for the read waits on for this one
        return;
    }
    // Where the tray stands is not known: the list shows nothing, and the button tries the same move.
    showNothing(QString());
    finishRead();
    // Told last, as a failed read is.
    m_c.prompter.showMessage(Prompter::Kind::Information, reason);
}

void CDAudioMode::trayMoverAnswered(MediaDevice& device) {
    if (&device != &trayMover()) {
        return;
    }
    m_read = DriveRead::None;
    showNothing(QString());
    finishRead();
}

void CDAudioMode::stopMovingTray() {
    // The device is let go, its answer never comes; a player taken for an item meanwhile is not ours.
    if (m_trayMover == TrayMover::Reader && !(readerIsPlayer() && !playerIsFree())) {
        releaseReader();
    } else if (m_trayMover == TrayMover::Player && playerIsFree()) {
        m_c.player.close();
    }
}
