#pragma once

#include <QSet>
#include <QString>

#include <functional>

class Prompter;
struct Preferences;

// The play log (".LOG") and error log (".ERR") beside the saved Play List. With "Use Log" each item that
// starts from the Play List adds a dated line to the play log; with "Use Log File" each item that fails
// adds a dated line with the error to the error log, once per item unless duplicates are allowed. A new,
// unsaved Play List has no logs. Lines are only ever appended, so a crash never costs earlier lines.
class PlayLogs {
public:
    enum class Kind { Play, Error };

    struct Context {
        std::function<QString()> playListFile;  // the current Play List file, empty when none
        const Preferences& preferences;
        Prompter& prompter;
    };

    explicit PlayLogs(Context context) : m_c(std::move(context)) {}

    // The log beside playListFile; empty without a Play List file.
    static QString path(const QString& playListFile, Kind kind);
    QString path(Kind kind) const { return path(m_c.playListFile(), kind); }
    bool exists(Kind kind) const;

    // item names the item as the log shows it (its file, or its reference for a disc's track).
    void itemStarted(const QString& item);
    void itemFailed(const QString& item, const QString& error);

    // "2026-12-08 10:53:22  " before every line.
    static QString datePrefix();

private:
    void append(const QString& path, const QString& line);
    static bool holdsEntry(const QString& path, const QString& entry);

    Context m_c;
    QSet<QString> m_reported;  // logs whose write failure was said once
};
