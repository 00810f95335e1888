#include "core/cdaudio/renamecdtracksmodel.h"

#include <algorithm>
#include <utility>

RenameCDTracksModel::RenameCDTracksModel(QStringList names, int track, bool expanded)
    : m_names(std::move(names)), m_expanded(expanded) {
    show(track);
}

QString RenameCDTracksModel::currentName() const {
    return m_track > 0 ? m_names.at(m_track - 1) : QString();
}

void RenameCDTracksModel::down(const QString& editText) {
    keep(editText);
    show(m_track - 1 >= 1 ? m_track - 1 : m_track);
}

void RenameCDTracksModel::up(const QString& editText) {
    keep(editText);
    show(m_track + 1 <= m_names.size() ? m_track + 1 : m_track);
}

void RenameCDTracksModel::choose(int line, const QString& editText) {
    keep(editText);
    if (line >= 0 && line < m_names.size()) {
        show(line + 1);
    }
}

QStringList RenameCDTracksModel::accept(const QString& editText) {
    keep(editText);
    return m_names;
}

QString RenameCDTracksModel::expandCaption() const {
    return m_expanded ? QStringLiteral("&<<") : QStringLiteral("&>>");
}

void RenameCDTracksModel::keep(const QString& editText) {
    if (m_track > 0) {
        m_names[m_track - 1] = editText;
    }
}

void RenameCDTracksModel::show(int track) {
    m_track = m_names.isEmpty() ? 0 : std::clamp(track, 1, static_cast<int>(m_names.size()));
}
