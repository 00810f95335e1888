#pragma once

#include "support/qtprinters.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A folder of its own for each test, removed afterwards.
class TempFolder {
public:
    TempFolder();

    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const;
    // Writes bytes to a file (folders created as needed) and returns its path.
    QString write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir m_dir;
};

QByteArray readFileBytes(const QString& path);
