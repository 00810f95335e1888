#include "media/cddrive.h"

#include "core/cdaudio/cddatabasesave.h"
#include "core/common/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/logging.h>

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <mutex>

namespace {

// A drive asked whether its disc is still there answers within milliseconds; one that is busy is
// heard on a later call, so the poll of a playing disc never holds the window.
constexpr std::chrono::milliseconds kTrayQuestionWait(50);

void quietCdioLog(cdio_log_level_t, const char*) {}

// libcdio hands CD-TEXT over as UTF-8 decoded from ISO-8859-1, which is how discs store it; an image's
// CUE sheet written in UTF-8 or in the Windows code page comes out mangled that way. Such text is
// decoded again as the program's text files are.
QString titleOf(const char* text) {
    QString title = QString::fromUtf8(text);
    if (std::all_of(title.cbegin(), title.cend(), [](QChar c) { return c.unicode() < 0x100; })) {
        title = TextFile::decode(title.toLatin1());
    }
    return CleanCDName(title);
}

// The album title, then the title of each track; nothing when the disc carries no title at all.
QStringList readTitles(CdIo_t* cdio, track_t first, track_t count) {
    const cdtext_t* text = cdio_get_cdtext(cdio);
    if (!text) {
        return {};
    }
    QStringList titles;
    bool hasTitle = false;
    for (int t = 0; t <= count; ++t) {
        const char* title =
            cdtext_get_const(text, CDTEXT_FIELD_TITLE, static_cast<track_t>(t == 0 ? 0 : first + t - 1));
        hasTitle = hasTitle || (title && *title);
        titles.append(title ? titleOf(title) : QString());
    }
    return hasTitle ? titles : QStringList();
}

}  // namespace

void SilenceCdio() {
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(quietCdioLog); });
}

bool IsCdImage(const QString& drive) {
    return drive.endsWith(QStringLiteral(".cue"), Qt::CaseInsensitive);
}

QString CdDriveName(const QString& drive) {
    return drive.isEmpty() ? QStringLiteral("default CD drive")
                           : QStringLiteral("CD drive \"%1\"").arg(drive);
}

QString CdDriveNotAnswering(const QString& drive) {
    return QStringLiteral("The %1 did not answer within %2 seconds.")
        .arg(CdDriveName(drive))
        .arg(std::chrono::duration_cast<std::chrono::seconds>(kCdDriveWait).count());
}

QString CdImageKey(const QString& drive) {
    return QFileInfo(drive).absoluteFilePath();
}

CdImageDisc& CdImageDiscOf(const QString& drive) {
    static QHash<QString, CdImageDisc> discs;
    return discs[CdImageKey(drive)];
}

std::shared_ptr<CdDriveWatch> CdDriveWatch::open(const char* device) {
    const int fd = ::open(device, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    // Also forgets a change from before the disc was read.
    const bool hasChangeNote = ioctl(fd, CDROM_MEDIA_CHANGED, CDSL_CURRENT) >= 0;
    if (!hasChangeNote && ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT) < 0) {
        ::close(fd);  // no CD drive
        return nullptr;
    }
    return std::make_shared<CdDriveWatch>(fd);
}

CdDriveWatch::~CdDriveWatch() {
    ::close(m_fd);
}

bool CdDriveWatch::hasDiscLeft() {
    if (!m_hasLeft && !m_isAsking.exchange(true)) {
        RunWithin<bool>(
            [self = shared_from_this()] {
                const int status = ioctl(self->m_fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
                if (status == CDS_TRAY_OPEN || status == CDS_NO_DISC ||
                    ioctl(self->m_fd, CDROM_MEDIA_CHANGED, CDSL_CURRENT) == 1) {
                    self->m_hasLeft = true;
                }
                self->m_isAsking = false;
                return true;
            },
            kTrayQuestionWait);
    }
    return m_hasLeft;
}

CdTableOfContents ReadCdDisc(const QByteArray& drive, bool isImage) {
    CdTableOfContents toc;
    char* defaultDevice = drive.isEmpty() ? cdio_get_default_device(nullptr) : nullptr;
    const char* source = drive.isEmpty() ? defaultDevice : drive.constData();
    CdIo_t* cdio = source ? cdio_open(source, DRIVER_UNKNOWN) : nullptr;
    toc.device = source ? QFile::decodeName(source) : QString();
    cdio_free(defaultDevice);
    if (!cdio) {
        return toc;  // no drive, no image: no disc
    }
    const track_t first = cdio_get_first_track_num(cdio);
    const track_t count = cdio_get_num_tracks(cdio);
    const lsn_t leadOut = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
    if (first != CDIO_INVALID_TRACK && count != CDIO_INVALID_TRACK && count > 0 &&
        leadOut != CDIO_INVALID_LSN) {
        const lsn_t origin = cdio_get_track_lsn(cdio, first);
        for (int t = first; t < first + count; ++t) {
            const lsn_t start = cdio_get_track_lsn(cdio, static_cast<track_t>(t));
            if (start == CDIO_INVALID_LSN) {
                toc.tracks.clear();
                break;
            }
            toc.tracks.append({static_cast<int>(start - origin),
                               cdio_get_track_format(cdio, static_cast<track_t>(t)) == TRACK_FORMAT_AUDIO});
        }
        toc.leadOutFrame = static_cast<int>(leadOut - origin);
        if (!toc.tracks.isEmpty()) {
            toc.titles = readTitles(cdio, first, count);
        }
    }
    cdio_destroy(cdio);
    if (toc.hasDisc() && !isImage) {
        toc.watch = CdDriveWatch::open(QFile::encodeName(toc.device).constData());
    }
    return toc;
}

bool MoveCdTray(const QByteArray& device, bool closeTray) {
    const char* path = device.isEmpty() ? nullptr : device.constData();
    driver_id_t driver = DRIVER_UNKNOWN;
    return (closeTray ? cdio_close_tray(path, &driver) : cdio_eject_media_drive(path)) == DRIVER_OP_SUCCESS;
}

std::optional<bool> EjectCdDrive(const QByteArray& device, std::chrono::milliseconds limit) {
    return RunWithin<bool>([device] { return MoveCdTray(device, false); }, limit);
}

std::optional<bool> CloseCdDrive(const QByteArray& device, std::chrono::milliseconds limit) {
    return RunWithin<bool>([device] { return MoveCdTray(device, true); }, limit);
}

QString CdTrayNotMoved(const QString& drive, bool closeTray) {
    return (closeTray ? QStringLiteral("The door of the %1 could not be closed.")
                      : QStringLiteral("The %1 could not be opened."))
        .arg(CdDriveName(drive));
}
