#pragma once

#include "core/common/shell.h"

// The shell over Qt: detached processes and the desktop's URL handlers (xdg-open underneath).
class DesktopShell : public Shell {
public:
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QString& url) override;
};
