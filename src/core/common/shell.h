#pragma once

#include <QString>
#include <QStringList>

// The desktop around the program: other programs started without waiting for them, and addresses
// (web pages, mail links, folders) handed to the desktop's own handler.
class Shell {
public:
    virtual ~Shell() = default;
    // Starts a program found on the search path or by its full path. False when it could not start.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // False when no handler took the address.
    virtual bool openUrl(const QString& url) = 0;
};
