#include "core/playback/lengthcalculator.h"

#include "core/cdaudio/cdaudiomode.h"
#include "core/cdaudio/cddialogs.h"
#include "core/common/busyindicator.h"
#include "core/common/prompter.h"
#include "core/common/timerport.h"
#include "core/ports/lengthprobe.h"
#include "core/ports/mediadevice.h"
#include "core/common/itemref.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"

#include <QFileInfo>

namespace {

const QString kCannotOpen = QStringLiteral(
    "While calculating the length of the Play List, Velmaro has encountered an item it cannot open. This error "
    "can occur because of many reasons, some of which are listed below:\r\n\r\n"
    "1. A driver is not installed that handles this particular file type.\r\n"
    "2. The file is corrupted.\r\n"
    "3. You have run out of memory.\r\n"
    "4. The file no longer exists at the location given.\r\n\r\n"
    "This item has been selected in the Play List. A quick remedy to this error would be to simply remove it "
    "from the Play List. If the item was a file as opposed to a CD track and you are certain that the location "
    "given was incorrect, you can use the General tab of the Velmaro Find feature, found on the Edit menu, to "
    "find the file.\r\n\r\nThe error message returned was: \"");

size_t index(LengthCalculator::Kind kind) {
    return static_cast<size_t>(kind);
}

}  // namespace

LengthCalculator::LengthCalculator(Context context, QObject* parent) : QObject(parent), m_c(context) {
    // A selection changed while nothing plays gets no click that clears the selected totals.
    connect(&m_c.playList, &PlayList::selectionChanged, this, [this] { ++m_generation[kSelection]; });
    // A file that takes long to measure never holds the window's painting.
    m_c.probe.setWhileWaiting([busy = m_c.busy] {
        if (busy) {
            busy->keepResponsive();
        }
    });
}

// A total stays valid while nothing it depends on changed; totals that may be 0 only while computing
// them found something count 0 as not computed.
bool LengthCalculator::valid(Kind kind) const {
    if (!m_computed[index(kind)] || kind == Kind::SelectedBeforeCurrent) {
        return false;
    }
    const Generations& at = m_computedAt[index(kind)];
    auto same = [&](Mark mark) { return at[mark] == m_generation[mark]; };
    const qint64 value = m_cache[index(kind)];
    switch (kind) {
        case Kind::WholePlayList:
            return same(kList) && value != 0;
        case Kind::Selected:
            return same(kList) && same(kSelection) && value != 0;
        case Kind::Played:
            return same(kList) && same(kPlayed) && value != 0;
        case Kind::SelectedPlayed:
            return same(kList) && same(kPlayed) && same(kSelection) && value != 0;
        case Kind::BeforeCurrent:
            // Edits before the current item change this total too, not only a new current item.
            return same(kList) && same(kCurrent);
        case Kind::CDBeforeCurrent:
            return same(kCDTrack) && value != 0;
        case Kind::SelectedBeforeCurrent:
            break;
    }
    return false;
}

std::vector<LengthCalculator::Entry> LengthCalculator::gather(Kind kind) const {
    const PlayList& list = m_c.playList;
    std::vector<Entry> entries;
    const int current = list.CurrentItem();
    switch (kind) {
        case Kind::WholePlayList:
            entries.reserve(static_cast<size_t>(list.count()));
            for (qsizetype i = 0; i < list.count(); ++i) {
                entries.push_back({list.item(i), i});
            }
            break;
        case Kind::Played:
            for (const QString& ref : m_c.played.items()) {
                entries.push_back({ref, list.indexOfItem(ref)});
            }
            break;
        case Kind::BeforeCurrent:
            for (qsizetype i = 0; i < std::min<qsizetype>(current, list.count()); ++i) {
                entries.push_back({list.item(i), i});
            }
            break;
        case Kind::CDBeforeCurrent:
            break;  // the tracks of the disc in the drive come with CD Audio Mode
        case Kind::Selected:
        case Kind::SelectedPlayed:
        case Kind::SelectedBeforeCurrent:
            for (qsizetype line : list.selectedLines()) {
                if (line >= list.count()) {
                    continue;
                }
                const bool take = kind == Kind::Selected ||
                                  (kind == Kind::SelectedPlayed && m_c.played.contains(list.item(line))) ||
                                  (kind == Kind::SelectedBeforeCurrent && line < current);
                if (take) {
                    entries.push_back({list.item(line), line});
                }
            }
            break;
    }
    return entries;
}

qint64 LengthCalculator::measureFile(const Entry& entry) {
    const QString path = GetItemValue(entry.ref, QStringLiteral("FILE"));
    if (!QFileInfo(path).isFile()) {
        return 0;  // a missing file counts nothing and is not reported
    }
    const int mode = m_c.player.mode();
    const bool held = m_c.player.fileName() == path &&
                      (mode == MediaDevice::Playing || mode == MediaDevice::Stopped || mode == MediaDevice::Paused);
    QString error;
    const qint64 length = held ? m_c.player.length() : m_c.probe.measure(path, &error);
    if (length < 0) {
        m_c.prompter.showMessage(Prompter::Kind::Warning, kCannotOpen + error + u'"');
        if (entry.line >= 0 && entry.line < m_c.playList.lineCount()) {
            m_c.playList.selectOnly(entry.line);
            m_c.playList.setFocusedLine(entry.line);
            Q_EMIT failedLineSelected();
        }
        return 0;
    }
    const qint64 counted = isKnown(length) ? length : 0;
    if (entry.line >= 0 && entry.line < m_c.playList.count()) {
        m_c.playList.setLength(entry.line, counted);
    }
    return counted;
}

