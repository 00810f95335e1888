#include "gui/playlist/linesremovaltarget.h"

#include "gui/common/listdrag.h"
#include "gui/playlist/playlistbox.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>

LinesRemovalTarget::LinesRemovalTarget(QAbstractScrollArea* list, QWidget* playListBox, std::function<void()> remove)
    : QObject(list), m_playListBox(playListBox), m_remove(std::move(remove)) {
    list->setAcceptDrops(true);
    list->viewport()->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
}

bool LinesRemovalTarget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QObject::eventFilter(watched, event);
    }
    auto* drop = static_cast<QDropEvent*>(event);
    const bool fromPlayList = drop->source() == m_playListBox && drop->mimeData()->hasFormat(ListDrag::playListLines());
    if (!fromPlayList) {
        // Anything else goes on to the window (files from other programs).
        drop->ignore();
        return false;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        m_remove();
    }
    return true;
}
