#include "core/shell/menutable.h"

#include <QStringList>

namespace {

MenuEntry separator(int depth) {
    return {QString(), QStringLiteral("-"), QStringLiteral(" "), 0, depth};
}

}  // namespace

const std::vector<MenuEntry>& MainMenuEntries() {
    // Excluded items keep built-in shortcuts of their own (Alt+D, Alt+L, Alt+R, Alt+M, Alt+N, Alt+T, Alt+W).
    static const std::vector<MenuEntry> entries = {
        {QStringLiteral("FileM"), QStringLiteral("&File"), QStringLiteral(""), 0, 0, false, false},
        {QStringLiteral("NewM"), QStringLiteral("&New"), QStringLiteral("Create a new Play List"), 16462, 1, false, false},
        {QStringLiteral("OpenM"), QStringLiteral("&Open..."), QStringLiteral("Display an Open dialog box which enables you to open a Play List"), 16463, 1, false, false},
        separator(1),
        {QStringLiteral("SaveM"), QStringLiteral("&Save"), QStringLiteral("Save the current Play List"), 16467, 1, false, false},
        {QStringLiteral("SaveAsM"), QStringLiteral("Save &As..."), QStringLiteral("Save the current Play List under a new name"), 0, 1, false, false},
        {QStringLiteral("DelPLM"), QStringLiteral("&Delete..."), QStringLiteral("Delete or send the current Play List to the Trash"), 0, 1, false, false},
        {QStringLiteral("RenPLM"), QStringLiteral("&Rename..."), QStringLiteral("Rename the current Play List"), 0, 1, false, false},
        {QStringLiteral("Line3"), QStringLiteral("-"), QStringLiteral(" "), 0, 1},
        {QStringLiteral("History1M"), QStringLiteral("&1"), QStringLiteral("Open this Play List"), 0, 1, true, false},
        {QStringLiteral("History2M"), QStringLiteral("&2"), QStringLiteral("Open this Play List"), 0, 1, true, false},
        {QStringLiteral("History3M"), QStringLiteral("&3"), QStringLiteral("Open this Play List"), 0, 1, true, false},
        {QStringLiteral("History4M"), QStringLiteral("&4"), QStringLiteral("Open this Play List"), 0, 1, true, false},
        separator(1),
        {QStringLiteral("ExitM"), QStringLiteral("E&xit"), QStringLiteral("End your Velmaro session"), 32883, 1, false, false},
        {QStringLiteral("EditM"), QStringLiteral("&Edit"), QStringLiteral(""), 0, 0, false, false},
        {QStringLiteral("UndoM"), QStringLiteral("U&ndo"), QStringLiteral("Undo the last action"), 16474, 1, false, false},
        {QStringLiteral("RedoM"), QStringLiteral("&Redo"), QStringLiteral("Redo the last action"), 0, 1, false, false},
        separator(1),
        {QStringLiteral("CutM"), QStringLiteral("Cu&t"), QStringLiteral("Copy the selected items to the Clipboard and then remove the items from the Play List"), 16472, 1, false, false},
        {QStringLiteral("CopyM"), QStringLiteral("&Copy"), QStringLiteral("Copy the selected items to the Clipboard"), 16451, 1, false, false},
        {QStringLiteral("PasteM"), QStringLiteral("&Paste"), QStringLiteral("Paste the information from the Clipboard after the currently selected item"), 16470, 1, false, false},
        separator(1),
        {QStringLiteral("PlayListM"), QStringLiteral("P&lay List"), QStringLiteral("Play List related options"), 0, 1, false, false},
        {QStringLiteral("AddM"), QStringLiteral("A&dd"), QStringLiteral("Add the selected items in the File List to the Play List"), 32836, 2, true, false},
        {QStringLiteral("AddAllM"), QStringLiteral("Add A&ll"), QStringLiteral("Add all the items in the File List to the Play List"), 32844, 2, true, false},
        separator(2),
        {QStringLiteral("RemoveM"), QStringLiteral("&Remove"), QStringLiteral("Remove the selected items in the Play List"), 32850, 2, true, false},
        {QStringLiteral("RemoveAllM"), QStringLiteral("Re&move All"), QStringLiteral("Remove all the items in the Play List"), 32845, 2, true, false},
        separator(2),
        {QStringLiteral("SelectAllM"), QStringLiteral("&Select All"), QStringLiteral("Select all items in the active List"), 16449, 2, false, false},
        {QStringLiteral("UnselectAllM"), QStringLiteral("&Unselect All"), QStringLiteral("Unselect all items in the active List"), 0, 2, false, false},
        {QStringLiteral("InvertSelectionM"), QStringLiteral("&Invert Selection"), QStringLiteral("Invert the current selection in the active List"), 0, 2, false, false},
        {QStringLiteral("SelectPlayingItemM"), QStringLiteral("Sele&ct Playing Item"), QStringLiteral("Select the item currently being played in the active List"), 24649, 2, false, false},
        separator(2),
        {QStringLiteral("ResetPlayedStatusAllM"), QStringLiteral("Reset Played Status For &All Items"), QStringLiteral("Remove all red check marks from the icons next to the items in the Play List"), 0, 2, false, false},
        {QStringLiteral("ResetPlayedStatusSelectedM"), QStringLiteral("Toggle Played Status For &Selected Items"), QStringLiteral("Remove or add red check marks next to the icons of the selected items in the Play List"), 0, 2, false, false},
        {QStringLiteral("FileManagementM"), QStringLiteral("&File Management"), QStringLiteral("File management related options"), 0, 1, false, false},
        {QStringLiteral("RenM"), QStringLiteral("Re&name / Move File or Folder"), QStringLiteral("Rename or move the selected file(s)"), 32846, 2, true, false},
        {QStringLiteral("DelM"), QStringLiteral("Dele&te File or Folder"), QStringLiteral("Delete or send the selected file(s) to the Trash"), 32852, 2, true, false},
        {QStringLiteral("NewDirM"), QStringLiteral("Create Ne&w Folder"), QStringLiteral("Create a new subfolder of the current folder in the Folder List"), 32855, 2, true, false},
        separator(2),
        {QStringLiteral("OpenInMyComputerM"), QStringLiteral("&Open in File Manager"), QStringLiteral("Open the current folder in the file manager"), 0, 2, false, false},
        {QStringLiteral("ExploreM"), QStringLiteral("E&xplore"), QStringLiteral("Open the current folder in the file manager"), 0, 2, false, false},
        separator(2),
        {QStringLiteral("PropertiesM"), QStringLiteral("Pr&operties..."), QStringLiteral("Display the Properties dialog for the current file"), 32781, 2, false, false},
        {QStringLiteral("CDAudioM"), QStringLiteral("C&D Audio"), QStringLiteral("CD Audio related options"), 0, 1, false, false},
        {QStringLiteral("RearrangeM"), QStringLiteral("&Rearrange CDs in Database..."), QStringLiteral("Display a box where you can rearrange the order of the CDs in the Database"), 0, 2, false, false},
        {QStringLiteral("SaveTracklistM"), QStringLiteral("&Save in Database"), QStringLiteral("Record the current CD information in the Database"), 0, 2, false, false},
        {QStringLiteral("EditItemM"), QStringLiteral("E&dit Item"), QStringLiteral("Launch the external editor associated with this file type"), 0, 1, false, false},
        separator(1),
        {QStringLiteral("FindM"), QStringLiteral("&Find..."), QStringLiteral("Search the current Play List or search for files"), 16454, 1, false, false},
        {QStringLiteral("FindAgainM"), QStringLiteral("F&ind Again"), QStringLiteral("Repeat the last search operation"), 114, 1, false, false},
        {QStringLiteral("ViewM"), QStringLiteral("&View"), QStringLiteral(""), 0, 0, false, false},
        {QStringLiteral("ComponentsM"), QStringLiteral("Compo&nents"), QStringLiteral("Show or hide components"), 0, 1, false, false},
        {QStringLiteral("ViewPlayListM"), QStringLiteral("&Play List"), QStringLiteral("Show or hide the Play List"), 24656, 2, false, false},
        {QStringLiteral("ViewFileListM"), QStringLiteral("&File List"), QStringLiteral("Show or hide the File List"), 24646, 2, false, false},
        {QStringLiteral("ViewToolBarM"), QStringLiteral("&Toolbar"), QStringLiteral("Show or hide the tool bar"), 24660, 2, false, false},
        {QStringLiteral("ViewScrollbarM"), QStringLiteral("Scr&ollbar"), QStringLiteral("Show or hide the scroll bar"), 24655, 2, false, false},
        {QStringLiteral("ViewStatusBarM"), QStringLiteral("&Status Bar"), QStringLiteral("Show or hide the status bar"), 24661, 2, false, false},
        {QStringLiteral("ViewSpinButtonM"), QStringLiteral("Sp&in Button"), QStringLiteral("Show or hide the spin button"), 0, 2, false, false},
        {QStringLiteral("ViewPathEditM"), QStringLiteral("P&ath Edit"), QStringLiteral("Show or hide the path edit"), 0, 2, false, false},
        {QStringLiteral("ViewLabelsM"), QStringLiteral("&Labels"), QStringLiteral("Show or hide the labels"), 24659, 2, false, false},
        {QStringLiteral("ViewModeSelectorM"), QStringLiteral("&Mode Selector"), QStringLiteral("Show or hide the Mode Selector"), 0, 2, false, false},
        {QStringLiteral("ViewFilterBoxM"), QStringLiteral("Filter Box / &Drive Box"), QStringLiteral("Show or hide the Filter Box and the Drive Box"), 0, 2, false, false},
        {QStringLiteral("ViewFilterEditM"), QStringLiteral("&Filter &Edit"), QStringLiteral("Show or hide the Filter Edit"), 0, 2, false, false},
        {QStringLiteral("ToolbarM"), QStringLiteral("&Toolbar Options"), QStringLiteral("Tool Bar related options"), 0, 1, false, false},
        {QStringLiteral("CustomizeToolbarM"), QStringLiteral("&Customize Toolbar..."), QStringLiteral("Display a window which allows you to customize the toolbar"), 0, 2, false, false},
        {QStringLiteral("DefaultToolbarM"), QStringLiteral("&Restore Default Toolbar..."), QStringLiteral("Restore the default toolbar settings"), 0, 2, false, false},
        {QStringLiteral("ProgressIndicatorsM"), QStringLiteral("&Progress Indicators"), QStringLiteral("Options regarding the progress indicators"), 0, 1, true, false},
        {QStringLiteral("LengthM"), QStringLiteral("&Length"), QStringLiteral("Options regarding the length indicator in the Status Bar"), 0, 2, true, false},
        {QStringLiteral("PosM"), QStringLiteral("&Position"), QStringLiteral("Options regarding the position indicator in the Status Bar"), 0, 2, true, false},
        {QStringLiteral("RemM"), QStringLiteral("&Remaining"), QStringLiteral("Options regarding the remaining time indicator in the Status Bar"), 0, 2, true, false},
        {QStringLiteral("PercentM"), QStringLiteral("P&ercent"), QStringLiteral("Options regarding the progress indicator in the Tool Bar"), 0, 2, true, false},
        separator(1),
        {QStringLiteral("PathsM"), QStringLiteral("Pat&hs"), QStringLiteral("Show or hide file paths in the Play List"), 24641, 1, false, false},
        {QStringLiteral("ExtensionsM"), QStringLiteral("&Extensions"), QStringLiteral("Show or hide file extensions in the Play List"), 24645, 1, false, false},
        {QStringLiteral("TagTitlesM"), QStringLiteral("Titles From Ta&gs"), QStringLiteral("Show the artists and titles from the files' tags in the Play List"), 0, 1, false, false},
        separator(1),
        {QStringLiteral("FileManModeM"), QStringLiteral("F&ile Management Mode"), QStringLiteral("Change to the File Management Mode"), 117, 1, false, true},
        {QStringLiteral("CDAudioModeM"), QStringLiteral("C&D Audio Mode"), QStringLiteral("Change to the CD Audio Mode"), 118, 1, false, true},
        separator(1),
        {QStringLiteral("FloatingPalM"), QStringLiteral("F&loating Palette"), QStringLiteral("Replace the main window with a Floating Palette which always stays on top of other windows"), 16457, 1, false, false},
        {QStringLiteral("MixerM"), QStringLiteral("&Mixer"), QStringLiteral("Start the mixer application specified in the Preferences dialog box"), 16461, 1, false, false},
        {QStringLiteral("VLPropM"), QStringLiteral("M&ultimedia Properties"), QStringLiteral("Display the sound settings of the desktop"), 0, 1, false, false},
        separator(1),
        {QStringLiteral("FavFoldersM"), QStringLiteral("F&avorite Folders"), QStringLiteral("Show Favorite Folders"), 0, 1, true, false},
        {QStringLiteral("FavPlayListsM"), QStringLiteral("Fa&vorite Play Lists"), QStringLiteral("Show Favorite Play Lists"), 0, 1, true, false},
        separator(1),
        {QStringLiteral("PlayListLogM"), QStringLiteral("Pla&y List Log"), QStringLiteral("Show the log file for the current Play List"), 0, 1, false, false},
        {QStringLiteral("PlayListErrorLogM"), QStringLiteral("Play &List Error Log"), QStringLiteral("Show the error log file for the current Play List"), 0, 1, false, false},
        separator(1),
        {QStringLiteral("PrefM"), QStringLiteral("P&references..."), QStringLiteral("Display the Preferences dialog box"), 121, 1, false, false},
        {QStringLiteral("OrganizeM"), QStringLiteral("&Organize"), QStringLiteral(""), 0, 0, false, false},
        {QStringLiteral("MoveUpM"), QStringLiteral("Move &Up"), QStringLiteral("Move the selected item(s) in the Play List one step up"), 0, 1, false, false},
        {QStringLiteral("MoveDownM"), QStringLiteral("Move &Down"), QStringLiteral("Move the selected item(s) in the Play List one step down"), 0, 1, false, false},
        separator(1),
        {QStringLiteral("SortAlphabeticallyM"), QStringLiteral("Sort &Alphabetically"), QStringLiteral("Sort the items in the current Play List in alphabetical order"), 16456, 1, false, false},
        {QStringLiteral("SortRandomlyM"), QStringLiteral("Sort &Randomly (Shuffle)"), QStringLiteral("Sort the items in the current Play List in random order"), 16466, 1, false, false},
        separator(1),
        {QStringLiteral("RemoveDuplicateItemsM"), QStringLiteral("Remove D&uplicate Items"), QStringLiteral("Remove all items that appear twice or more in the current Play List"), 0, 1, false, false},
        {QStringLiteral("RemoveNonExistantItemsM"), QStringLiteral("Remove &Non-Existent Items"), QStringLiteral("Remove files that no longer exist in the Play List"), 0, 1, false, false},
        separator(1),
        {QStringLiteral("ShowFolderOfThisFileM"), QStringLiteral("&Show Folder Of This File"), QStringLiteral("Display the folder containing the current file in the Play List in the File List"), 24642, 1, false, false},
        {QStringLiteral("AudioM"), QStringLiteral("&Audio"), QStringLiteral(""), 0, 0, false, false},
        {QStringLiteral("PlayM"), QStringLiteral("&Play"), QStringLiteral("Play the selected item"), 16464, 1, false, false},
        {QStringLiteral("PauseM"), QStringLiteral("P&ause"), QStringLiteral("Pause or resume playback of the current item"), 16469, 1, false, false},
        {QStringLiteral("StopM"), QStringLiteral("&Stop"), QStringLiteral("Stop playing the current item"), 16468, 1, false, false},
        {QStringLiteral("RewindM"), QStringLiteral("&Rewind"), QStringLiteral("Play the current item from the start"), 16453, 1, false, false},
        {QStringLiteral("EjectM"), QStringLiteral("&Eject"), QStringLiteral("Eject the current CD (or insert it, if your CD-ROM player supports it)"), 0, 1, false, false},
        separator(1),
        {QStringLiteral("PrevM"), QStringLiteral("Prev&ious"), QStringLiteral("Play the previous item"), 115, 1, false, false},
        {QStringLiteral("NextM"), QStringLiteral("&Next"), QStringLiteral("Play the next item or the next randomly selected item"), 116, 1, false, false},
        separator(1),
        {QStringLiteral("LoopSongOnceM"), QStringLiteral("&Loop Item Once"), QStringLiteral("Play the current item once more"), 16460, 1, false, false},
        {QStringLiteral("LoopSongForeverM"), QStringLiteral("L&oop Item Forever"), QStringLiteral("Continuously play the current item"), 24652, 1, false, false},
        separator(1),
        {QStringLiteral("LoopPlayListM"), QStringLiteral("Loop Pla&y List"), QStringLiteral("Start playing the first item in the Play List after the last one has finished playing"), 0, 1, false, false},
        {QStringLiteral("RandomPlayM"), QStringLiteral("Rando&m Play"), QStringLiteral("Select which items to play in the Play List at random"), 0, 1, false, false},
        {QStringLiteral("AutoPlayM"), QStringLiteral("A&uto Play"), QStringLiteral("Automatically start to play the next item in the Play List when the current item has finished"), 0, 1, false, false},
        separator(1),
        {QStringLiteral("ChangePosM"), QStringLiteral("Chan&ge Position..."), QStringLiteral("Display a box where you can change the position in the current item"), 0, 1, false, false},
        {QStringLiteral("HelpM"), QStringLiteral("&Help"), QStringLiteral(""), 0, 0, false, false},
        {QStringLiteral("ContentsM"), QStringLiteral("&Contents"), QStringLiteral("Display the help file"), 112, 1, false, false},
        {QStringLiteral("TopicSearchM"), QStringLiteral("&Topic Search"), QStringLiteral("Display the search dialog box of the help file"), 0, 1, false, false},
        {QStringLiteral("HelpOnHelpM"), QStringLiteral("&Help On Help"), QStringLiteral("Display help about using the Velmaro help window"), 0, 1, false, false},
        separator(1),
        {QStringLiteral("IntroductionM"), QStringLiteral("&Introduction"), QStringLiteral("Display the Introduction topic in the help file"), 0, 1, false, false},
        {QStringLiteral("GettingStartedGuideM"), QStringLiteral("T&utorial"), QStringLiteral("Display the Tutorial topic in the help file"), 0, 1, false, false},
        {QStringLiteral("ContactInformationM"), QStringLiteral("C&ontact Information"), QStringLiteral("Display the Contact Information topic in the help file"), 0, 1, false, false},
        separator(1),
        {QStringLiteral("HomePageM"), QStringLiteral("Velmaro on the &Web"), QStringLiteral("Visit the Velmaro home page on the Web using your default browser"), 0, 1, false, false},
        {QStringLiteral("MailusM"), QStringLiteral("&E-mail Us"), QStringLiteral("Send us an e-mail using your standard e-mail program"), 0, 1, false, false},
        separator(1),
        {QStringLiteral("AboutM"), QStringLiteral("&About..."), QStringLiteral("Display the version number of Velmaro, among other things"), 8304, 1, false, false},
    };
    return entries;
}

