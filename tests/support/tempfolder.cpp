#include "support/tempfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

TempFolder::TempFolder() {
    EXPECT_TRUE(m_dir.isValid());
}

QString TempFolder::file(const QString& name) const {
    return QDir(m_dir.path()).filePath(name);
}

QString TempFolder::write(const QString& name, const QByteArray& bytes) const {
    const QString path = file(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly)) << path.toStdString();
    out.write(bytes);
    return path;
}

QByteArray TempFolder::read(const QString& name) const {
    return readFileBytes(file(name));
}

QByteArray readFileBytes(const QString& path) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        return {};
    }
    return in.readAll();
}
