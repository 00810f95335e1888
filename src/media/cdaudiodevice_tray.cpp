// The tray of the CD audio device's drive: out and in, waited for within the drive's wait, or moved on a
// thread of its own with the answer on the main thread.

#include "media/cdaudiodevice.h"

#include "media/cddrive.h"

#include <QFile>

#include <thread>

void CdAudioDevice::stopForTray() {
    releasePipeline();
    m_mode = MediaDevice::Stopped;
    m_positionMs = 0;
    m_spanEndMs = -1;
}

QByteArray CdAudioDevice::trayDevice() const {
    return QFile::encodeName(m_toc.device.isEmpty() ? m_drive : m_toc.device);
}

void CdAudioDevice::moveImageTray(bool closeTray) {
    CdImageDisc& disc = CdImageDiscOf(m_drive);
    disc.isEjected = !closeTray;
    if (!closeTray) {
        m_imageEjections = ++disc.ejections;
        m_toc = CdTableOfContents();
    }
}

bool CdAudioDevice::eject() {
    const CdDriveDeadline deadline;
    stopForTray();
    if (IsCdImage(m_drive)) {
        moveImageTray(false);
        return true;
    }
    const std::optional<bool> ejected = EjectCdDrive(trayDevice(), deadline.left());
    if (!ejected) {
        return fail(CdDriveNotAnswering(m_drive));
    }
    if (!*ejected) {
        return fail(CdTrayNotMoved(m_drive, false));
    }
    m_toc = CdTableOfContents();
    return true;
}

bool CdAudioDevice::closeDoor() {
    const CdDriveDeadline deadline;
    if (IsCdImage(m_drive)) {
        moveImageTray(true);
    } else {
        const std::optional<bool> closed = CloseCdDrive(QFile::encodeName(m_drive), deadline.left());
        if (!closed) {
            return fail(CdDriveNotAnswering(m_drive));
        }
        if (!*closed) {
            return fail(CdTrayNotMoved(m_drive, true));
        }
    }
    // The disc that came back is the open device's disc from now on.
    return !m_isOpen || readTableOfContents(deadline.left());
}

void CdAudioDevice::beginMoveTray(bool closeTray) {
    cancelTrayMove();
    m_isMovingTray = true;
    m_isClosingTray = closeTray;
    if (!closeTray) {
        stopForTray();
    }
    const AnswerTicket::Weak ticket = m_trayMove.current();
    if (IsCdImage(m_drive)) {
        // Nothing to wait for: the answer still comes later, as every answer does.
        AnswerTicket::post(ticket, [this, closeTray] {
            moveImageTray(closeTray);
            finishTrayMove(true);
        });
        return;
    }
    m_trayWait.start(static_cast<int>(kCdDriveWait.count()));
    // A drive that never answers keeps its thread; the wait above ends the move all the same.
    std::thread([ticket, device = closeTray ? QFile::encodeName(m_drive) : trayDevice(), closeTray, this] {
        const bool moved = MoveCdTray(device, closeTray);
        AnswerTicket::post(ticket, [this, moved] { finishTrayMove(moved); });
    }).detach();
}

void CdAudioDevice::finishTrayMove(std::optional<bool> moved) {
    cancelTrayMove();
    if (!moved || !*moved) {
        fail(moved ? CdTrayNotMoved(m_drive, m_isClosingTray) : CdDriveNotAnswering(m_drive));
        Q_EMIT trayMoved(false, m_error);
        return;
    }
    if (!m_isClosingTray) {
        m_toc = CdTableOfContents();
    }
    Q_EMIT trayMoved(true, QString());
}

void CdAudioDevice::cancelTrayMove() {
    m_trayWait.stop();
    m_trayMove.renew();
    m_isMovingTray = false;
}
