#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

#include <utility>

// The write permissions Read only took away from files during this run, so that unticking it gives a
// file back exactly the ones it had (a group's right to write included). Files are known by their
// device and inode, which a rename keeps.
class ReadOnlyMemory {
public:
    using FileId = std::pair<quint64, quint64>;
    void remember(FileId file, uint writeBits) { m_taken.insert(file, writeBits); }
    // The mode bits taken from the file, once; 0 when none are known.
    uint takeBack(FileId file) { return m_taken.take(file); }

private:
    QHash<FileId, uint> m_taken;
};

// The Properties box of a file: its name, size and modification time, and the attributes this system
// has. Read only is "nobody may write"; hidden is a name beginning with "."; system and archive do not
// exist here and show unchecked. Only read only can be changed: hiding a file would rename it.
class FileProperties {
public:
    // Reads the file; isValid() is false when it is not there (the box is then not shown).
    // Read only changes are remembered in the memory, when there is one.
    explicit FileProperties(const QString& path, ReadOnlyMemory* memory = nullptr);

    bool isValid() const { return m_valid; }
    const QString& path() const { return m_path; }
    QString name() const;
    QString sizeText() const;
    // The system's short date and time format.
    QString timeText() const;
    bool readOnly() const { return m_readOnly; }
    bool hidden() const;

    // Apply: sets or clears read only and leaves every other permission bit as it was. Clearing it gives
    // back the write bits that setting it took in this run, else the owner's. False when the file system
    // refused (the file keeps its attributes; no message, as the box closes anyway).
    bool apply(bool readOnly);

private:
    QString m_path;
    ReadOnlyMemory* m_memory = nullptr;
    bool m_valid = false;
    qint64 m_size = 0;
    QDateTime m_modified;
    bool m_readOnly = false;
};
