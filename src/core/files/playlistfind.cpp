#include "core/files/playlistfind.h"

#include "core/common/busyindicator.h"
#include "core/common/prompter.h"
#include "core/playlist/playlist.h"
#include "core/playlist/playlisteditor.h"

#include <algorithm>

bool FindInPlayList(PlayList& list, PlayListEditor& editor, Prompter& prompter, BusyIndicator* busy,
                    qsizetype start, const QString& text, bool matchCase) {
    if (text.isEmpty()) {
        return false;
    }
    qsizetype found = -1;
    {
        BusyScope scope(busy, QString());
        const Qt::CaseSensitivity sensitivity = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
        for (qsizetype line = std::max<qsizetype>(start, 0); line < list.lineCount(); ++line) {
            if (list.line(line).contains(text, sensitivity)) {
                found = line;
                break;
            }
        }
    }
    if (found < 0) {
        prompter.showMessage(Prompter::Kind::Information, notFoundInPlayListMessage());
        return false;
    }
    list.selectOnly(found);
    list.setFocusedLine(found);
    list.centreLine(found);
    editor.updateControls();
    return true;
}
