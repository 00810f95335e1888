#include "core/cdaudio/cdaudiolist.h"

#include "core/common/timetext.h"
#include "core/common/itemref.h"

CDAudioList::CDAudioList(QObject* parent) : SourceLines(parent) {
    m_visible = false;  // until CD Audio Mode is shown
}

void CDAudioList::fill(qint32 cdid, const QStringList& names, const QList<qint64>& lengths) {
    show(cdid, names, lengths);
}

void CDAudioList::clear() {
    show(std::nullopt, {}, {});
}

void CDAudioList::show(std::optional<qint32> cdid, const QStringList& names, const QList<qint64>& lengths) {
    Q_EMIT aboutToReset();
    m_cdid = cdid;
    m_names = names;
    m_lengths = lengths;
    m_lengths.resize(m_names.size(), -1);
    m_selection.reset(m_names.size());
    // A filled list has a line to act on: Play and Rename never read a line before the first.
    m_focusedLine = m_names.isEmpty() ? -1 : 0;
    Q_EMIT reset();
    Q_EMIT focusedLineChanged(m_focusedLine);
}

void CDAudioList::setEnabled(bool enabled) {
    if (enabled != m_enabled) {
        m_enabled = enabled;
        Q_EMIT enabledChanged(enabled);
    }
}

void CDAudioList::setNames(const QStringList& names) {
    for (qsizetype i = 0; i < std::min(names.size(), m_names.size()); ++i) {
        m_names[i] = names[i];
    }
    Q_EMIT namesChanged();
}

QString CDAudioList::numberText(qsizetype line) {
    return QString::number(line + 1) + u'.';
}

QString CDAudioList::lengthText(qsizetype line) const {
    const qint64 ms = m_lengths.at(line);
    if (ms < 0) {
        return NotAvailable();
    }
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60, 2, 10, QChar(u'0')).arg(seconds % 60, 2, 10, QChar(u'0'));
}

QStringList CDAudioList::selectedItems() const {
    QStringList refs;
    if (!m_cdid) {
        return refs;
    }
    for (qsizetype line : m_selection.selectedLines()) {
        refs.append(MakeCDItem(*m_cdid, static_cast<int>(line + 1)));
    }
    return refs;
}

QStringList CDAudioList::allItems() const {
    QStringList refs;
    for (qsizetype line = 0; m_cdid && line < count(); ++line) {
        refs.append(MakeCDItem(*m_cdid, static_cast<int>(line + 1)));
    }
    return refs;
}
