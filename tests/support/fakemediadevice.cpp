#include "support/fakemediadevice.h"

#include <algorithm>
#include <utility>

bool FakeMediaDevice::open() {
    const Script script = files.value(m_fileName);
    log.append(QStringLiteral("open ") + m_fileName);
    if (!script.failure.isEmpty()) {
        m_error = script.failure;
        m_open = false;
        return false;
    }
    m_error.clear();
    m_open = true;
    m_mode = Stopped;
    m_position = 0;
    m_length = !cd() ? script.length : disc ? disc->length() : cdLength;
    m_video = script.video;
    m_failAt = script.failAt;
    m_failAtText = script.failAtText;
    m_playbackFailure.clear();
    m_start = m_end = -1;
    return true;
}

// Opening answers at once unless the script makes it wait: then advance() brings the answer.
void FakeMediaDevice::beginOpen() {
    close();
    m_opening = true;
    m_openingLeft = files.value(m_fileName).openDelay;
    if (m_openingLeft == 0) {
        answerOpening();
    } else {
        log.append(QStringLiteral("opening ") + m_fileName);
    }
}

void FakeMediaDevice::answerOpening() {
    m_opening = false;
    if (open()) {
        Q_EMIT opened();
    } else {
        Q_EMIT openFailed(m_error);
    }
}

void FakeMediaDevice::close() {
    if (m_opening) {
        log.append(QStringLiteral("cancel opening"));
    }
    if (m_movingTray) {
        log.append(QStringLiteral("cancel tray move"));
    }
    m_movingTray = false;
    m_opening = false;
    if (m_open) {
        log.append(QStringLiteral("close"));
    }
    m_open = false;
    m_mode = NotReady;
    m_queued.clear();
}

bool FakeMediaDevice::queueNext(const QString& path) {
    if (!gapless || !m_open || cd()) {
        return false;
    }
    log.append(QStringLiteral("queue ") + path);
    m_queued = path;
    return true;
}

void FakeMediaDevice::cancelQueued() {
    if (!m_queued.isEmpty()) {
        log.append(QStringLiteral("cancel queued"));
    }
    m_queued.clear();
}

bool FakeMediaDevice::play() {
    if (!m_open) {
        m_error = QStringLiteral("not open");
        return false;
    }
    log.append(QStringLiteral("play"));
    if (m_start >= 0) {
        m_position = m_start;
    }
    m_playEnd = m_end >= 0 ? m_end : m_length;
    m_start = m_end = -1;
    m_mode = Playing;
    m_playbackFailure.clear();
    return true;
}

void FakeMediaDevice::stop() {
    if (m_open) {
        log.append(QStringLiteral("stop"));
        m_mode = Stopped;
    }
}

void FakeMediaDevice::pause() {
    if (m_mode == Playing) {
        m_mode = Paused;
    } else if (m_mode == Paused) {
        m_mode = Playing;
    }
}

void FakeMediaDevice::resume() {
    // A disc pauses by stopping and resumes to the end of the same span.
    if (m_mode == Paused || (cd() && m_mode == Stopped && m_position < m_playEnd)) {
        m_mode = Playing;
    }
}

bool FakeMediaDevice::seek(qint64 position) {
    if (!m_open) {
        return false;
    }
    m_position = position;
    return true;
}

void FakeMediaDevice::advance(qint64 ms) {
    if (m_movingTray && m_trayLeft > 0) {
        m_trayLeft = std::max<qint64>(m_trayLeft - ms, 0);
        if (m_trayLeft == 0) {
            answerTrayMove();
        }
    }
    if (m_opening && m_openingLeft > 0) {
        m_openingLeft = std::max<qint64>(m_openingLeft - ms, 0);
        if (m_openingLeft == 0) {
            answerOpening();
        }
        return;
    }
    if (!m_open || m_mode != Playing) {
        return;
    }
    m_position += ms;
    if (m_failAt >= 0 && m_position >= m_failAt) {
        m_position = m_failAt;
        m_mode = Stopped;
        m_playbackFailure = m_failAtText;
        Q_EMIT modeChanged();
        return;
    }
    if (m_position >= m_playEnd) {
        reachEnd(m_position - m_playEnd);
    }
}

