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
        // The tray menu's items that are no twin of another command.
        {QStringLiteral("SelectPLTPM"), QStringLiteral("Select item from Play List"), QString()},
        {QStringLiteral("SelectFLTPM"), QStringLiteral("Select item from File List / CD Audio List"), QString()},
        {QStringLiteral("PlayListTPM"), QStringLiteral("Pl&ay List"), QString()},
        {QStringLiteral("PositionTPM"), QStringLiteral("P&osition in Item"), QString()},
        {QStringLiteral("Percent50TPM"), QStringLiteral("&50 %"), QString()},
        {QStringLiteral("RestoreTPM"), QStringLiteral("&Restore"), QString()},
        // The Floating Palette's own controls and menu items.
        {QStringLiteral("CloseSB"), QString(), QStringLiteral("Return to main window|")},
        {QStringLiteral("PlayPListSI"), QString(), QStringLiteral("List Items in Play List|")},
        {QStringLiteral("PlayListSI"), QString(), QStringLiteral("List Items in File List / CD Audio List|")},
        {QStringLiteral("MoveToTopSI"), QString(), QStringLiteral("Move to Top|")},
        {QStringLiteral("ReturnPM"), QStringLiteral("&Return to main window"), QString()},
        {QStringLiteral("MinimizePM"), QStringLiteral("M&inimize Floating Palette"), QString()},
        {QStringLiteral("PositionM"), QStringLiteral("&Position of Floating Palette"), QString()},
        {QStringLiteral("DefaultM"), QStringLiteral("&Default Position"), QString()},
        {QStringLiteral("UpperLeftCornerM"), QStringLiteral("&Upper Left Corner"), QString()},
        {QStringLiteral("UpperRightCornerM"), QStringLiteral("U&pper Right Corner"), QString()},
        {QStringLiteral("LowerLeftCornerM"), QStringLiteral("&Lower Left Corner"), QString()},
        {QStringLiteral("LowerRightCornerM"), QStringLiteral("L&ower Right Corner"), QString()},
        {QStringLiteral("MoveToLeftSidePM"), QStringLiteral("&Move to Left Side of Screen"), QString()},
        {QStringLiteral("MoveToRightSidePM"), QStringLiteral("M&ove to Right Side of Screen"), QString()},
        {QStringLiteral("MoveToTopPM"), QStringLiteral("Move to &Top"), QString()},
        {QStringLiteral("MoveToBottomPM"), QStringLiteral("Move to &Bottom"), QString()},
        {QStringLiteral("PlayListPM"), QStringLiteral("Pl&ay List"), QString()},
        {QStringLiteral("PositionInFileM"), QStringLiteral("P&osition in Item"), QString()},
        {QStringLiteral("Percent50PM"), QStringLiteral("&50 %"), QString()},
        {QStringLiteral("ModeM"), QStringLiteral("Mod&e"), QString()},
        {QStringLiteral("FPHistoryM"), QStringLiteral("History List"), QString()},
        {QStringLiteral("FPHistory1M"), QString(), QString()},
        {QStringLiteral("FPHistory2M"), QString(), QString()},
        {QStringLiteral("FPHistory3M"), QString(), QString()},
        {QStringLiteral("FPHistory4M"), QString(), QString()},
    };
    return entries;
}

const ControlEntry* FindControlEntry(const QString& name) {
    const std::vector<ControlEntry>& entries = ControlEntries();
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&name](const ControlEntry& entry) { return entry.name == name; });
    return found == entries.end() ? nullptr : &*found;
}
