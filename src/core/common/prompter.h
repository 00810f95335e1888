#pragma once

#include <QString>

// Modal questions and messages. Core asks, the GUI shows a box and returns the user's answer;
// tests answer from a script.
class Prompter {
public:
    enum class Kind { Information, Warning, Error, Confirmation };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, OkCancelIgnore };
    enum class Answer { Ok, Cancel, Yes, No, Ignore };

    virtual ~Prompter() = default;

    virtual Answer showMessage(Kind kind, const QString& text, Buttons buttons = Buttons::Ok) = 0;

    // The save prompt before a changed Play List is left: Yes, No or Cancel.
    virtual Answer askSaveChangedPlayList() = 0;

    // File dialogs for Play Lists; an empty result means the user cancelled.
    virtual QString chooseOpenPlayList(const QString& folder) = 0;
    virtual QString chooseSavePlayList(const QString& folder) = 0;
    // A media file to replace the focused Play List item; empty when cancelled.
    virtual QString chooseMediaFile(const QString& folder) = 0;
};
