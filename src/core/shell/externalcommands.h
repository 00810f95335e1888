#pragma once

#include <QString>
#include <QStringList>

class Prompter;
class Shell;

// The commands that hand over to other programs: the mixer the user chose, the desktop's sound
// settings, the home page and a mail to the author.
class ExternalCommands {
public:
    struct Context {
        Shell& shell;
        Prompter& prompter;
        QStringList soundSettings;  // the program and its arguments; empty when none is installed
        QString homePage;
        QString contactEmail;
    };

    explicit ExternalCommands(Context context) : m_c(std::move(context)) {}

    // The mixer is a program file: an absolute path to an executable file that is there now.
    static bool mixerAvailable(const QString& mixerPath);
    bool soundSettingsAvailable() const { return !m_c.soundSettings.isEmpty(); }
    bool homePageAvailable() const { return !m_c.homePage.isEmpty(); }
    bool mailAvailable() const { return !m_c.contactEmail.isEmpty(); }

    void startMixer(const QString& mixerPath);
    void openSoundSettings();
    void openHomePage();
    void mailAuthor();

private:
    void openAddress(const QString& url, const QString& shown);

    Context m_c;
};
