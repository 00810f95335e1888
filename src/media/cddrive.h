#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QVector>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <thread>

// The drive and its disc as libcdio reads them: the table of contents with its CD-TEXT, the tray, and
// the discs of ".cue" images that stand for a disc in a drive. A drive may take as long as it likes to
// answer, so every call that waits for one runs on a thread of its own within a limit.

class CdDriveWatch;

// The table of contents of a disc, in frames of 1/75 second counted from the start of the first
// track. Data tracks are listed like audio tracks.
struct CdTableOfContents {
    struct Track {
        int startFrame = 0;
        bool isAudio = true;
    };
    QVector<Track> tracks;
    int leadOutFrame = 0;  // the end of the disc
    QString device;        // the drive or image that was read, for the player
    // The disc's CD-TEXT titles, cleaned to one line each: the album, then one per track (empty where a
    // track has none); empty when the disc carries none.
    QStringList titles;
    // Asks a real drive whether the disc is still the one read; none for images.
    std::shared_ptr<CdDriveWatch> watch;

    bool hasDisc() const { return !tracks.isEmpty(); }
};

// A drive that spins up answers within a few seconds. The window must never wait ten: this leaves
// room for one bounded pipeline state change after it.
constexpr std::chrono::milliseconds kCdDriveWait(7000);

// Every call of a device shares one wait for the drive, however many steps it takes.
class CdDriveDeadline {
public:
    CdDriveDeadline() { m_clock.start(); }
    std::chrono::milliseconds left() const {
        return std::max(kCdDriveWait - std::chrono::milliseconds(m_clock.elapsed()),
                        std::chrono::milliseconds(0));
    }

private:
    QElapsedTimer m_clock;
};

// Runs work on a thread of its own and waits for it at most limit; nothing when it did not finish.
// Work that does not finish goes on unobserved, holding whatever its function object holds.
template <typename Result>
std::optional<Result> RunWithin(std::function<Result()> work, std::chrono::milliseconds limit) {
    auto promise = std::make_shared<std::promise<Result>>();
    std::future<Result> done = promise->get_future();
    std::thread([work = std::move(work), promise] { promise->set_value(work()); }).detach();
    if (done.wait_for(limit) != std::future_status::ready) {
        return std::nullopt;
    }
    return done.get();
}

// libcdio writes every image or drive it cannot open to stderr; what matters reaches the user through
// the device's own messages.
void SilenceCdio();

bool IsCdImage(const QString& drive);
// "default CD drive", "CD drive "/dev/sr1"".
QString CdDriveName(const QString& drive);
QString CdDriveNotAnswering(const QString& drive);

// The disc of an image, by the image's absolute path: the drive an image stands for is one for every
// device of the program, as a real drive is. Used on the GUI thread only.
struct CdImageDisc {
    bool isEjected = false;
    quint64 ejections = 0;  // a device that read the disc before the last one knows it was taken out
};
QString CdImageKey(const QString& drive);
CdImageDisc& CdImageDiscOf(const QString& drive);

// On a thread of its own: the disc in the drive (or image); no disc gives an empty table.
CdTableOfContents ReadCdDisc(const QByteArray& drive, bool isImage);

// On a thread of its own: moves the tray of a drive (empty: the default drive) out, or in when
// closeTray; whether it moved.
bool MoveCdTray(const QByteArray& device, bool closeTray);
// The same, waiting at most limit: nothing when the drive did not answer within it.
std::optional<bool> EjectCdDrive(const QByteArray& device, std::chrono::milliseconds limit);
std::optional<bool> CloseCdDrive(const QByteArray& device, std::chrono::milliseconds limit);
// Why a tray did not move.
QString CdTrayNotMoved(const QString& drive, bool closeTray);

// A real drive's answer to whether the disc read is still in it: the tray opened (by the drive's own
// button too), the drive empty, or the kernel's note that the disc changed. Opened without waiting for
// a disc, the drive does not lock its door for it. One question at a time: a drive that does not answer
// at once leaves the last answer standing.
class CdDriveWatch : public std::enable_shared_from_this<CdDriveWatch> {
public:
    // Made on the thread that read the disc, after reading, so that the reading itself is no change.
    static std::shared_ptr<CdDriveWatch> open(const char* device);
    explicit CdDriveWatch(int fd) : m_fd(fd) {}
    ~CdDriveWatch();
    CdDriveWatch(const CdDriveWatch&) = delete;
    CdDriveWatch& operator=(const CdDriveWatch&) = delete;

    bool hasDiscLeft();

private:
    const int m_fd;
    std::atomic<bool> m_isAsking{false};
    std::atomic<bool> m_hasLeft{false};
};
