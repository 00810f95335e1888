#pragma once

#include "core/common/sourcelines.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

// The CD Audio List: one line per track of the disc shown, with the track's number and length beside it
// (the length is -1 for a stored disc that is not in the drive), the box's selection and focused line,
// and the identifier of the disc as its tag. Its lines go into the Play List as CD-track items.
// "No disc" is the list's own state, not an identifier: any 32-bit value, 0 included, names a disc.
class CDAudioList : public SourceLines {
    Q_OBJECT

public:
    explicit CDAudioList(QObject* parent = nullptr);

    // Shows a disc: its names and lengths (one per name, -1 when unknown); the selection is cleared and
    // the first line, when there is one, is focused.
    void fill(qint32 cdid, const QStringList& names, const QList<qint64>& lengths);
    // No disc shown, no lines.
    void clear();
    // The disc shown; none when the list shows no disc.
    std::optional<qint32> cdid() const { return m_cdid; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    qsizetype count() const { return m_names.size(); }
    qsizetype lineCount() const override { return count(); }
    bool isEmpty() const { return m_names.isEmpty(); }
    const QString& name(qsizetype line) const { return m_names.at(line); }
    const QStringList& names() const { return m_names; }
    // Renamed lines: the view redraws them.
    void setNames(const QStringList& names);
    // Milliseconds, or -1 when the disc is not in the drive.
    qint64 length(qsizetype line) const { return m_lengths.at(line); }
    // "3." and "04:07" (or "N / A").
    static QString numberText(qsizetype line);
    QString lengthText(qsizetype line) const;

    // The item references of the selected lines, or of all lines: "[CDID=<tag>, T=<line + 1>]" per line.
    QStringList selectedItems() const;
    QStringList allItems() const;

Q_SIGNALS:
    void namesChanged();
    void enabledChanged(bool enabled);

private:
    void show(std::optional<qint32> cdid, const QStringList& names, const QList<qint64>& lengths);

    QStringList m_names;
    QList<qint64> m_lengths;
    std::optional<qint32> m_cdid;
    bool m_enabled = false;
};
