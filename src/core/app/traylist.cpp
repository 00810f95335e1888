#include "core/app/traylist.h"

#include "core/cdaudio/cdaudiolist.h"
#include "core/common/medialist.h"
#include "core/files/filelist.h"
#include "core/playlist/playlist.h"

#include <algorithm>

void TrayList::open(Mode mode) {
    m_mode = mode;
    m_lines = linesOf(mode);
}

void TrayList::close() {
    m_mode = Mode::None;
    m_lines.clear();
}

MediaList* TrayList::source() const {
    switch (m_mode) {
        case Mode::PlayList:
            return &m_c.playList;
        case Mode::RightHand:
            return m_c.cdList.isShown() ? &m_c.cdList : &m_c.fileList;
        case Mode::None:
            break;
    }
    return nullptr;
}

QStringList TrayList::linesOf(Mode mode) const {
    QStringList lines;
    if (mode == Mode::PlayList) {
        for (qsizetype n = 0; n < m_c.playListLines.count(); ++n) {
            lines.append(n < m_c.playListLines.lineCount() ? m_c.playListLines.line(n) : QString());
        }
    } else if (mode == Mode::RightHand && m_c.cdList.isShown()) {
        const CDAudioList& tracks = m_c.cdListLines;
        for (qsizetype n = 0; n < tracks.count(); ++n) {
            lines.append(tracks.name(n) + QStringLiteral(" (") + tracks.lengthText(n) + u')');
        }
    } else if (mode == Mode::RightHand) {
        lines = m_c.fileListLines.names();
    }
    return lines;
}

QStringList TrayList::shownLines() const {
    return hasItems() ? m_lines : QStringList{noItemsText()};
}

bool TrayList::play(const std::vector<int>& rows) {
    MediaList* list = source();
    if (!list || !hasItems()) {
        return false;
    }
    // The list may have changed behind the open box: a row counts only while its line is still there.
    const QStringList now = linesOf(m_mode);
    std::vector<qsizetype> chosen;
    for (const int row : rows) {
        if (row >= 0 && row < m_lines.size() && row < now.size() && now.at(row) == m_lines.at(row)) {
            chosen.push_back(row);
        }
    }
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    if (chosen.empty()) {
        return false;
    }
    if (!multipleSelection()) {
        chosen.resize(1);
    }
    list->chooseLines(chosen);
    m_c.play(*list);
    return true;
}

TrayList::Layout TrayList::layOut(QSize client) {
    constexpr int kMargin = 8;
    constexpr int kButtonHeight = 25;
    Layout layout;
    layout.list = QRect(kMargin, kMargin, client.width() - 16, client.height() - 49);
    const int buttonsTop = layout.list.bottom() + 1 + kMargin;
    const int buttonWidth = client.width() / 2 - kMargin;
    layout.done = QRect(kMargin, buttonsTop, buttonWidth, kButtonHeight);
    layout.play = QRect(layout.done.right() + 1, buttonsTop, buttonWidth, kButtonHeight);
    return layout;
}