// A CD track is measured with its disc in the drive: the user is asked to insert it, or skips it.
qint64 LengthCalculator::measureCDTrack(const Entry& entry) {
    if (!m_c.cd) {
        return 0;
    }
    CDAudioMode& cd = *m_c.cd;
    bool number = false;
    const qint32 cdid = GetItemValue(entry.ref, QStringLiteral("CDID")).toInt(&number);
    const int track = GetItemValue(entry.ref, QStringLiteral("T")).toInt();
    if (!number || track < 1) {
        return 0;
    }
    qint64 length = -1;
    const CDAudioList& shown = cd.list();
    if (cd.isShown() && cd.showingDriveCD() && shown.cdid() == cdid) {
        length = track <= shown.count() ? shown.length(track - 1) : 0;
    }
    while (length < 0) {
        if (cd.ComputeCDID() == cdid) {
            length = std::max<qint64>(cd.trackLengthInDrive(track), 0);
            break;
        }
        cd.setCurrentCDName(cd.storedName(cdid));
        if (!cd.dialogs() || cd.dialogs()->askForDisc(cd.currentCDName(), false) != CDDialogs::InsertAnswer::Retry) {
            return 0;  // skipped
        }
        cd.closeTray();
    }
    if (entry.line >= 0 && entry.line < m_c.playList.count() && length > 0) {
        m_c.playList.setLength(entry.line, length);
    }
    return length;
}

// The files whose lengths the list does not know yet, so that the probe can read them ahead.
QStringList LengthCalculator::unknownFiles(const std::vector<Entry>& entries) const {
    const PlayList& list = m_c.playList;
    QStringList paths;
    for (const Entry& entry : entries) {
        const bool known = entry.line >= 0 && entry.line < list.count() && isKnown(list.length(entry.line));
        if (!known && !IsCDItem(entry.ref)) {
            paths.append(GetItemValue(entry.ref, QStringLiteral("FILE")));
        }
    }
    return paths;
}

qint64 LengthCalculator::measureEntry(const Entry& entry, bool measureUnknown) {
    const PlayList& list = m_c.playList;
    if (entry.line >= 0 && entry.line < list.count() && isKnown(list.length(entry.line))) {
        return list.length(entry.line);
    }
    const qsizetype first = list.indexOfItem(entry.ref);
    if (first >= 0 && isKnown(list.length(first))) {
        return list.length(first);
    }
    if (!measureUnknown) {
        return 0;
    }
    return IsCDItem(entry.ref) ? measureCDTrack(entry) : measureFile(entry);
}

qint64 LengthCalculator::PlayListLength(Kind kind) {
    const bool ticking = m_c.timer.isActive();
    m_c.timer.stop();
    struct RestoreTimer {
        TimerPort& timer;
        bool ticking;
        ~RestoreTimer() {
            if (ticking) {
                timer.start(timer.interval());
            }
        }
    } restore{m_c.timer, ticking};

    if (valid(kind)) {
        return m_cache[index(kind)];
    }
    // Only an Escape pressed during this calculation stops it, not one left from an earlier operation.
    m_abort = false;
    const std::vector<Entry> entries = gather(kind);
    const bool measureUnknown = kind == Kind::WholePlayList;
    const bool showBusy = (kind == Kind::WholePlayList || kind == Kind::Played) &&
                          static_cast<qsizetype>(entries.size()) >= kBusyFromEntries;
    BusyScope busy(showBusy ? m_c.busy : nullptr,
                   QStringLiteral(" Please wait while the length of the Play List is calculated..."));
    if (measureUnknown) {
        m_c.probe.expect(unknownFiles(entries));
    }
    const Generations startedAt = m_generation;
    qint64 sum = 0;
    qint64 taken = 0;
    for (const Entry& entry : entries) {
        busy.progress(taken, static_cast<qint64>(entries.size()));
        if (m_abort) {
            m_abort = false;
            m_cache[index(Kind::WholePlayList)] = 0;
            m_computed[index(Kind::WholePlayList)] = false;
            m_c.probe.expect({});
            Q_EMIT aborted();
            return 0;
        }
        const qint64 length = measureEntry(entry, measureUnknown);
        if (length > 0) {
            sum += length;
            ++taken;
        }
    }
    busy.progress(static_cast<qint64>(entries.size()), static_cast<qint64>(entries.size()));
    m_cache[index(kind)] = sum;
    m_computedAt[index(kind)] = startedAt;
    m_computed[index(kind)] = true;
    return sum;
}