const MenuEntry* FindMenuEntry(const QString& name) {
    for (const MenuEntry& entry : MainMenuEntries()) {
        if (!name.isEmpty() && entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

bool HasSubItems(qsizetype index) {
    const std::vector<MenuEntry>& entries = MainMenuEntries();
    return index >= 0 && index + 1 < static_cast<qsizetype>(entries.size()) &&
           entries[static_cast<size_t>(index + 1)].depth > entries[static_cast<size_t>(index)].depth;
}

bool OpensMenu(const QString& name) {
    static const QStringList filledOnOpening = {QStringLiteral("FavFoldersM"), QStringLiteral("FavPlayListsM"),
                                                QStringLiteral("LengthM"),     QStringLiteral("PosM"),
                                                QStringLiteral("RemM"),        QStringLiteral("PercentM")};
    if (filledOnOpening.contains(name)) {
        return true;
    }
    const std::vector<MenuEntry>& entries = MainMenuEntries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].name == name) {
            return entries[i].depth == 0 || HasSubItems(static_cast<qsizetype>(i));
        }
    }
    return false;
}

QString ComponentMenuItem(Component component) {
    static const char* const items[] = {"ViewPlayListM",   "ViewFileListM",   "ViewToolBarM",      "ViewScrollbarM",
                                        "ViewStatusBarM",  "ViewSpinButtonM", "ViewPathEditM",     "ViewLabelsM",
                                        "ViewModeSelectorM", "ViewFilterBoxM", "ViewFilterEditM"};
    return QString::fromLatin1(items[static_cast<size_t>(component)]);
}
