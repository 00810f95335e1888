#include "core/palette/listchooser.h"

#include "core/common/activelists.h"
#include "core/common/medialist.h"
#include "core/common/sourcelines.h"
#include "core/playback/playbackcontroller.h"

#include <algorithm>

namespace ListChooser {

QString numberedCaption(qsizetype index, const QString& text) {
    const qsizetype number = index + 1;
    QString prefix;
    if (number < 10) {
        prefix = u'&' + QString::number(number);
    } else if (number == 10) {
        prefix = QStringLiteral("1&0");
    } else {
        prefix = QString::number(number);
    }
    QString shown = text;
    shown.replace(u'&', QStringLiteral("&&"));
    return prefix + QStringLiteral(". ") + shown;
}

bool startsColumn(qsizetype index, int firstColumn) {
    return index >= firstColumn && (index - firstColumn) % 25 == 0;
}

std::vector<ListChoice> choices(const MediaList& list, const ActiveLists& lists, int firstColumn) {
    const qsizetype count = std::min(list.lineCount(), kMaxChoices);
    const qsizetype playingLine = lists.isPlaying(list) ? list.playingLine() : -1;
    std::vector<ListChoice> result;
    result.reserve(static_cast<size_t>(count));
    for (qsizetype line = 0; line < count; ++line) {
        result.push_back({line, numberedCaption(line, list.menuText(line)), list.linePlayed(line),
                          line == playingLine, startsColumn(line, firstColumn)});
    }
    return result;
}

qsizetype unlistedCount(const MediaList& list) {
    return std::max<qsizetype>(0, list.lineCount() - kMaxChoices);
}

QString unlistedText(qsizetype count) {
    return count == 1 ? QStringLiteral("1 more item is not listed here")
                      : QStringLiteral("%1 more items are not listed here").arg(count);
}

bool choose(MediaList& list, qsizetype line, PlaybackController& controller) {
    SourceLines* lines = list.lines();
    if (!lines || line < 0 || line >= lines->lineCount()) {
        return false;
    }
    lines->selectAlone(line);
    controller.playFrom(list);
    return true;
}

}  // namespace ListChooser
