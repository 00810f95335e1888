#include "core/shell/controltable.h"

#include <algorithm>

const std::vector<ControlEntry>& ControlEntries() {
    static const std::vector<ControlEntry> entries = {
        // Beside the Play List.
        {QStringLiteral("AddBtn"), QStringLiteral("< A&dd"),
         QStringLiteral("Adds the selected items(s)\rin the File List to the Play List|")},
        {QStringLiteral("AddAllBtn"), QStringLiteral("<< Add A&ll"),
         QStringLiteral("Adds all the items in the\rFile List to the Play List|")},
        {QStringLiteral("RemBtn"), QStringLiteral("&Remove >"),
         QStringLiteral("Remove the selected items in the Play List|")},
        {QStringLiteral("RemAllBtn"), QStringLiteral("Re&move All >>"),
         QStringLiteral("Remove all the items in the Play List|")},
        {QStringLiteral("SpinButtonUp"), QString(),
         QStringLiteral("Moves the selected item(s)\rup / down in the Play List|")},
        {QStringLiteral("SpinButtonDown"), QString(),
         QStringLiteral("Moves the selected item(s)\rup / down in the Play List|")},
        {QStringLiteral("BrowseSB"), QStringLiteral("..."), QStringLiteral("Browse...|")},
        // The right-hand side.
        {QStringLiteral("RenBtn"), QStringLiteral("R&nm / Move..."),
         QStringLiteral("Rename or move the current file(s) or\rthe folder in the List that has focus|")},
        {QStringLiteral("DelBtn"), QStringLiteral("Dele&te..."),
         QStringLiteral("Delete the current file(s) or the\rfolder in the List that has focus|")},
        {QStringLiteral("NewDirBtn"), QStringLiteral("Ne&w Folder..."), QString()},
        {QStringLiteral("RearrangeSB"), QString(),
         QStringLiteral("Displays a box where you\rcan rearrange the order of\rthe CDs in the Database|")},
        {QStringLiteral("SaveTrackListSB"), QString(),
         QStringLiteral("Record the current CD infor-\rmation in the database|")},
        {QStringLiteral("EjectSB"), QString(), QStringLiteral("Eject the current CD|")},
        {QStringLiteral("PanelFile"), QStringLiteral("File Management (F6)"),
         QStringLiteral(
             "Display the File Management Mode and\r\nrefresh the File List and the Folder List|")},
        {QStringLiteral("PanelCurrentCD"), QStringLiteral("CD Audio (F7)"),
         QStringLiteral("Display the CD Audio Mode|")},
        // Toolbar buttons with a command of their own.
        {QStringLiteral("PlayPlayListSI"), QStringLiteral("Play From Play List"), QStringLiteral("Play From Play List|")},
        {QStringLiteral("PlayFileListSI"), QStringLiteral("Play From File List / CD List"),
         QStringLiteral("Play From File List / CD List|")},
        // Context items that run a command of their own.
        {QStringLiteral("Percent0PM"), QStringLiteral("&0 %"), QString()},
        {QStringLiteral("Percent25PM"), QStringLiteral("&25 %"), QString()},
        {QStringLiteral("Percent75PM"), QStringLiteral("&75 %"), QString()},
        {QStringLiteral("StatusBarCustomize"), QStringLiteral("Customize..."), QString()},
    };
    return entries;
}

const ControlEntry* FindControlEntry(const QString& name) {
    const std::vector<ControlEntry>& entries = ControlEntries();
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&name](const ControlEntry& entry) { return entry.name == name; });
    return found == entries.end() ? nullptr : &*found;
}