// A queued file plays on from where the time went past the end, as one continuous stream.
void FakeMediaDevice::reachEnd(qint64 past) {
    const QString next = std::exchange(m_queued, QString());
    const Script script = files.value(next);
    if (next.isEmpty() || m_playEnd != m_length || script.failsWhenQueued || !script.failure.isEmpty()) {
        if (!next.isEmpty()) {
            log.append(QStringLiteral("queued failed ") + next);
        }
        m_position = m_playEnd;
        m_mode = Stopped;
        Q_EMIT modeChanged();
        return;
    }
    log.append(QStringLiteral("handover ") + next);
    m_fileName = next;
    m_length = m_playEnd = script.length;
    m_position = std::min(past, m_length);
    m_video = script.video;
    m_failAt = script.failAt;
    m_failAtText = script.failAtText;
    Q_EMIT queuedStarted();
}

qint64 FakeDisc::length() const {
    return start(static_cast<int>(tracks.size()) + 1);
}

qint64 FakeDisc::start(int track) const {
    qint64 at = 0;
    for (int t = 1; t < track && t <= tracks.size(); ++t) {
        at += tracks[t - 1];
    }
    return at;
}

int FakeMediaDevice::mode() const {
    if (!m_open) {
        return -1;
    }
    return cd() && disc && !disc->inDrive ? Open : m_mode;
}

int FakeMediaDevice::trackCount() const {
    return hasDisc() && m_open ? static_cast<int>(disc->tracks.size()) : 0;
}

qint64 FakeMediaDevice::trackLength(int track) const {
    return track >= 1 && track <= trackCount() ? disc->tracks[track - 1] : -1;
}

qint64 FakeMediaDevice::trackPosition(int track) const {
    return track >= 1 && track <= trackCount() ? disc->start(track) : -1;
}

bool FakeMediaDevice::eject() {
    if (!cd() || !disc) {
        return false;
    }
    log.append(QStringLiteral("eject"));
    disc->inDrive = false;
    m_mode = Stopped;
    return true;
}

// The move answers at once unless the script makes it wait: then advance() brings the answer.
void FakeMediaDevice::beginMoveTray(bool closeTray) {
    m_movingTray = true;
    m_closingTray = closeTray;
    m_trayLeft = trayDelay;
    if (!closeTray && m_open) {
        m_mode = Stopped;  // the disc stops as the tray goes out
    }
    if (m_trayLeft == 0) {
        answerTrayMove();
    } else {
        log.append(closeTray ? QStringLiteral("closing door") : QStringLiteral("ejecting"));
    }
}

void FakeMediaDevice::answerTrayMove() {
    m_movingTray = false;
    if (!trayFailure.isEmpty()) {
        m_error = trayFailure;
        Q_EMIT trayMoved(false, trayFailure);
        return;
    }
    log.append(m_closingTray ? QStringLiteral("close door") : QStringLiteral("eject"));
    if (disc) {
        disc->inDrive = m_closingTray;
    }
    Q_EMIT trayMoved(true, QString());
}

bool FakeMediaDevice::closeDoor() {
    if (!cd() || !disc) {
        return false;
    }
    log.append(QStringLiteral("close door"));
    disc->inDrive = true;
    m_length = disc->length();
    return true;
}

qint64 FakeLengthProbe::measure(const QString& path, QString* error) {
    measured.append(path);
    if (onMeasure) {
        onMeasure();
    }
    for (int step = 0; step < waitSteps; ++step) {
        whileWaiting();
    }
    const FakeMediaDevice::Script script = m_device.files.value(path);
    if (!script.failure.isEmpty()) {
        *error = script.failure;
        return -1;
    }
    return script.length;
}
