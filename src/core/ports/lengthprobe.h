#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

// The second media device: it only opens items to read their lengths.
class LengthProbe {
public:
    virtual ~LengthProbe() = default;
    // The length in milliseconds, or -1 with *error saying why the file could not be opened.
    virtual qint64 measure(const QString& path, QString* error) = 0;
    // The files about to be measured, in order: a probe may start on them ahead of the calls. A later
    // call replaces the list; an empty one says none are coming.
    virtual void expect(const QStringList& paths) { Q_UNUSED(paths); }
    // Called on the caller's thread again and again while a measurement takes its time elsewhere.
    void setWhileWaiting(std::function<void()> hook) { m_whileWaiting = std::move(hook); }

protected:
    void whileWaiting() const {
        if (m_whileWaiting) {
            m_whileWaiting();
        }
    }

private:
    std::function<void()> m_whileWaiting;
};
