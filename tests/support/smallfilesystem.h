#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

// A 64 KiB tmpfs over a folder, in a mount namespace of this test process alone, so nothing outside sees
// it and it cannot outlive the process. Mounting needs root or CAP_SYS_ADMIN: see isMounted().
class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString& folder) : m_folder(QFile::encodeName(folder)) {
        static const bool privateMounts =
            unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        m_mounted = privateMounts && mount("tmpfs", m_folder.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallFileSystem() {
        if (m_mounted) {
            umount2(m_folder.constData(), MNT_DETACH);
        }
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool isMounted() const { return m_mounted; }

    // Takes every free block.
    void fill() const {
        const int fd = ::open((m_folder + "/filler").constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        const QByteArray block(4096, 'x');
        while (fd >= 0 && ::write(fd, block.constData(), static_cast<size_t>(block.size())) > 0) {
        }
        ::close(fd);
    }
    void makeRoom() const { QFile::remove(QFile::decodeName(m_folder + "/filler")); }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};
