#pragma once

// The desktop's record of which program opens each file type (the platform keeps it).
class DesktopFileTypes {
public:
    virtual ~DesktopFileTypes() = default;
    // RegisterBtn: Velmaro becomes the default for the media group's types.
    virtual bool registerGroup(int group) = 0;
    // WinDefaultBtn: each type goes back to the application that was its default before.
    virtual bool restoreDesktopDefault(int group) = 0;
};
