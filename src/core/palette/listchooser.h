#pragma once

#include <QString>

#include <vector>

class ActiveLists;
class MediaList;
class PlaybackController;

// One line of a list as a drop-down of the Floating Palette offers it.
struct ListChoice {
    qsizetype line = -1;
    QString caption;            // "&1. Song", "1&0. Song", "11. Song"
    bool played = false;        // its item was played in this pass (the Play List)
    bool playing = false;       // the line that plays from this list
    bool startsColumn = false;  // the menu starts a new column with it
};

// The items of the Play List, the File List or the CD Audio List as a menu to choose one from, and
// the choice: the chosen line alone is selected and focused in its list, and plays from it.
namespace ListChooser {

// Longer lists are offered in part: a menu of thousands of lines could not be used anyway.
constexpr qsizetype kMaxChoices = 301;
inline const QString kNoItems = QStringLiteral("No items available");

// The first column holds firstColumn lines, every further one 25.
constexpr int kPlayListFirstColumn = 21;  // the Play List and the File List
constexpr int kTracksFirstColumn = 22;    // the CD Audio List

// "&" + n + ". " for the first nine, "1&0. " for the tenth, else n + ". "; the text follows with its
// "&" doubled, so that it shows as it is.
QString numberedCaption(qsizetype index, const QString& text);
bool startsColumn(qsizetype index, int firstColumn);
// The first kMaxChoices lines of the list.
std::vector<ListChoice> choices(const MediaList& list, const ActiveLists& lists, int firstColumn);
// The lines the menu leaves out; the menu says how many.
qsizetype unlistedCount(const MediaList& list);
QString unlistedText(qsizetype count);
// The chosen line becomes the only selected and the focused line, and plays: the line chosen is the
// line played, also when other lines were selected. A line the list no longer has does nothing.
bool choose(MediaList& list, qsizetype line, PlaybackController& controller);

}  // namespace ListChooser
