#include "core/common/activelists.h"

#include "core/common/medialist.h"

ActiveLists::ActiveLists(MediaList& playList, QObject* parent)
    : QObject(parent), m_playList(playList), m_focused(&playList) {}

void ActiveLists::setPlaying(MediaList* list) {
    if (list != m_playing) {
        m_playing = list;
        Q_EMIT changed();
    }
}

void ActiveLists::setFocused(MediaList& list) {
    if (&list != m_focused) {
        m_focused = &list;
        Q_EMIT changed();
    }
}

void ActiveLists::setRightHand(MediaList* list) {
    if (list != m_rightHand) {
        m_rightHand = list;
        Q_EMIT changed();
    }
}

MediaList* ActiveLists::listToPlay() const {
    const auto hasShownLines = [](const MediaList* list) {
        return list != nullptr && list->playsItems() && list->isShown() && list->lineCount() > 0;
    };
    if (hasShownLines(m_focused)) {
        return m_focused;
    }
    if (m_playList.lineCount() > 0) {
        return &m_playList;
    }
    if (hasShownLines(m_rightHand)) {
        return m_rightHand;
    }
    return nullptr;
}

MediaList* ActiveLists::referenceList() const {
    if (m_playing != nullptr) {
        return m_playing;
    }
    return m_focused->playsItems() && m_focused->isShown() ? m_focused : nullptr;
}
