#pragma once

#include <QString>

// Where a path's file name starts: after the last "/", or the last "\" too in a Windows-style path
// ("C:\Music\a.mid") that an old Play List may hold.
qsizetype FileNameStart(const QString& path);

// The name of a Play List file without folder and extension, for captions.
QString PlayListFileTitle(const QString& path);
