#pragma once

#include <QDateTime>
#include <QString>

// The Properties box of a file: its name, size and modification time, and the attributes this system
// has. Read only is "nobody may write"; hidden is a name beginning with "."; system and archive do not
// exist here and show unchecked. Only read only can be changed: hiding a file would rename it.
class FileProperties {
public:
    // Reads the file; isValid() is false when it is not there (the box is then not shown).
    explicit FileProperties(const QString& path);

    bool isValid() const { return m_valid; }
    const QString& path() const { return m_path; }
    QString name() const;
    QString sizeText() const;
    // The system's short date and time format.
    QString timeText() const;
    bool readOnly() const { return m_readOnly; }
    bool hidden() const;

    // Apply: sets or clears read only and leaves every other permission bit as it was. False when the
    // file system refused (the file keeps its attributes; no message, as the box closes anyway).
    bool apply(bool readOnly);

private:
    QString m_path;
    bool m_valid = false;
    qint64 m_size = 0;
    QDateTime m_modified;
    bool m_readOnly = false;
};
