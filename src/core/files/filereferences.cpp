#include "core/files/filereferences.h"

#include "core/files/filepaths.h"
#include "core/files/filemove.h"
#include "core/common/itemref.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"

#include <QDir>

#include <utility>
#include <vector>

namespace {

const QString kFile = QStringLiteral("FILE");

}  // namespace

qsizetype FileReferences::rewriteFile(const QString& from, const QString& to) {
    return rewrite([&](const QString& file) { return file == from ? to : QString(); });
}

qsizetype FileReferences::rewriteFolder(const QString& from, const QString& to) {
    const QString inside = FilePaths::Join(QDir::cleanPath(from), QString());
    const QString target = QDir::cleanPath(to);
    return rewrite([&](const QString& file) {
        return file.startsWith(inside) ? FilePaths::Join(target, file.mid(inside.size())) : QString();
    });
}

qsizetype FileReferences::rewrite(const std::function<QString(const QString& file)>& newPathOf) {
    std::vector<std::pair<QString, QString>> replaced;
    for (qsizetype i = m_playList.count() - 1; i >= 0; --i) {
        const QString ref = m_playList.item(i);
        if (IsCDItem(ref)) {
            continue;
        }
        const QString to = newPathOf(GetItemValue(ref, kFile));
        if (to.isNull()) {
            continue;
        }
        const QString moved = MakeFileItem(to);
        m_playList.replaceItem(i, moved);
        replaced.emplace_back(ref, moved);
    }
    // The moved item takes the old one's place. An item that still shares the old entry (another line
    // of the same item that was not moved) keeps it, after the others.
    for (const auto& [old, moved] : replaced) {
        for (ItemSet* set : {&m_played, &m_unplayed}) {
            if (set->replace(old, moved)) {
                const qsizetype sharing = m_playList.indexOfItem(old);
                if (sharing >= 0) {
                    set->add(m_playList.item(sharing));
                }
            }
        }
    }
    return static_cast<qsizetype>(replaced.size());
}

FileReferences::Removal FileReferences::removeFiles(const QSet<QString>& paths) {
    Removal removal;
    std::vector<char> flagged(static_cast<size_t>(m_playList.count()), 0);
    QStringList removedRefs;
    const int current = m_playList.CurrentItem();
    int above = 0;  // removed lines before CurrentItem
    for (qsizetype i = 0; i < m_playList.count(); ++i) {
        const QString& ref = m_playList.item(i);
        if (IsCDItem(ref) || !paths.contains(GetItemValue(ref, kFile))) {
            continue;
        }
        flagged[static_cast<size_t>(i)] = 1;
        removedRefs.append(ref);
        ++removal.removed;
        if (i < current) {
            ++above;
        } else if (i == current) {
            removal.currentRemoved = true;
        }
    }
    if (removal.removed == 0) {
        removal.currentPosition = current;
        return removal;
    }
    if (current >= 0) {
        removal.currentPosition = current - above;
        // As Remove does: the removed lines up to and including CurrentItem's move it up.
        m_playList.setCurrentItem(current - above - (removal.currentRemoved ? 1 : 0));
    }
    m_playList.removeFlagged(flagged);
    if (m_playList.isEmpty()) {
        m_playList.setCurrentItem(-1);
    }
    // An item still on another line stays in the pool.
    removedRefs.removeIf([this](const QString& ref) { return m_playList.containsItem(ref); });
    m_unplayed.removeAll(removedRefs);
    return removal;
}
