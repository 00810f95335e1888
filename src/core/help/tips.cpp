#include "core/help/tips.h"

#include <QRandomGenerator>

#include <algorithm>
#include <array>

namespace {

Tip make(const char* text, const char* topic, int seeTip = 0) {
    return {QString::fromUtf8(text), QString::fromLatin1(topic), seeTip};
}

// Each tip is true of the program as it is.
const std::array<Tip, Tips::kCount>& table() {
    static const std::array<Tip, Tips::kCount> tips = {
        make("You can reorganize the items in the Play List by using drag-and-drop. Drag the selected "
             "lines and let go where the small arrow at the left edge of the list points.",
             "Editing_the_Play_List"),
        make("You can use drag-and-drop to add and remove items. Drag files from the File List onto the "
             "Play List to add them, and drag lines of the Play List onto the File List to take them out "
             "of the Play List. The files themselves stay where they are.",
             "Adding_Items"),
        make("To select several items, click the first one and hold Shift while you click the last one: "
             "every line between them is selected. Hold Ctrl while you click to add a single line to the "
             "selection or to take it out again.",
             "Editing_the_Play_List"),
        make("The General tab of Edit, Find... (Ctrl+F) searches a folder and every folder inside it for "
             "media files and adds them all to the Play List. Pick your home folder and All Multimedia "
             "Files to gather every media file you have in one list.",
             "Searching_for_Files"),
        make("The Audio menu holds the play options: Auto Play, Random Play, Loop Play List, Loop Item "
             "Once and Loop Item Forever, also as buttons you can add to the toolbar. The Play List page of the "
             "Preferences (F10) keeps the first three and sets a delay between items.",
             "Play_Options"),
        make("View, Floating Palette (Ctrl+I) swaps the main window for a small strip that stays on top "
             "of your other windows, with the transport buttons, the position bar and the progress. Rest "
             "the mouse pointer on its position bar to see what plays; Esc brings the main window back.",
             "Floating_Palette"),
        make("While more than one line of the Play List is selected, only the selected lines play, round "
             "and round. Tip 3 tells how to select several lines. Select a single line again to play the "
             "whole Play List.",
             "Play_Options", 3),
        make("Right-click anywhere in the window for a menu of commands: its General submenu holds the "
             "main ones, and below come those of the part you clicked, such as 0\xc2\xa0%, 25\xc2\xa0% and "
             "75\xc2\xa0% "
             "on the position bar. The Floating Palette has a right-click menu of its own.",
             "Main_Window"),
        make("Velmaro can start in File Management Mode or in CD Audio Mode: choose the Initial Mode on "
             "the General page of the Preferences (F10). F6 and F7 switch between the two modes at any "
             "time.",
             "Preferences_General"),
        make("To go to another place in the item that plays, choose Audio, Change Position..., or "
             "double-click the percent beside the position bar, and type a percent or a time. Dragging "
             "the position bar does the same.",
             "Changing_Position"),
        make("Click the progress label of the Floating Palette to switch it between the percent, the "
             "position and the remaining time; double-click it to change the position. A click on a "
             "value in the status bar switches it between the item and the whole Play List.",
             "Floating_Palette"),
        make("Rest the mouse pointer on the Next or the Previous button: its tool tip names the item it "
             "would play. With Random Play on, Next says Randomly Selected Item and Previous says "
             "Previously Played Item.",
             "Playing"),
        make("Most commands have keyboard shortcuts: Ctrl+P plays, Ctrl+U pauses, Ctrl+T stops, F4 and "
             "F5 play the previous and the next item. The menus show the keys beside their items, and "
             "the help lists them all under Keyboard shortcuts.",
             "Keyboard_Shortcuts"),
        make("To keep only a few items of a long Play List, select them, choose Edit, Play List, Invert "
             "Selection, and then Remove (Alt+R): the items you chose stay. Edit, Undo brings the others "
             "back if you change your mind.",
             "Editing_the_Play_List"),
        make("View, Components lists the parts of the main window: the Play List, the right-hand lists, "
             "the toolbar, the status bar and smaller controls. Uncheck one to hide it. The Components "
             "page of the Preferences chooses what shows when Velmaro starts.",
             "Components"),
        make("Drag files from your file manager and drop them anywhere on the main window to add them to "
             "the end of the Play List. A Play List file (.vlp) dropped this way is opened instead.",
             "Adding_Items"),
        make("In File Management Mode, Rnm / Move... (Alt+N) and Delete... (Alt+T) rename, move and "
             "delete your files and folders. Deleted files go to the desktop's Trash unless you untick "
             "Send file(s) to Trash. The Play List follows every change.",
             "Renaming_and_Moving"),
        make("The status bar shows the length, position and remaining time of the item, or of the whole "
             "Play List or selection: click a value to switch. Each length is measured only once and "
             "kept in the Play List file, so a list's total is known at once the next time.",
             "Measuring_Lengths"),
        make("Make Velmaro look your own: Background Bitmaps in the Preferences tiles a picture of your "
             "choice behind the lists and the toolbar, and Background Colors and Text Colors choose the "
             "colours of the window.",
             "Preferences_Appearance"),
        make("MIDI tunes sound as good as the SoundFont that plays them: fluid-soundfont-gm sounds "
             "better than the small timgm6mb-soundfont. The MIDI Reset page of the Preferences chooses a "
             "reset file that puts the synthesizer back to its defaults before each tune.",
             "MIDI_Reset"),
        make("Drag the narrow strip between the Play List and the column of buttons to its right to "
             "share the width between the lists. Double-click the strip to go back to the usual share.",
             "Splitter"),
        make("To hear a CD in a random order, click Add All in CD Audio Mode to put its tracks into the "
             "Play List, and switch on Random Play. Save the Play List to play the disc that way again.",
             "CD_Audio_Mode"),
        make("In CD Audio Mode, select a track and click Rename... to name it; in the box, F2 and F3 step "
             "through the tracks. Type the disc's name into the name box and click Save beside it to keep "
             "the names in the CD database.",
             "CD_Database"),
        make("View, Favorite Play Lists and View, Favorite Folders keep up to 25 Play Lists and folders "
             "you use often. The small button beside the Play List's name in the status bar opens your "
             "favorite Play Lists too.",
             "Favorites_and_History"),
        make("View, Toolbar Options, Customize Toolbar... puts any command on the toolbar: drag a button "
             "from its list onto the toolbar, along it to move it, or off it to remove it. Drag the "
             "toolbar by its handle to dock it at any edge of the window.",
             "Toolbar"),
        make("The Play List tab of Edit, Find... (Ctrl+F) finds a line of the Play List by a part of its "
             "name, and Edit, Find Again (F3) finds the next one.",
             "Find"),
        make("Velmaro opens the Play List you had open when it ended and starts playing at the item that "
             "played last. Switch either off on the Play List page of the Preferences (F10).",
             "Opening_and_Saving"),
        make("The two list buttons of the Floating Palette drop down the items of the Play List and of "
             "the File List: choose one to play it. In the main window, double-click a line of either "
             "list to play it.",
             "Floating_Palette"),
        make("Loop Item Once (Ctrl+L) plays the current item once more, and Loop Item Forever "
             "(Ctrl+Shift+L) repeats it until you switch it off. Both are in the Audio menu, and you can "
             "put them on the toolbar (tip 25 tells how).",
             "Play_Options", 25),
        make("With Auto Play on, as it is at first, the next item starts when one ends. Switch it off in "
             "the Audio menu or in the tray icon's menu to stop after every item.",
             "Play_Options"),
        make("To play media files from your file manager with a double-click, open the File Types page "
             "of the Preferences, choose a kind of file and click Register. Desktop Default gives that "
             "kind back to the player it had before.",
             "Editors_and_Desktop"),
        make("Velmaro keeps the Play List up to date when you rename, move or delete its files, and so "
             "the list changes. When Velmaro then asks whether to save the Play List, answer Yes to keep "
             "the new names in its file.",
             "Renaming_and_Moving"),
        make("Change any shortcut on the page General, Keyboard Shortcuts of the Preferences: click a "
             "command and press the new keys in the Shortcut box. Reset All Shortcuts brings back "
             "Velmaro's own keys.",
             "Preferences_Shortcuts"),
        make("Right-click a part of the window and choose Hide Component to make room for the others. "
             "View, Components shows it again; most parts have keys of their own there, such as "
             "Ctrl+Shift+T for the toolbar.",
             "Components"),
        make("There is no Refresh command to look for: the File List and the Folder List follow the "
             "disk by themselves. The File Management (F6) tab below the lists brings them back from CD "
             "Audio Mode.",
             "File_Management_Mode"),
    };
    return tips;
}

}  // namespace

namespace Tips {

const Tip& tip(int number) {
    return table()[static_cast<size_t>(std::clamp(number, 1, kCount) - 1)];
}

QStringList lines(int number) {
    QStringList result;
    QString line;
    for (const QString& word : tip(number).text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > kLineLength) {
            result.append(line);
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty()) {
        result.append(line);
    }
    return result;
}

QString heading(int number) {
    return QStringLiteral("Tip %1 of %2:").arg(std::clamp(number, 1, kCount)).arg(kCount);
}

int randomNumber(QRandomGenerator& generator) {
    return static_cast<int>(generator.bounded(kCount)) + 1;
}

}  // namespace Tips

void TipPager::show(int number) {
    m_number = std::clamp(number, 1, Tips::kCount);
}

void TipPager::next() {
    if (canGoForward()) {
        ++m_number;
    }
}

void TipPager::previous() {
    if (canGoBack()) {
        --m_number;
    }
}
